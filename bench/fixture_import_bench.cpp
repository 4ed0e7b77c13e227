// Importing Debian's fixture definitions: reading and mapping every mode of every file, with
// and without drawing the pictures, and the import window's first list and full list.
#include "library/Ffixtureimport.h"
#include "library/QxfImport.h"
#include "library/QxfPictures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

const std::string kFolder = "/usr/share/qlcplus/fixtures";

// Every mode of every file; the number of modes.
std::size_t importAll(const std::vector<std::string>& paths, KyQxfPictures* pictures)
{
    std::size_t modes = 0;
    for (const std::string& path : paths)
        if (auto fixture = readQxfFile(path))
            for (const KyQxfMode& mode : fixture->modes) {
                benchmark::DoNotOptimize(importQxfMode(*fixture, mode, pictures, path));
                ++modes;
            }
    return modes;
}

void BM_ReadAndMapAllFiles(benchmark::State& state)
{
    const std::vector<std::string> paths = listQxfFiles(kFolder);
    if (paths.empty()) {
        state.SkipWithError("qlcplus-data is not installed");
        return;
    }
    std::size_t modes = 0;
    for (auto _ : state)
        modes = importAll(paths, nullptr);
    state.counters["files"] = static_cast<double>(paths.size());
    state.counters["modes"] = static_cast<double>(modes);
}
BENCHMARK(BM_ReadAndMapAllFiles)->Unit(benchmark::kMillisecond);

// A fresh picture maker each time, so no gobo is drawn from an earlier pass's cache.
void BM_ReadAndMapAllFilesWithPictures(benchmark::State& state)
{
    for (auto _ : state) {
        TQxfPictures pictures({qxfGoboFolderFor(kFolder)});
        importAll(listQxfFiles(kFolder), &pictures);
    }
}
BENCHMARK(BM_ReadAndMapAllFilesWithPictures)->Unit(benchmark::kMillisecond)->Iterations(1);

int modelCount(QTreeWidget* tree)
{
    int count = 0;
    for (int m = 0; m < tree->topLevelItemCount(); ++m)
        count += tree->topLevelItem(m)->childCount();
    return count;
}

// From opening the window to its first names shown (manual time), and to the whole list.
void BM_ImportWindowFirstList(benchmark::State& state)
{
    double whole = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        TFixtureImportForm form(nullptr);
        form.show();
        while (form.fixtureTree()->topLevelItemCount() == 0 && form.listing())
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        QApplication::processEvents();
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        while (form.listing())
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        whole += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        state.counters["models"] = modelCount(form.fixtureTree());
    }
    state.counters["whole_list_ms"] = whole / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ImportWindowFirstList)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
