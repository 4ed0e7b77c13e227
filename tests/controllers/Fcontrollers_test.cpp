// "Sterowniki" in the program: learning maps the next desk control pressed to the next
// element moved (a 14-bit pair as one element), a mapped element then presses that control
// as the panel does, and the mappings are the user's across a restart and through a file.
#include "app/Fmain.h"
#include "common/PText.h"
#include "controllers/Fcontrollers.h"
#include "panel/Fdirectaccess.h"
#include "panel/PPanelButton.h"
#include "support/ModalAnswerer.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

QSettings userSettings()
{
    return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
}

QStringList rows(const QTableWidget& table)
{
    QStringList lines;
    for (int row = 0; row < table.rowCount(); ++row)
        lines << table.item(row, 0)->text() + QLatin1Char(' ') + table.item(row, 1)->text();
    return lines;
}

} // namespace

class ControllersFormTest : public QObject {
    Q_OBJECT
    std::unique_ptr<fs::path> dir;
    std::unique_ptr<TMainForm> form;
    ModalAnswerer* answerer = nullptr;

    TControllersForm* window() { return form->findChild<TControllersForm*>(); }
    TDirectAccessForm* panel() { return form->directAccessForm(); }

    void open()
    {
        StartOptions options;
        options.dataDirectory = dir->string();
        form = std::make_unique<TMainForm>(options);
        form->QWidget::show();
        window()->show();
    }
    // One cue on page A's first button.
    void buildShow()
    {
        KyShow& show = form->show();
        KySequence sequence;
        KyScene scene;
        scene.setStatus(0, KyChStatus{200, 0, 0, 0, 0});
        sequence.appendScene(scene);
        show.seque.addSequence(sequence);
        KyCue cue;
        cue.name = vt::toCp1250(QStringLiteral("Wejście"));
        cue.zoneEngine(0) = KySeqEngine(show.seque.findSharedSequence(show.seque.sequenceAt(0).id));
        show.seque.addCue(cue);
        show.panel.cueButtons.assign(0, &show.seque.cueAt(0));
        panel()->show();
    }
    void move(const char* input, float value)
    {
        window()->controllers().queue().push({*parseInput(input), value});
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        dir = std::make_unique<fs::path>(fs::temp_directory_path() / ("vt-controllers-" + std::to_string(::getpid())));
        fs::remove_all(*dir);
        fs::create_directories(*dir);
        userSettings().clear();
        answerer = new ModalAnswerer(this);
        open();
        buildShow();
    }
    void cleanup()
    {
        form.reset();
        delete answerer;
        fs::remove_all(*dir);
    }

    void learnsFromAClickAndAMoveAndThePadThenPressesAsThePanelDoes()
    {
        TControllersForm& w = *window();
        QVERIFY(w.midiLabel()->text().contains(QStringLiteral("/dev/snd/seq")) ||
                w.midiLabel()->text().contains(QStringLiteral("Vantorel")));
        QVERIFY(!w.oscBox()->isChecked());
        QCOMPARE(w.portBox()->value(), 8000);

        // The pad first, then the cue button.
        QTest::mouseClick(w.learnButton(), Qt::LeftButton);
        move("note/1/36", 1);
        move("note/1/36", 0);
        QTest::mousePress(panel()->cueButton(0), Qt::LeftButton);
        QTest::mouseRelease(panel()->cueButton(0), Qt::LeftButton);
        QVERIFY(!w.learnButton()->isChecked());
        QCOMPARE(rows(*w.table()), QStringList{QStringLiteral("note/1/36 cue/1/1")});
        QVERIFY(panel()->cueButton(0)->isLit()); // the click itself pressed it

        // A fader that sends a 14-bit pair, then Blackout: the pair is the element.
        QTest::mouseClick(w.learnButton(), Qt::LeftButton);
        move("cc/2/1", 0.5f);
        move("cc/2/33", 0);
        move("cc14/2/1", 0.5f);
        form->findChild<QAction*>(QStringLiteral("BlackoutAction"))->trigger();
        QCOMPARE(rows(*w.table()),
                 (QStringList{QStringLiteral("note/1/36 cue/1/1"), QStringLiteral("cc14/2/1 blackout/toggle")}));

        // The pad presses the cue button as the panel does: dark again, then lit and live.
        move("note/1/36", 1);
        QVERIFY(!panel()->cueButton(0)->isLit());
        move("note/1/36", 0);
        move("note/1/36", 1);
        QVERIFY(panel()->cueButton(0)->isLit());
        {
            std::lock_guard lock(form->show().showLock());
            QCOMPARE(form->show().dmx.liveCue().name, vt::toCp1250(QStringLiteral("Wejście")));
        }
        // An OSC address names its action without a mapping; an unknown one does nothing.
        move("osc/vantorel/cue/1/1", 1);
        QVERIFY(!panel()->cueButton(0)->isLit());
        move("osc/other/cue", 1);

        // Export, restart, import.
        const QString file = QString::fromStdString((*dir / "mappings.txt").string());
        QVERIFY(w.exportTo(file));
        QFile exported(file);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QCOMPARE(exported.readAll(), QByteArray("note/1/36 cue/1/1\ncc14/2/1 blackout/toggle\n"));
        form.reset();
        open();
        QCOMPARE(rows(*window()->table()).size(), 2);
        window()->table()->setCurrentCell(0, 0);
        QTest::mouseClick(window()->removeButton(), Qt::LeftButton);
        QCOMPARE(rows(*window()->table()), QStringList{QStringLiteral("cc14/2/1 blackout/toggle")});
        QVERIFY(window()->importFrom(file));
        QCOMPARE(rows(*window()->table()).size(), 2);
    }

    void oscOnlyWhenChosenAndAPortInUseIsSaid()
    {
        TControllersForm& w = *window();
        QVERIFY(!w.controllers().osc().running());
        w.portBox()->setValue(8000 + (::getpid() % 1000));
        w.oscBox()->setChecked(true);
        QVERIFY(w.controllers().osc().running());
        QVERIFY(w.problemLabel()->text().isEmpty());
        KyInputQueue other;
        KyOscInput taken(other);
        std::string error;
        QVERIFY(!taken.start(std::uint16_t(w.portBox()->value()), error));
        w.oscBox()->setChecked(false);
        QVERIFY(!w.controllers().osc().running());
        QVERIFY(taken.start(std::uint16_t(w.portBox()->value()), error));
        w.oscBox()->setChecked(true);
        QVERIFY(!w.problemLabel()->text().isEmpty());
        QVERIFY(userSettings().value(QStringLiteral("controllers/osc")).toBool());
    }
};

QTEST_MAIN(ControllersFormTest)
#include "Fcontrollers_test.moc"
