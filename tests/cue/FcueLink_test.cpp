// The cue editor end to end: the program talks to the virtual module, a cue composed in the
// editor reaches the frames, and the saved cue started later from its panel button sends the
// frames that the command-line tool renders for it.

#include "app/Fmain.h"
#include "common/PText.h"
#include "cue/CueFormSupport.h"
#include "cue/Fcue.h"
#include "cue/Seque.h"
#include "panel/Fdirectaccess.h"
#include "panel/PPanelButton.h"
#include "sequence/SequenceFile.h"
#include "support/ModuleSimProcess.h"

#include <QAction>

#include <cstdio>
#include <memory>

#ifndef VANTOREL_CLI
#error "VANTOREL_CLI must name the command-line tool"
#endif

namespace {

constexpr int kRenderedTicks = 60;

// A sequence of scenes of `time` ticks, each setting `channels` to one value of `values`.
KySequence sequenceOf(const std::string& name, bool fade, std::uint32_t time, const std::vector<std::int32_t>& channels,
                      const std::vector<std::uint8_t>& values)
{
    KySequence seq;
    seq.name = name;
    seq.fade = fade;
    for (std::uint8_t value : values) {
        KyScene scene;
        for (std::int32_t channel : channels)
            scene.setStatus(channel, KyChStatus{std::uint8_t(value + channel), 0, 0, 0, 0});
        scene.sceneTime = time;
        seq.appendScene(scene);
    }
    return seq;
}

// A fading sequence on channels 0-2 and a jumping one on channels 2-4: channel 2 is
// written by both zones, and the higher zone wins.
void writeSequences(const std::filesystem::path& folder)
{
    KySeque store;
    store.addSequence(sequenceOf("Fala", true, 8, {0, 1, 2}, {0, 200, 90}));
    store.addSequence(sequenceOf(vt::toCp1250(QStringLiteral("Błysk")), false, 3, {2, 3, 4}, {30, 150}));
    QVERIFY(saveSequences(store, (folder / "sequences.vt2").string()));
}

StartOptions optionsFor(const std::filesystem::path& show, const ModuleSimProcess& sim)
{
    StartOptions options;
    options.dataDirectory = show.string();
    options.ports.push_back(sim.link().string());
    return options;
}

bool dark(const std::string& frame)
{
    return frame.find_first_not_of('0') == std::string::npos;
}

std::vector<std::string> render(const std::filesystem::path& show, const std::string& cue)
{
    const std::string command = std::string("'") + VANTOREL_CLI + "' render --data-dir '" + show.string() +
                                "' --cue '" + cue + "' --ticks " + std::to_string(kRenderedTicks);
    std::vector<std::string> frames;
    FILE* out = ::popen(command.c_str(), "r");
    if (!out)
        return frames;
    std::string line;
    for (int c; (c = std::fgetc(out)) != EOF;) {
        if (c != '\n') {
            line += char(c);
            continue;
        }
        frames.push_back(line);
        line.clear();
    }
    ::pclose(out);
    return frames;
}

} // namespace

class CueFormLinkTest : public QObject {
    Q_OBJECT

private slots:
    void aComposedCueReachesTheModuleAndItsPanelButtonReplaysItAsRendered()
    {
        TempFolder folder;
        const auto show = folder / "show";
        std::filesystem::create_directories(show);
        writeSequences(show);
        const auto frames = folder / "frames";
        ModuleSimProcess sim(folder / "dmx", {"--name", "SIM-CUE", "--frames", frames.string()});
        ModalAnswerer answerer;

        // Composing: the zones play from the tick after each choice.
        auto main = std::make_unique<TMainForm>(optionsFor(show, sim));
        main->QWidget::show(); // its tool windows are docked in it
        QTRY_VERIFY(framesIn(frames).size() >= 3);
        QVERIFY(dark(framesIn(frames).back()));
        main->findChild<QAction*>("CueAction")->trigger();
        TCueForm* editor = main->cueForm();
        const std::size_t before = framesIn(frames).size();
        choose(editor->sequenceList(0), 0);
        // Only frames on their way to the module when the zone was chosen are still dark.
        const std::size_t chosen = framesIn(frames).size();
        choose(editor->sequenceList(1), 1);
        QTRY_VERIFY(framesIn(frames).size() >= chosen + 4);
        const auto composed = framesIn(frames);
        std::size_t lit = before;
        while (lit < composed.size() && dark(composed[lit]))
            ++lit;
        QVERIFY2(lit <= chosen + 2, "the frame of the next tick shows the zone");
        answerNameDialog(answerer, QStringLiteral("Pokaz"));
        click(editor->saveAsButton());
        std::int32_t id = 0;
        {
            std::lock_guard lock(main->show().showLock());
            id = main->show().dmx.liveCue().id;
        }
        QVERIFY(id > 0);
        main.reset();

        // Later: the cue from its file, pressed on the panel.
        const auto rendered = render(show, "Pokaz");
        QCOMPARE(int(rendered.size()), kRenderedTicks);
        main = std::make_unique<TMainForm>(optionsFor(show, sim));
        main->QWidget::show(); // its tool windows are docked in it
        main->show().panel.cueButtons.pages[0][0].id = id;
        main->findChild<QAction*>("DirectPanelAction")->trigger();
        TDirectAccessForm* panel = main->directAccessForm();
        QTRY_VERIFY(framesIn(frames).size() >= 3);
        const std::size_t pressedAt = framesIn(frames).size();
        QTest::mousePress(panel->cueButton(0), Qt::LeftButton, {}, panel->cueButton(0)->rect().center());
        QTRY_VERIFY_WITH_TIMEOUT(framesIn(frames).size() >= pressedAt + kRenderedTicks + 4, 20000);
        main.reset();

        const auto sent = framesIn(frames);
        std::size_t first = pressedAt;
        while (first < sent.size() && dark(sent[first]))
            ++first;
        QVERIFY(first <= pressedAt + 2);
        QVERIFY(first + rendered.size() <= sent.size());
        for (std::size_t tick = 0; tick < rendered.size(); ++tick)
            QCOMPARE(QString::fromStdString(sent[first + tick]), QString::fromStdString(rendered[tick]));
    }
};

QTEST_MAIN(CueFormLinkTest)
#include "FcueLink_test.moc"
