// The direct-access window over a store, a universe and a panel of its own, and the main
// window's panel action and speed bars around it.

#include "app/Fmain.h"
#include "common/Fname.h"
#include "common/PText.h"
#include "common/PTrackBar.h"
#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "generator/GeneratorScale.h"
#include "library/LibraryUiSupport.h"
#include "panel/Fdirectaccess.h"
#include "panel/Fpicklist.h"
#include "panel/PPanelButton.h"
#include "sequence/CueGlobals.h"
#include "support/ModalAnswerer.h"
#include "support/WindowSystem.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <deque>
#include <memory>

namespace {

// Answers the popup menus a window opens: records the items of each menu shown, then clicks
// the next queued item (a submenu's item follows the submenu's own), or closes the menu.
class MenuAnswerer : public QObject {
public:
    MenuAnswerer()
    {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start();
    }

    std::deque<QString> clicks;
    // Per menu shown: "text", with " -" when disabled and " [x]" when checked.
    QList<QStringList> seen;

private:
    void poll()
    {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || menu == handled_)
            return;
        handled_ = menu;
        QStringList items;
        for (QAction* action : menu->actions())
            items << action->text() + (action->isEnabled() ? "" : " -") + (action->isChecked() ? " [x]" : "");
        seen << items;
        if (clicks.empty()) {
            menu->close();
            return;
        }
        QString wanted = clicks.front();
        clicks.pop_front();
        for (QAction* action : menu->actions())
            if (action->text() == wanted) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, action->menu() ? Qt::Key_Right : Qt::Key_Return);
                return;
            }
        menu->close();
    }

    QTimer timer_;
    QPointer<QMenu> handled_;
};

// A sequence whose one scene sets channel 0.
KySequence sequenceNamed(const std::string& name, std::uint8_t value)
{
    KySequence seq;
    seq.name = name;
    KyScene scene;
    scene.setStatus(0, KyChStatus{value, 0, 0, 0, 0});
    seq.appendScene(scene);
    return seq;
}

struct Rig {
    KySeque store;
    KyDmxSpace dmx;
    KyPanel panel{store, dmx};
    TDirectAccessForm::ZoneNames zoneNames{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    std::mutex lock;
    TDirectAccessForm form{panel, store, dmx, zoneNames, lock};

    KyCue& live() { return dmx.liveCue(); }

    std::int32_t addSequence(const std::string& name, std::uint8_t value)
    {
        store.addSequence(sequenceNamed(name, value));
        return store.sequenceAt(store.sequenceCount() - 1).id;
    }
    // A stored cue whose zone 1 plays the sequence.
    std::int32_t addCue(const std::string& name, std::int32_t sequenceId)
    {
        KyCue cue;
        cue.name = name;
        cue.zoneEngine(0) = KySeqEngine(store.findSharedSequence(sequenceId));
        store.addCue(cue);
        return cue.id;
    }
    KyButton& seqModel(int zone, int page, int k)
    {
        return panel.seqButtons[std::size_t(zone)].pages[std::size_t(page)][std::size_t(k)];
    }
    KyButton& cueModel(int page, int k) { return panel.cueButtons.pages[std::size_t(page)][std::size_t(k)]; }
    std::uint8_t tick()
    {
        cueTick(live(), dmx, false, false);
        return dmx.data()[0];
    }
};

void press(QWidget* button, Qt::MouseButton which = Qt::LeftButton)
{
    QTest::mousePress(button, which, {}, button->rect().center());
}

void release(QWidget* button, Qt::MouseButton which = Qt::LeftButton)
{
    QTest::mouseRelease(button, which, {}, button->rect().center());
}

void clickPanel(QWidget* button)
{
    press(button);
    release(button);
}

// The operator's double click: a click, then the second press.
void doubleClickRow(TPStringGrid* grid, int row)
{
    clickCell(grid, row, 1);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, 1));
}

bool shownRed(const TPPanelButton* button)
{
    return button->isLit() && button->palette().color(QPalette::Window) == QColor(Qt::red) &&
           button->frameShadow() == QFrame::Sunken;
}

} // namespace

class DirectAccessFormTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Rig> rig;
    ModalAnswerer* answerer = nullptr;

    // A new window over new models, for each case of a table.
    Rig& freshRig()
    {
        rig.reset();
        rig = std::make_unique<Rig>();
        return *rig;
    }

private slots:
    void init()
    {
        cueGlobals() = KyCueGlobals{};
        rig = std::make_unique<Rig>();
        answerer = new ModalAnswerer(this);
    }
    void cleanup()
    {
        delete answerer;
        rig.reset();
        QVERIFY(!cueGlobals().panelListener);
    }

    void aCuePressStartsItsCueAndPressingItAgainLoadsAnEmptyCue()
    {
        Rig& r = *rig;
        std::int32_t sequence = r.addSequence("Fala", 100);
        std::int32_t cue = r.addCue(vt::toCp1250(QStringLiteral("Wejście")), sequence);
        r.cueModel(0, 2).id = cue;
        r.form.show();
        TPPanelButton* button = r.form.cueButton(2);
        QCOMPARE(button->caption(), QStringLiteral("Wejście"));
        QCOMPARE(r.form.cueButton(0)->caption(), QStringLiteral("___v___"));
        QCOMPARE(r.form.windowTitle(), QStringLiteral("Panel sterowania"));
        r.form.speedBar()->setPosition(30);
        QSignalSpy zonesChanged(&r.form, &TDirectAccessForm::liveZonesChanged);

        clickPanel(button);
        QCOMPARE(r.live().id, cue);
        QCOMPARE(r.live().zoneEngine(0).sequenceId, sequence);
        QVERIFY(r.live().zoneEngine(0).playing);
        QVERIFY(shownRed(button));
        QCOMPARE(r.form.cueNameLabel()->text(), QStringLiteral("Wejście"));
        QCOMPARE(r.form.speedBar()->position(), 0);
        QCOMPARE(r.form.speedBar()->caption(), QStringLiteral("PRĘDKOŚĆ:  0"));
        QCOMPARE(zonesChanged.size(), 1);
        QTRY_COMPARE(r.form.playingLabel(0)->text(), QStringLiteral("Fala"));
        QCOMPARE(r.tick(), std::uint8_t(100));

        r.dmx.setManual(5, 77);
        clickPanel(button);
        QCOMPARE(r.live().id, 0);
        for (int zone = 0; zone < KyCue::kZones; ++zone)
            QCOMPARE(r.live().zoneEngine(zone).sequenceId, 0);
        QVERIFY(!button->isLit());
        QCOMPARE(button->frameShadow(), QFrame::Raised);
        QCOMPARE(r.tick(), std::uint8_t(0));
        QCOMPARE(r.dmx.data()[5], std::uint8_t(77));
        QCOMPARE(zonesChanged.size(), 2);
        QTRY_COMPARE(r.form.playingLabel(0)->text(), QString());

        // An empty button does nothing at all.
        clickPanel(r.form.cueButton(0));
        QCOMPARE(zonesChanged.size(), 2);
    }

    void aCuePressAppliesTheStatesStoredWithTheCue()
    {
        struct Case {
            std::uint8_t playState, generatorState;
            bool playing, paused, generatorsPlaying;
        };
        // A cue read from the file carries both states 0; one stored during the run, its own.
        for (const Case& c : {Case{0, 0, true, false, true}, Case{1, 2, false, true, false}}) {
            Rig& r = freshRig();
            std::int32_t cue = r.addCue("Cue", r.addSequence("Fala", 100));
            r.store.findCue(cue)->playState = c.playState;
            r.store.findCue(cue)->generatorState = c.generatorState;
            r.cueModel(0, 0).id = cue;
            r.live().pause();
            r.live().pauseGenerators();
            r.form.show();
            clickPanel(r.form.cueButton(0));
            const KySeqEngine& zone = r.live().zoneEngine(0);
            QCOMPARE(r.live().playState, c.playState);
            QCOMPARE(r.live().generatorState, c.generatorState);
            QCOMPARE(zone.playing, c.playing);
            QCOMPARE(zone.paused, c.paused);
            QCOMPARE(zone.generatorsPlaying, c.generatorsPlaying);
        }
    }

    void aZoneButtonBindsItsSequenceInTheLiveCuesState()
    {
        struct Case {
            bool stopped, generatorsStopped;
        };
        for (const Case& c : {Case{true, true}, Case{false, false}}) {
            Rig& r = freshRig();
            std::int32_t sequence = r.addSequence("Fala", 90);
            r.seqModel(3, 0, 1).id = sequence;
            if (c.stopped)
                r.live().stop();
            if (c.generatorsStopped)
                r.live().stopGenerators();
            r.form.show();
            QSignalSpy zonesChanged(&r.form, &TDirectAccessForm::liveZonesChanged);
            clickPanel(r.form.seqButton(3, 1));
            const KySeqEngine& zone = r.live().zoneEngine(3);
            QCOMPARE(zone.sequenceId, sequence);
            QCOMPARE(zone.playing, !c.stopped);
            QCOMPARE(zone.generatorsPlaying, !c.generatorsStopped);
            QVERIFY(!zone.music && zone.beatsPerStep == 1u && zone.speed == 0 && zone.active);
            QVERIFY(shownRed(r.form.seqButton(3, 1)));
            QCOMPARE(zonesChanged.size(), 1);
            // Stopped or playing, the zone shows its first scene.
            QCOMPARE(r.tick(), std::uint8_t(90));
            QCOMPARE(r.live().zoneEngine(2).sequenceId, 0);

            clickPanel(r.form.seqButton(3, 1));
            QCOMPARE(r.live().zoneEngine(3).sequenceId, 0);
            QVERIFY(!r.form.seqButton(3, 1)->isLit());
        }
    }

    // Restoring a minimised window is the window system's show: the playing zone stays lit,
    // so the next click stops it.
    void aWindowSystemShowKeepsPlayingZonesLit()
    {
        Rig& r = *rig;
        r.seqModel(3, 0, 1).id = r.addSequence("Fala", 90);
        r.form.show();
        clickPanel(r.form.seqButton(3, 1));
        QVERIFY(shownRed(r.form.seqButton(3, 1)));
        windowSystemHides(&r.form);
        windowSystemShows(&r.form);
        QVERIFY(shownRed(r.form.seqButton(3, 1)));
        clickPanel(r.form.seqButton(3, 1));
        QCOMPARE(r.live().zoneEngine(3).sequenceId, 0);
    }

    void aFlashButtonPlaysWhileHeldThenTheRememberedButtonPlaysAgain()
    {
        Rig& r = *rig;
        std::int32_t base = r.addSequence("Baza", 10);
        std::int32_t flash = r.addSequence("Błysk", 250);
        r.seqModel(1, 0, 0).id = base;
        r.seqModel(1, 2, 3).id = flash;
        r.seqModel(1, 2, 3).flash = true;
        r.form.show();

        clickPanel(r.form.seqButton(1, 0));
        QCOMPARE(r.live().zoneEngine(1).sequenceId, base);
        for (int i = 0; i < 5; ++i)
            r.tick();
        // The remembered button sits on page A; the flash button is on page C.
        click(r.form.nextPageButton(1));
        click(r.form.nextPageButton(1));
        QCOMPARE(r.form.pageLetter(1)->text(), QStringLiteral("C"));

        press(r.form.seqButton(1, 3));
        QCOMPARE(r.live().zoneEngine(1).sequenceId, flash);
        QVERIFY(shownRed(r.form.seqButton(1, 3)));
        QCOMPARE(r.tick(), std::uint8_t(250));
        release(r.form.seqButton(1, 3));
        const KySeqEngine& zone = r.live().zoneEngine(1);
        QCOMPARE(zone.sequenceId, base);
        QVERIFY(zone.playing);
        QCOMPARE(zone.tick, 0u); // from its beginning
        QCOMPARE(r.form.pageLetter(1)->text(), QStringLiteral("C"));
        QVERIFY(!r.form.seqButton(1, 3)->isLit());
        QVERIFY(r.seqModel(1, 0, 0).lit);

        // Without a remembered button the zone is left empty.
        click(r.form.previousPageButton(1));
        click(r.form.previousPageButton(1));
        clickPanel(r.form.seqButton(1, 0)); // darkens it, so nothing is remembered
        click(r.form.nextPageButton(1));
        click(r.form.nextPageButton(1));
        press(r.form.seqButton(1, 3));
        release(r.form.seqButton(1, 3));
        QCOMPARE(r.live().zoneEngine(1).sequenceId, 0);
    }

    void sequenceButtonMenuAssignsAndSetsTheOptions()
    {
        Rig& r = *rig;
        r.addSequence("Jeden", 1);
        std::int32_t second = r.addSequence("Dwa", 2);
        MenuAnswerer menus;
        answerer->onDialog([](QDialog* dialog) {
            if (auto* picker = qobject_cast<TSeqListForm*>(dialog)) {
                QCOMPARE(picker->windowTitle(), QStringLiteral("Dostępne Sekwencje"));
                return doubleClickRow(picker->itemGrid(), 1);
            }
            dialog->reject();
        });
        r.form.show();
        TPPanelButton* button = r.form.seqButton(4, 2);

        menus.clicks = {"Sekwencja ..."};
        press(button, Qt::RightButton);
        QCOMPARE(menus.seen.last(), QStringList({"Sekwencja ...", "Flash -", "Muzyka -", "Usuń -"}));
        QCOMPARE(r.seqModel(4, 0, 2).id, second);
        QCOMPARE(button->caption(), QStringLiteral("Dwa"));

        menus.clicks = {"Muzyka", "  8 bit"};
        press(button, Qt::RightButton);
        QCOMPARE(menus.seen.last(), QStringList({"  Brak [x]", "  1 bit", "  2 bit", "  4 bit", "  8 bit", "16 bit"}));
        menus.clicks = {"Flash"};
        press(button, Qt::RightButton);
        QCOMPARE(menus.seen.last(), QStringList({"Sekwencja ...", "Flash", "Muzyka", "Usuń"}));
        QCOMPARE(r.seqModel(4, 0, 2).musicPulses, 8);
        QVERIFY(r.seqModel(4, 0, 2).flash);
        menus.clicks = {"Flash"};
        press(button, Qt::RightButton);
        QCOMPARE(menus.seen.last()[1], QStringLiteral("Flash [x]"));
        QVERIFY(!r.seqModel(4, 0, 2).flash);

        clickPanel(button);
        QVERIFY(r.live().zoneEngine(4).music);
        QCOMPARE(r.live().zoneEngine(4).beatsPerStep, 8u);

        // A lit button opens no menu.
        const int menusShown = int(menus.seen.size());
        press(button, Qt::RightButton);
        QTest::qWait(50);
        QCOMPARE(int(menus.seen.size()), menusShown);

        clickPanel(button);
        menus.clicks = {"Usuń"};
        press(button, Qt::RightButton);
        QCOMPARE(r.seqModel(4, 0, 2).id, 0);
        QCOMPARE(button->caption(), QStringLiteral("___v___"));
    }

    void cueButtonMenuAssignsAndClears()
    {
        Rig& r = *rig;
        r.addCue("Pierwsze", 0);
        std::int32_t second = r.addCue("Drugie", 0);
        MenuAnswerer menus;
        answerer->onDialog([](QDialog* dialog) {
            if (auto* picker = qobject_cast<TCueListForm*>(dialog)) {
                QCOMPARE(picker->windowTitle(), QStringLiteral("Dostępne CUE"));
                picker->itemGrid()->setCurrentCell(1, 1);
                return picker->loadButton()->click();
            }
            dialog->reject();
        });
        r.form.show();
        click(r.form.cuePageButton(3));
        QVERIFY(r.form.cuePageButton(3)->isChecked() && !r.form.cuePageButton(0)->isChecked());

        menus.clicks = {"Cue ..."};
        press(r.form.cueButton(7), Qt::RightButton);
        QCOMPARE(menus.seen.last(), QStringList({"Cue ...", "Usuń -"}));
        QCOMPARE(r.cueModel(3, 7).id, second);
        QCOMPARE(r.form.cueButton(7)->caption(), QStringLiteral("Drugie"));
        click(r.form.cuePageButton(0));
        QCOMPARE(r.form.cueButton(7)->caption(), QStringLiteral("___v___"));

        click(r.form.cuePageButton(3));
        menus.clicks = {"Usuń"};
        press(r.form.cueButton(7), Qt::RightButton);
        QCOMPARE(menus.seen.last(), QStringList({"Cue ...", "Usuń"}));
        QCOMPARE(r.cueModel(3, 7).id, 0);
    }

    void pickersOfferTheRememberedRowAndRememberByTheirRule()
    {
        Rig& r = *rig;
        for (const char* name : {"A", "B", "C"}) {
            r.addSequence(name, 0);
            r.addCue(name, 0);
        }
        int seqRow = 5; // beyond the list: the first row
        TSeqListForm seqPicker(r.store, seqRow, nullptr);
        QCOMPARE(seqPicker.itemGrid()->horizontalHeaderItem(0)->text(), QString());
        QCOMPARE(seqPicker.itemGrid()->horizontalHeaderItem(1)->text(), QStringLiteral("Nazwa"));
        QCOMPARE(seqPicker.itemGrid()->text(2, 0), QStringLiteral("3"));
        QCOMPARE(seqPicker.itemGrid()->currentRow(), 0);
        seqPicker.itemGrid()->setCurrentCell(2, 1);
        seqPicker.loadButton()->click();
        QCOMPARE(seqPicker.chosen(), std::optional<int>(2));
        QCOMPARE(seqRow, 5); // "Załaduj" is not remembered by the sequence picker

        TSeqListForm byDoubleClick(r.store, seqRow, nullptr);
        QVERIFY(showActive(&byDoubleClick));
        doubleClickRow(byDoubleClick.itemGrid(), 1);
        QCOMPARE(byDoubleClick.chosen(), std::optional<int>(1));
        QCOMPARE(seqRow, 1);
        QCOMPARE(byDoubleClick.result(), int(QDialog::Accepted));

        int cueRow = 0;
        TCueListForm cuePicker(r.store, cueRow, nullptr);
        QCOMPARE(cuePicker.itemGrid()->horizontalHeaderItem(1)->text(), QStringLiteral("CUE"));
        cuePicker.itemGrid()->setCurrentCell(2, 1);
        cuePicker.loadButton()->click();
        QCOMPARE(cueRow, 2);
        TCueListForm again(r.store, cueRow, nullptr);
        QCOMPARE(again.itemGrid()->currentRow(), 2);
        again.cancelButton()->click();
        QVERIFY(!again.chosen());

        KySeque empty;
        TCueListForm nothing(empty, cueRow, nullptr);
        nothing.loadButton()->click();
        QVERIFY(!nothing.chosen());
        QCOMPARE(nothing.result(), int(QDialog::Rejected));
    }

    void transportAndPageButtons()
    {
        Rig& r = *rig;
        struct Case {
            QPushButton* button;
            std::uint8_t state;
        };
        for (const Case& c : {Case{r.form.stopButton(), 2}, Case{r.form.pauseButton(), 1},
                              Case{r.form.startButton(), 0}}) {
            click(c.button);
            QCOMPARE(r.live().playState, c.state);
            QCOMPARE(r.live().generatorState, c.state);
        }
        QCOMPARE(r.form.startButton()->text(), QStringLiteral("Start"));

        r.form.show();
        click(r.form.previousPageButton(0));
        QCOMPARE(r.form.pageLetter(0)->text(), QStringLiteral("A"));
        for (int i = 0; i < 12; ++i)
            click(r.form.nextPageButton(0));
        QCOMPARE(r.form.pageLetter(0)->text(), QStringLiteral("J"));
        QCOMPARE(r.form.pageLetter(1)->text(), QStringLiteral("A"));
    }

    void theZoneNameDialogRenamesTheZone()
    {
        Rig& r = *rig;
        r.form.show();
        QTRY_COMPARE(r.form.zoneNameLabel(6)->text(), QStringLiteral("7"));
        QString answer = QStringLiteral("Scena główna przy barze");
        answerer->onDialog([&answer](QDialog* dialog) {
            auto* names = qobject_cast<TNameForm*>(dialog);
            if (!names)
                return dialog->reject();
            QCOMPARE(names->windowTitle(), QStringLiteral("Podaj nazwę"));
            QCOMPARE(names->nameEdit()->maxLength(), 16);
            names->nameEdit()->selectAll();
            typeText(names->nameEdit(), answer);
            answer.isEmpty() ? names->cancelButton()->click() : names->okButton()->click();
        });
        press(r.form.zoneNameLabel(6), Qt::RightButton);
        QCOMPARE(r.zoneNames[6], vt::toCp1250(QStringLiteral("Scena główna prz")));
        QCOMPARE(r.form.zoneNameLabel(6)->text(), QStringLiteral("Scena główna prz"));

        answer.clear();
        press(r.form.zoneNameLabel(6), Qt::RightButton);
        QCOMPARE(r.zoneNames[6], vt::toCp1250(QStringLiteral("Scena główna prz")));
        // A left click opens nothing.
        press(r.form.zoneNameLabel(6));
        QTest::qWait(30);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void theSpeedSliderShiftsFromTheReportedSpeedUntilAnotherControlReports()
    {
        rig.reset(); // the main window's own panel installs the listener
        QTemporaryDir dir;
        StartOptions options;
        options.dataDirectory = dir.path().toStdString();
        auto main = std::make_unique<TMainForm>(options);
        main->QWidget::show(); // its tool windows are docked in it
        main->show();
        KyShow& show = main->show();
        auto* action = main->findChild<QAction*>("DirectPanelAction");
        QTRY_VERIFY(action->isEnabled());
        action->trigger();
        TDirectAccessForm* panel = main->directAccessForm();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->window(), main.get()); // docked in the main window

        auto* cueSpeed = main->findChild<TPTrackBar*>("CueSpeedTBar");
        cueSpeed->setPosition(20);
        panel->speedBar()->setPosition(30);
        QCOMPARE(panel->speedBar()->caption(), QStringLiteral("PRĘDKOŚĆ:  30"));
        {
            std::lock_guard lock(show.showLock());
            QCOMPARE(show.dmx.liveCue().speed, 50);
            QCOMPARE(show.dmx.liveCue().reportedSpeed, 20);
            QCOMPARE(show.dmx.liveCue().generatorSpeed, generatorSpeedFactor(30));
        }

        QTRY_COMPARE(cueSpeed->position(), 50); // the main window shows the live speed
        cueSpeed->setPosition(-10);
        QCOMPARE(panel->speedBar()->position(), 0);
        QCOMPARE(panel->speedBar()->caption(), QStringLiteral("PRĘDKOŚĆ:  0"));
        {
            std::lock_guard lock(show.showLock());
            QCOMPARE(show.dmx.liveCue().speed, -10);
        }

        main.reset();
        QVERIFY(!cueGlobals().panelListener);
    }
};

QTEST_MAIN(DirectAccessFormTest)
#include "Fdirectaccess_test.moc"
