// The sequence editor end to end: the main window linked to the virtual module, the frames
// it receives while a look is recorded and previewed, and the live cue after "Koniec".

#include "app/Fmain.h"
#include "sequence/Fsequence.h"
#include "sequence/SequenceFile.h"
#include "support/ModalAnswerer.h"
#include "support/ModuleSimProcess.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

int channelOf(const std::string& frame, int index)
{
    return std::stoi(frame.substr(std::size_t(2 * index), 2), nullptr, 16);
}

// Waits for a frame that arrives after `after` frames and satisfies `wanted`.
bool awaitFrame(const std::filesystem::path& file, std::size_t after,
                const std::function<bool(const std::string&)>& wanted)
{
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        auto frames = framesIn(file);
        for (std::size_t i = after; i < frames.size(); ++i)
            if (frames[i].size() == 1024 && wanted(frames[i]))
                return true;
        QTest::qWait(10);
    }
    return false;
}

// Runs one editor tick and gives the frame the module received from it.
std::string editorTickFrame(TSequenceForm& editor, const std::filesystem::path& file)
{
    const std::size_t before = framesIn(file).size();
    editor.editorTick();
    QDeadlineTimer deadline(10000);
    for (auto frames = framesIn(file); !deadline.hasExpired(); frames = framesIn(file)) {
        if (frames.size() > before)
            return frames.back();
        QTest::qWait(2);
    }
    return {};
}

} // namespace

class SequenceEditorLinkTest : public QObject {
    Q_OBJECT

private slots:
    void recordingPreviewAndBackToTheLiveCue()
    {
        TempFolder folder;
        const auto frames = folder / "frames";
        ModuleSimProcess sim(folder / "dmx", {"--name", "SIM-E", "--frames", frames.string()});
        const auto data = folder / "show";
        std::filesystem::create_directories(data);
        {
            KySeque store;
            KySequence live;
            live.name = "Live";
            live.appendScene(KyScene{});
            live.sceneAt(0).setStatus(5, KyChStatus{200, 0, 0, 0, 0});
            store.addSequence(live);
            QVERIFY(saveSequences(store, (data / "sequences.vt2").string()));
        }
        StartOptions options;
        options.dataDirectory = data.string();
        options.ports = {sim.link().string()};
        ModalAnswerer answerer;
        TMainForm form(options);
        form.QWidget::show(); // its tool windows are docked in it
        KyShow& show = form.show();
        TSequenceForm& editor = *form.sequenceForm();
        {
            std::lock_guard lock(show.showLock());
            QCOMPARE(show.usb.moduleState, std::uint8_t(1));
            KyCue& cue = show.dmx.liveCue();
            cue.zoneEngine(0) = KySeqEngine(show.seque.sharedSequenceAt(0));
            cue.play();
            show.dmx.setManual(10, 77);
        }
        QVERIFY(awaitFrame(frames, 0, [](const std::string& f) {
            return channelOf(f, 5) == 200 && channelOf(f, 10) == 77;
        }));

        // The frames carry the scene being recorded, beside the held channel.
        form.findChild<QAction*>("SequenceAction")->trigger();
        {
            std::lock_guard lock(show.showLock());
            show.dmx.setManual(20, 150);
        }
        QVERIFY(awaitFrame(frames, framesIn(frames).size(), [](const std::string& f) {
            return channelOf(f, 20) == 150 && channelOf(f, 10) == 77;
        }));

        // A second scene; the preview then plays 2 ticks of the first and 3 of the second.
        QTest::mouseClick(editor.addSceneButton(), Qt::LeftButton);
        {
            std::lock_guard lock(show.showLock());
            show.dmx.setManual(20, 50);
            show.dmx.editedSequence()->sceneAt(0).sceneTime = 2;
            show.dmx.editedSequence()->sceneAt(1).sceneTime = 3;
        }
        form.timer().setEnabled(false);
        QCOMPARE(channelOf(editorTickFrame(editor, frames), 20), 50); // the current scene
        QTest::mouseClick(editor.startButton(), Qt::LeftButton);
        std::vector<int> played;
        for (int tick = 0; tick < 10; ++tick)
            played.push_back(channelOf(editorTickFrame(editor, frames), 20));
        QCOMPARE(played, (std::vector<int>{150, 150, 50, 50, 50, 150, 150, 50, 50, 50}));

        // After "Koniec" the main tick plays the live cue again; recorded channels are gone.
        QTest::mouseClick(editor.closeButton(), Qt::LeftButton);
        const std::size_t before = framesIn(frames).size();
        form.timer().setEnabled(true);
        QVERIFY(awaitFrame(frames, before, [](const std::string& f) {
            return channelOf(f, 5) == 200 && channelOf(f, 10) == 77 && channelOf(f, 20) == 0;
        }));
        std::lock_guard lock(show.showLock());
        QCOMPARE(show.dmx.liveCue().playState, std::uint8_t(KyCue::Playing));
    }
};

QTEST_MAIN(SequenceEditorLinkTest)
#include "SequenceEditorLink_test.moc"
