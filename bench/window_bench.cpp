// Opening the windows that list the large show's 1000 sequences and 200 cues, and repainting
// the main window's page of 128 icons, on the offscreen platform.
#include "LargeShow.h"

#include "app/Fmain.h"
#include "cue/Fcue.h"
#include "panel/Fpicklist.h"
#include "sequence/Fsequence.h"
#include "support/ModuleSimProcess.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::string showDirectory()
{
    static const large_show::TemporaryShow show("vantorel-large-desk");
    return show.directory();
}

// The virtual module, so that the start-up finds a module and asks nothing.
const std::string& modulePort()
{
    static TempFolder folder;
    static ModuleSimProcess module(folder / "dmx");
    static const std::string port = (folder / "dmx").string();
    return port;
}

StartOptions options()
{
    StartOptions o;
    o.dataDirectory = showDirectory();
    o.ports = {modulePort()};
    return o;
}

// The desk the window benchmarks open their windows from, shown on the first page.
std::unique_ptr<TMainForm> deskForm;

TMainForm& desk()
{
    if (!deskForm) {
        deskForm = std::make_unique<TMainForm>(options());
        deskForm->resize(1600, 1000);
        deskForm->show();
        QApplication::processEvents();
    }
    return *deskForm;
}

void settle()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

template <class Window>
void openPicker(benchmark::State& state)
{
    TMainForm& form = desk();
    int row = 0;
    for (auto _ : state) {
        Window picker(form.show().seque, row, &form);
        picker.show();
        settle();
        state.PauseTiming();
        picker.hide();
        state.ResumeTiming();
    }
}

// Opens a tool window through the main window's action and closes it again outside the figure.
void openThroughAction(benchmark::State& state, const char* action, QWidget* window)
{
    TMainForm& form = desk();
    auto* trigger = form.findChild<QAction*>(QLatin1String(action));
    for (auto _ : state) {
        trigger->trigger();
        settle();
        state.PauseTiming();
        window->close();
        settle();
        state.ResumeTiming();
    }
}

} // namespace

// The whole start-up: every file loaded, every window made, the desk shown.
static void BM_MainWindowStartUp(benchmark::State& state)
{
    showDirectory();
    for (auto _ : state) {
        auto form = std::make_unique<TMainForm>(options());
        form->resize(1600, 1000);
        form->show();
        settle();
        state.PauseTiming(); // closing saves the show, which is not part of the figure
        form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowStartUp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

static void BM_OpenSequencePicker(benchmark::State& state)
{
    openPicker<TSeqListForm>(state);
}

static void BM_OpenCuePicker(benchmark::State& state)
{
    openPicker<TCueListForm>(state);
}

static void BM_OpenSequenceEditor(benchmark::State& state)
{
    openThroughAction(state, "SequenceAction", desk().sequenceForm());
}

static void BM_OpenCueEditor(benchmark::State& state)
{
    openThroughAction(state, "CueAction", desk().cueForm());
}

// The first opening of each (fonts, sizes and lists are new to it), then the usual one.
BENCHMARK(BM_OpenSequencePicker)->Name("BM_OpenSequencePicker/first")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenCuePicker)->Name("BM_OpenCuePicker/first")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenSequenceEditor)->Name("BM_OpenSequenceEditor/first")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenCueEditor)->Name("BM_OpenCueEditor/first")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenSequencePicker)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenCuePicker)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenSequenceEditor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenCueEditor)->Unit(benchmark::kMillisecond)->UseRealTime();

// A zone row's drop-down list of the 1000 stored sequences in the open cue editor.
static void BM_OpenZoneSequenceList(benchmark::State& state)
{
    TCueForm* cue = desk().cueForm();
    cue->show();
    settle();
    auto* list = cue->findChild<QComboBox*>();
    for (auto _ : state) {
        list->showPopup();
        settle();
        state.PauseTiming();
        list->hidePopup();
        settle();
        state.ResumeTiming();
    }
    cue->close();
    settle();
}
BENCHMARK(BM_OpenZoneSequenceList)->Unit(benchmark::kMillisecond)->UseRealTime();

// One paint of the page of 128 icons, into a picture of its size.
static void BM_RepaintIconPage(benchmark::State& state)
{
    QWidget* page = desk().pageControl()->currentWidget();
    for (auto _ : state)
        benchmark::DoNotOptimize(page->grab());
}
BENCHMARK(BM_RepaintIconPage)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    deskForm.reset(); // saves the show into the temporary folder before it goes
    return 0;
}
