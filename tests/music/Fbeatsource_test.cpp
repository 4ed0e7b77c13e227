#include "app/Fmain.h"
#include "music/Fbeatsource.h"
#include "music/TestAudio.h"
#include "support/ModalAnswerer.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

QString storedSource()
{
    return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"))
        .value(QStringLiteral("rhythm/source"))
        .toString();
}

// Clicks the radio button on its indicator: only the indicator and the text take clicks.
void choose(TBeatSourceForm& form, KyRhythmSource source)
{
    QRadioButton* button = form.sourceButton(source);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

} // namespace

class BeatSourceFormTest : public QObject {
    Q_OBJECT
    fs::path dir;

    // A show with the rhythm machinery and nothing else, as the main window builds it.
    struct Rig {
        KyShow show{DataPaths::in("/nonexistent")};
        KyRhythmControl control;
        TBeatSourceForm form;
        explicit Rig(const std::string& audioFile = {})
            : control(show.beats, show.audioBeats, show.showLock(), audioFile),
              form(control, show.beats, show.showLock())
        {
        }
    };

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel")).clear();
        dir = fs::temp_directory_path() / ("vt-beatsource-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void cleanup() { fs::remove_all(dir); }

    void theRehearsalFileStandsInForTheInputsAndItsLevelShows()
    {
        const auto wav = (dir / "track.wav").string();
        testaudio::writeWav(wav, testaudio::makeTrack(testaudio::Style::Drums, {{120, 6}}));
        Rig rig(wav);
        QVERIFY(rig.control.apply({KyRhythmSource::Audio, "default"}));
        rig.form.show();
        QVERIFY(rig.form.sourceButton(KyRhythmSource::Audio)->isChecked());
        QCOMPARE(rig.form.deviceList()->count(), 1);
        QCOMPARE(rig.form.deviceList()->currentText(), QStringLiteral("Plik: track.wav"));
        QVERIFY(!rig.form.deviceList()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(rig.form.levelMeter()->value() > 50, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(rig.form.stateLabel()->text().startsWith(QStringLiteral("Tempo: 120.")), 5000);

        // Back to the module: the audio stops, the level falls, the choice is kept.
        choose(rig.form, KyRhythmSource::Module);
        QCOMPARE(rig.show.audioBeats.state(), KyAudioBeats::Idle);
        QCOMPARE(storedSource(), QStringLiteral("module"));
        QTRY_COMPARE(rig.form.levelMeter()->value(), 0);
        QCOMPARE(rig.form.stateLabel()->text(), QStringLiteral("Tempo: --- BPM (moduł)"));
    }

    void anInputThatCannotBeOpenedIsReportedAndTheModuleStays()
    {
        Rig rig;
        rig.control.apply({KyRhythmSource::Module, "vantorel-no-such-input"});
        rig.form.show();
        QCOMPARE(rig.form.deviceList()->itemData(0).toString(), QStringLiteral("default"));
        QCOMPARE(rig.form.deviceList()->currentData().toString(), QStringLiteral("vantorel-no-such-input"));
        choose(rig.form, KyRhythmSource::Audio);
        QCOMPARE(
            rig.form.stateLabel()->text(),
            QStringLiteral("Nie można otworzyć wejścia audio \"vantorel-no-such-input\": nie ma takiego urządzenia"));
        QCOMPARE(rig.show.beats.source(), KyRhythmSource::Module);
        QCOMPARE(storedSource(), QStringLiteral("audio"));
        QCOMPARE(loadRhythmChoice(), (KyRhythmChoice{KyRhythmSource::Audio, "vantorel-no-such-input"}));

        choose(rig.form, KyRhythmSource::Tap);
        QCOMPARE(rig.show.beats.source(), KyRhythmSource::Tap);
        QCOMPARE(rig.form.stateLabel()->text(), QStringLiteral("Tempo: --- BPM (tap)"));
    }

    // The key T and the Tap button beside "Muzyka" make taps the source and learn their
    // tempo; the tempo shows beside them. The choice is the user's, not the show's.
    void tappingInTheMainWindowSetsTheTempo()
    {
        ModalAnswerer answerer;
        StartOptions options;
        options.dataDirectory = dir.string();
        TMainForm form(options);
        form.showMaximized();
        QVERIFY(QTest::qWaitForWindowActive(&form)); // the key is the main window's shortcut
        auto* label = form.findChild<QLabel*>(QStringLiteral("TempoLabel"));
        QCOMPARE(label->text(), QStringLiteral("--- BPM (moduł)"));
        auto* toolbar = form.findChild<QToolBar*>(QStringLiteral("CueToolBar"));
        QStringList names;
        for (QAction* action : toolbar->actions())
            names << action->objectName();
        QVERIFY(names.indexOf(QStringLiteral("TapAction")) == names.indexOf(QStringLiteral("MusicAction")) + 1);

        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(&form, Qt::Key_T);
            QTest::qWait(300);
        }
        QTRY_VERIFY(label->text().endsWith(QStringLiteral(" BPM (tap)")));
        const double bpm = label->text().section(QLatin1Char(' '), 0, 0).toDouble();
        QVERIFY2(bpm > 150 && bpm < 210, qPrintable(label->text()));
        QCOMPARE(storedSource(), QStringLiteral("tap"));
        QVERIFY(!fs::exists(dir / "rhythm"));
    }
};

QTEST_MAIN(BeatSourceFormTest)
#include "Fbeatsource_test.moc"
