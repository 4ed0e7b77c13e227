// The whole road from a WAV file to the module: the program plays the file as its audio
// input, the tracker's beats pulse a music-stepped sequence, and the virtual module receives
// the steps.
#include "app/Fmain.h"
#include "music/TestAudio.h"
#include "support/ModalAnswerer.h"
#include "support/ModuleSimProcess.h"

#include <QAction>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

class MusicEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void aTrackAt120StepsTwoBeatSequenceEverySecond()
    {
        TempFolder folder;
        const auto frames = folder / "frames";
        ModuleSimProcess sim(folder / "dmx", {"--name", "SIM-BEATS", "--frames", frames.string()});
        const auto wav = (folder / "track.wav").string();
        testaudio::writeWav(wav, testaudio::makeTrack(testaudio::Style::Drums, {{120, 12}}));
        std::filesystem::create_directories(folder / "show");
        StartOptions options;
        options.dataDirectory = (folder / "show").string();
        options.ports = {sim.link().string()};
        options.audioFile = wav;

        ModalAnswerer answerer;
        TMainForm form(options);
        {
            auto sequence = std::make_shared<KySequence>();
            for (std::uint8_t value : {10, 20}) {
                KyScene scene;
                scene.setStatus(0, KyChStatus{value, 0, 0, 0, 0});
                scene.sceneTime = 60000; // only pulses change the scene
                sequence->appendScene(scene);
            }
            std::lock_guard lock(form.show().showLock());
            KySeqEngine& zone = form.show().dmx.liveCue().zoneEngine(0);
            zone = KySeqEngine(sequence);
            zone.music = true;
            zone.beatsPerStep = 2;
            form.show().dmx.liveCue().play();
        }
        form.findChild<QAction*>(QStringLiteral("MusicAction"))->trigger();
        QTest::qWait(11000);
        QVERIFY(form.findChild<QLabel*>(QStringLiteral("TempoLabel"))->text().startsWith(QStringLiteral("120.")));
        QVERIFY(answerer.seen.isEmpty());

        // The frames in which channel 1 changed, after four beats of lock-in.
        const auto sent = framesIn(frames);
        std::vector<std::size_t> steps;
        for (std::size_t i = 1; i < sent.size(); ++i)
            if (sent[i].substr(0, 2) != sent[i - 1].substr(0, 2) && i * 50 > 2500)
                steps.push_back(i);
        QVERIFY2(steps.size() >= 7, qPrintable(QString::number(steps.size())));
        for (std::size_t k = 1; k < steps.size(); ++k) {
            const std::size_t ticks = steps[k] - steps[k - 1];
            // One second is 20 frames; a loaded machine moves a frame or two either way.
            QVERIFY2(ticks >= 18 && ticks <= 22,
                     qPrintable(QStringLiteral("step %1 after %2 ticks").arg(k).arg(ticks)));
        }
    }
};

QTEST_MAIN(MusicEndToEndTest)
#include "MusicEndToEnd_test.moc"
