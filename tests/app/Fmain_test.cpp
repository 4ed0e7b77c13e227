#include "app/Fmain.h"
#include "club/PDevIcon.h"
#include "common/Fname.h"
#include "common/PTrackBar.h"
#include "dmx/Fdmxspace.h"
#include "dmx/Fdmxtracker.h"
#include "functions/Fblackout.h"
#include "functions/Flight.h"
#include "functions/PDimmerControl.h"
#include "library/LibraryFile.h"
#include "panel/Fdirectaccess.h"
#include "sequence/CueGlobals.h"
#include "sequence/Fsequence.h"
#include "sequence/SequenceFile.h"
#include "support/ModalAnswerer.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <csignal>
#include <tuple>
#include <filesystem>
#include <tuple>
#include <fstream>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

class MainFormTest : public QObject {
    Q_OBJECT
    fs::path dir;

    StartOptions options()
    {
        StartOptions o;
        o.dataDirectory = dir.string();
        return o;
    }

    // A device of a type with a shutter alone, then one of a type with pan/tilt alone.
    void writeInstallation()
    {
        KyLibrary library;
        KyDevice shutterOnly;
        shutterOnly.shutter.active = true;
        KyDevice head;
        head.panTilt.active = true;
        for (const KyDevice& type : {shutterOnly, head}) {
            library.addDevice(type);
            KyClubDevice device(library.deviceAt(library.deviceCount() - 1));
            device.iconLeft = 100 * static_cast<std::int32_t>(library.deviceCount());
            library.club.addClubDevice(device);
        }
        QVERIFY(saveLibrary(library, (dir / "library.vt2").string()));
        QVERIFY(library.club.save((dir / "club.vt2").string()));
    }

    static void click(QWidget* w)
    {
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(w, &event);
        }
    }

    static QStringList enabledFunctions(TMainForm& form)
    {
        QStringList names;
        for (QAction* action : form.findChild<QToolBar*>("FunctionToolBar")->actions().mid(0, 10))
            if (action->isEnabled())
                names << action->objectName();
        return names;
    }

private slots:
    void init()
    {
        dir = fs::temp_directory_path() / ("vt-mainform-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void cleanup() { fs::remove_all(dir); }

    void firstStartShowsOnePageAndNoModule()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        form.showMaximized();
        QVERIFY(form.windowState() & Qt::WindowMaximized);
        QCOMPARE(form.pageControl()->count(), 1);
        QCOMPARE(form.pageControl()->tabText(0), QStringLiteral("Strona 1"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Vantorel: brak modułu DMX"));
        QVERIFY(form.timer().Enabled());
        QCOMPARE(form.timer().Interval(), 50);
    }

    void pagesComeFromTheConfiguration()
    {
        std::ofstream(dir / "vt2.cnf") << "[MAIN PAGE CONTORL]\nPages=2\nTabSheet0=Scena\nTabSheet1=Bar \xA3\n";
        ModalAnswerer answerer;
        TMainForm form(options());
        QCOMPARE(form.pageControl()->count(), 2);
        QCOMPARE(form.pageControl()->tabText(0), QStringLiteral("Scena"));
        QCOMPARE(form.pageControl()->tabText(1), QStringLiteral("Bar Ł"));
    }

    void answeringNoKeepsTheProgramRunning()
    {
        ModalAnswerer answerer;
        answerer.expectMessage("No");
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        QVERIFY(!form.close());
        QVERIFY(answerer.seen.contains(QStringLiteral("Zamknąć program?")));
        QCOMPARE(form.show().closeState(), std::uint8_t(KyShow::Running));
        QVERIFY(form.timer().Enabled());

        answerer.expectMessage("Yes");
        QVERIFY(form.close());
        QVERIFY(!form.timer().Enabled());
    }

    void menusListTheirItemsInOrder()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        const QStringList expected = {
            "System: &Biblioteka urządzeń | &Konfiguracja DMX | Ruch ikon | &Strony | Podgląd | - | Przestrzeń DMX | Moduł Dmx | Wyjście OLA | Źródło rytmu | Zdalny pulpit | Sterowniki | - | Język / Language | - | &Zakończ",
            "&Edycja: Cofnij | Ponów",
            "&Funkcje: Światło | Lampa | Pan Tilt | Kolor | Mixer kolorów | Gobo | Efekt | Optyka | Dimmery | - | Reset | Blackout",
            "&Program: &Sekwencje | &Cue | Panel sterowania | - | Start | Pauza | Stop | - | Manual OFF | Muzyka",
            "&Widok: Przywróć układ",
            "Pomoc: O programie",
        };
        QStringList menus;
        for (QAction* menu : form.menuBar()->actions()) {
            QStringList items;
            for (QAction* item : menu->menu()->actions())
                items << (item->isSeparator() ? QStringLiteral("-") : item->text());
            menus << menu->text() + ": " + items.join(" | ");
        }
        QCOMPARE(menus, expected);
    }

    void actionsCarryTheirHintsAndShortcut()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        const QList<std::pair<const char*, QString>> hints = {
            {"FloorsAction", "Strony"},          {"MixerAction", "RGB/CMY"},
            {"SequenceAction", "Sekwencje"},     {"CueAction", "Cue"},
            {"ManualOffAction", "Manual Off"},   {"MusicAction", "Muzyka/Zegar"},
            {"GeneratorPlayAction", "Start generatorów"}, {"GeneratorPauseAction", "Pauza generatorów"},
            {"GeneratorStopAction", "Stop generatorów"},
        };
        for (const auto& [name, hint] : hints) {
            auto* action = form.findChild<QAction*>(name);
            QVERIFY2(action, name);
            // A disabled action says why on the lines below its hint.
            QCOMPARE(action->toolTip().section('\n', 0, 0), hint);
            QVERIFY(action->statusTip().isEmpty()); // the status bar stays empty
        }
        QCOMPARE(form.findChild<QAction*>("ExitAction")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
    }

    void toolbarsHoldTheFunctionsTransportAndBars()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        QStringList functions;
        for (QAction* action : form.findChild<QToolBar*>("FunctionToolBar")->actions())
            functions << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(functions.mid(0, 11), QStringList({"ResetAction", "LightAction", "LampAction", "PanTiltAction",
                                                     "ColorAction", "MixerAction", "GoboAction", "EffectAction",
                                                     "OpticAction", "DimmersAction", "-"}));
        // Nothing is selected, so no function can be used.
        for (int i = 0; i < 10; ++i)
            QVERIFY(!form.findChild<QToolBar*>("FunctionToolBar")->actions()[i]->isEnabled());

        struct Bar {
            const char* name;
            int min, max, position;
            QString caption;
        };
        for (const Bar& b : {Bar{"CueSpeedTBar", -100, 100, 0, "PRĘDKOŚĆ CUE:  0"},
                             Bar{"GeneratorAmplitudeTBar", 0, 100, 100, "AMPLITUDA GENERATORÓW:  100"},
                             Bar{"GeneratorSpeedTBar", -100, 100, 0, "PRĘDKOŚĆ GENERATORÓW:  0"}}) {
            auto* bar = form.findChild<TPTrackBar*>(b.name);
            QVERIFY2(bar, b.name);
            QVERIFY(!bar->isVertical());
            QCOMPARE(bar->min(), b.min);
            QCOMPARE(bar->max(), b.max);
            QCOMPARE(bar->position(), b.position);
            QCOMPARE(bar->caption(), b.caption);
        }
    }

    void functionActionsFollowTheReferenceDevicesType()
    {
        writeInstallation();
        ModalAnswerer answerer;
        TMainForm form(options());
        const auto& icons = form.pageControl()->iconWidgets();
        QCOMPARE(icons.size(), std::size_t(2));
        QCOMPARE(enabledFunctions(form), QStringList());

        click(icons[0]);
        QTRY_COMPARE(enabledFunctions(form), QStringList({"LightAction"}));
        click(icons[1]);
        QTRY_COMPARE(enabledFunctions(form), QStringList({"PanTiltAction"}));
        click(icons[1]);
        QTRY_COMPARE(enabledFunctions(form), QStringList({"LightAction"}));
        click(icons[0]);
        QTRY_COMPARE(enabledFunctions(form), QStringList());
    }

    // The action opens and closes its window and shows checked while the window is on
    // screen; the window stays wanted while a reference device without light hides it.
    void functionActionsOpenTheirWindows()
    {
        writeInstallation();
        ModalAnswerer answerer;
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        const auto& icons = form.pageControl()->iconWidgets();
        auto* light = form.findChild<QAction*>("LightAction");
        auto* window = form.findChild<TLightForm*>();
        QCOMPARE(window->window(), &form); // docked in the main window

        click(icons[0]);
        QTRY_VERIFY(light->isEnabled());
        light->trigger();
        QVERIFY(window->isVisible());
        QVERIFY(light->isChecked());

        click(icons[1]);
        QTRY_VERIFY(!window->isVisible());
        QVERIFY(!light->isChecked());
        click(icons[1]);
        QTRY_VERIFY(window->isVisible());
        QVERIFY(light->isChecked());

        light->trigger();
        QVERIFY(!window->isVisible());
        QVERIFY(!window->userOpened());
        QTest::qWait(60);
        QVERIFY(!light->isChecked());
    }

    // The update pass keeps running inside the modal window; it must not bring the function
    // windows back over a library or installation that is being changed.
    void libraryAndInstallationKeepTheFunctionWindowsHidden()
    {
        for (const char* action : {"LibraryAction", "ClubAction"}) {
            writeInstallation();
            ModalAnswerer answerer;
            TMainForm form(options());
            form.QWidget::show(); // show() is the show's
            auto* window = form.findChild<TLightForm*>();
            click(form.pageControl()->iconWidgets()[0]);
            QTRY_VERIFY(form.findChild<QAction*>("LightAction")->isEnabled());
            form.findChild<QAction*>("LightAction")->trigger();
            QVERIFY(window->isVisible());

            bool shownDuringDialog = true;
            bool answered = false;
            answerer.onDialog([&](QDialog* dialog) {
                if (std::exchange(answered, true))
                    return; // the answerer polls on while this waits
                QTest::qWait(300); // several update passes
                shownDuringDialog = window->isVisible();
                dialog->reject();
            });
            form.findChild<QAction*>(action)->trigger();
            QVERIFY2(!shownDuringDialog, action);
            QVERIFY(window->userOpened());

            // The icons were rebuilt, so the device must be selected again to bring it back.
            QTest::qWait(100);
            QVERIFY(!window->isVisible());
            click(form.pageControl()->iconWidgets()[0]);
            QTRY_VERIFY(window->isVisible());
        }
    }

    void blackoutActionFollowsItsWindow()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        auto* action = form.findChild<QAction*>("BlackoutAction");
        auto* window = form.findChild<TBlackoutForm*>();
        QVERIFY(action->isEnabled());
        QVERIFY(!action->isChecked());

        action->trigger();
        QVERIFY(window->isVisible());
        QVERIFY(action->isChecked());
        {
            std::lock_guard lock(form.show().showLock());
            QVERIFY(form.show().usb.blackoutActive);
        }
        QTest::mouseClick(window->offButton(), Qt::LeftButton);
        QTRY_VERIFY(!action->isChecked());
        {
            std::lock_guard lock(form.show().showLock());
            QVERIFY(!form.show().usb.blackoutActive);
        }
        action->trigger();
        QVERIFY(window->isVisible());
        action->trigger();
        QVERIFY(!window->isVisible());
    }

    void iconMoveActionGreysTheIcons()
    {
        writeInstallation();
        ModalAnswerer answerer;
        TMainForm form(options());
        QLabel* label = form.pageControl()->iconWidgets()[0]->label();
        auto* iconMove = form.findChild<QAction*>("IconMoveAction");
        iconMove->trigger();
        QVERIFY(form.show().icons.moveMode());
        QCOMPARE(label->palette().color(QPalette::Window), QColor(128, 128, 128));
        iconMove->trigger();
        QVERIFY(!form.show().icons.moveMode());
        QCOMPARE(label->palette().color(QPalette::Window), QColor(0, 128, 0));
    }

    // "Edycja" undoes in the window in use: an icon dragged on the pages, then a scene added in
    // the sequence editor once it has the focus.
    void editMenuUndoesInTheWindowInUse()
    {
        writeInstallation();
        ModalAnswerer answerer;
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        auto* undo = form.findChild<QAction*>("UndoAction");
        auto* redo = form.findChild<QAction*>("RedoAction");
        QCOMPARE(undo->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(redo->shortcuts(), QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
        QVERIFY(!undo->isEnabled());

        form.findChild<QAction*>("IconMoveAction")->trigger();
        QWidget* icon = form.pageControl()->iconWidgets()[0];
        const auto& device = form.show().library.club.clubDevices[0];
        const int left = device->iconLeft;
        for (auto [type, at, button, buttons] :
             {std::tuple{QEvent::MouseButtonPress, 10, Qt::LeftButton, Qt::LeftButton},
              std::tuple{QEvent::MouseMove, 60, Qt::NoButton, Qt::LeftButton},
              std::tuple{QEvent::MouseButtonRelease, 60, Qt::LeftButton, Qt::NoButton}}) {
            QMouseEvent event(type, QPointF(at, 10), icon->mapToGlobal(QPointF(at, 10)), button, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(icon, &event);
        }
        QCOMPARE(device->iconLeft, left + 50);
        QTRY_COMPARE(undo->text(), QStringLiteral("Cofnij przesunięcie ikony"));
        undo->trigger();
        QCOMPARE(form.show().library.club.clubDevices[0]->iconLeft, left);
        QCOMPARE(form.pageControl()->iconWidgets()[0]->x(), left);
        QCOMPARE(redo->text(), QStringLiteral("Ponów przesunięcie ikony"));

        form.findChild<QAction*>("SequenceAction")->trigger();
        form.sequenceForm()->addSceneButton()->setFocus();
        QTest::mouseClick(form.sequenceForm()->addSceneButton(), Qt::LeftButton);
        QTRY_COMPARE(undo->text(), QStringLiteral("Cofnij dodanie sceny"));
        undo->trigger();
        std::lock_guard lock(form.show().showLock());
        QCOMPARE(form.show().dmx.editedSequence()->sceneCount(), 1u);
    }

    void barsDriveTheLiveCueAndShowItsValues()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        KyShow& show = form.show();
        auto* cueSpeed = form.findChild<TPTrackBar*>("CueSpeedTBar");
        auto* generatorSpeed = form.findChild<TPTrackBar*>("GeneratorSpeedTBar");
        auto* amplitude = form.findChild<TPTrackBar*>("GeneratorAmplitudeTBar");
        QVERIFY(cueSpeed->isEnabled());

        cueSpeed->setPosition(40);
        generatorSpeed->setPosition(-100);
        amplitude->setPosition(30);
        {
            std::lock_guard lock(show.showLock());
            const KyCue& live = show.dmx.liveCue();
            QCOMPARE(live.speed, 40);
            QVERIFY(std::abs(live.generatorSpeed - 0.125) < 1e-12);
            QVERIFY(std::abs(cueGlobals().generatorSpeed - 0.125) < 1e-12);
            QVERIFY(std::abs(live.generatorAmplitude - 0.3) < 1e-12);
        }
        QTRY_COMPARE(cueSpeed->caption(), QStringLiteral("PRĘDKOŚĆ CUE:  40"));
        QCOMPARE(generatorSpeed->caption(), QStringLiteral("PRĘDKOŚĆ GENERATORÓW:  -100"));
        QCOMPARE(amplitude->caption(), QStringLiteral("AMPLITUDA GENERATORÓW:  30"));

        {
            std::lock_guard lock(show.showLock());
            KyCue& live = show.dmx.liveCue();
            live.setSpeed(-20, true);
            live.setGeneratorSpeed(2.0, true);
            live.setGeneratorAmplitude(0.75);
        }
        QTRY_COMPARE(generatorSpeed->caption(), QStringLiteral("PRĘDKOŚĆ GENERATORÓW:  34"));
        QCOMPARE(generatorSpeed->position(), 34);
        QCOMPARE(cueSpeed->position(), -20);
        QCOMPARE(cueSpeed->caption(), QStringLiteral("PRĘDKOŚĆ CUE:  -20"));
        QCOMPARE(amplitude->caption(), QStringLiteral("AMPLITUDA GENERATORÓW:  75"));
        // Showing a value does not write it back.
        std::lock_guard lock(show.showLock());
        QCOMPARE(show.dmx.liveCue().generatorSpeed, 2.0);
    }

    void transportButtonsDriveAndShowTheLiveCuesStates()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        KyShow& show = form.show();
        auto action = [&](const char* name) { return form.findChild<QAction*>(name); };
        auto states = [&] {
            std::lock_guard lock(show.showLock());
            return std::pair<int, int>(show.dmx.liveCue().playState, show.dmx.liveCue().generatorState);
        };
        QTRY_VERIFY(action("PlayAction")->isChecked());
        QVERIFY(action("GeneratorPlayAction")->isChecked());

        action("StopAction")->trigger();
        action("GeneratorPauseAction")->trigger();
        QCOMPARE(states(), std::pair(2, 1));
        QVERIFY(!action("PlayAction")->isChecked());

        {
            std::lock_guard lock(show.showLock());
            show.dmx.liveCue().pause();
            show.dmx.liveCue().stopGenerators();
        }
        QTRY_VERIFY(action("PauseAction")->isChecked());
        QTRY_VERIFY(action("GeneratorStopAction")->isChecked());
        QVERIFY(!action("StopAction")->isChecked());

        action("PlayAction")->trigger();
        action("GeneratorPlayAction")->trigger();
        QCOMPARE(states(), std::pair(0, 0));
    }

    void dmxTrackerButtonShowsAndClosesTheTracker()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        auto* button = form.findChild<QToolButton*>("DmxTrackerButton");
        QVERIFY(button->isEnabled());
        QCOMPARE(form.dmxTrackerForm()->window(), &form); // docked in the main window
        button->click();
        QVERIFY(form.dmxTrackerForm()->isVisible());
        button->click();
        QVERIFY(!form.dmxTrackerForm()->isVisible());
    }

    void manualOffDropsHeldChannelsAtTheNextTick()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        KyShow& show = form.show();
        {
            std::lock_guard lock(show.showLock());
            for (int i = 0; i < KyDmxSpace::kChannels; ++i)
                show.dmx.setManual(i, 120);
        }
        show.tick();
        {
            std::lock_guard lock(show.showLock());
            QCOMPARE(show.dmx.data()[0], std::uint8_t(120));
        }

        form.findChild<QAction*>("ManualOffAction")->trigger();
        show.tick();
        std::lock_guard lock(show.showLock());
        for (int i = 0; i < KyDmxSpace::kChannels; ++i) {
            QCOMPARE(show.dmx.data()[static_cast<std::size_t>(i)], std::uint8_t(0));
            QVERIFY(!show.dmx.isHeld(i));
        }
    }

    void musicActionSwitchesMusicModeAndItsPicture()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        auto* music = form.findChild<QAction*>("MusicAction");
        auto looksLike = [](const QIcon& icon, const char* file) {
            return icon.pixmap(24).toImage() == QIcon(QString(":/icons/%1.svg").arg(file)).pixmap(24).toImage();
        };
        QVERIFY(!music->isChecked());
        QVERIFY(looksLike(music->icon(), "clock"));

        music->trigger();
        QVERIFY(music->isChecked());
        QVERIFY(looksLike(music->icon(), "music"));
        {
            std::lock_guard lock(form.show().showLock());
            QVERIFY(form.show().musicMode);
        }

        music->trigger();
        QVERIFY(looksLike(music->icon(), "clock"));
        std::lock_guard lock(form.show().showLock());
        QVERIFY(!form.show().musicMode);
    }

    // The editor takes the live output: the cue stops, the panel closes, the cue speed and the
    // generators are held at normal until "Koniec" gives them back and the cue plays again.
    void sequenceActionOpensTheEditor()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        KyShow& show = form.show();
        auto action = [&](const char* name) { return form.findChild<QAction*>(name); };
        auto* cueSpeed = form.findChild<TPTrackBar*>("CueSpeedTBar");
        auto* generatorSpeed = form.findChild<TPTrackBar*>("GeneratorSpeedTBar");
        auto* amplitude = form.findChild<TPTrackBar*>("GeneratorAmplitudeTBar");
        generatorSpeed->setPosition(50);
        amplitude->setPosition(20);
        form.directAccessForm()->show();
        QVERIFY(action("SequenceAction")->isEnabled());

        action("SequenceAction")->trigger();
        QVERIFY(form.sequenceForm()->isVisible());
        QCOMPARE(form.sequenceForm()->window(), &form); // docked in the main window
        QVERIFY(!form.directAccessForm()->isVisible());
        {
            std::lock_guard lock(show.showLock());
            QCOMPARE(show.dmx.liveCue().playState, std::uint8_t(KyCue::Stopped));
            QCOMPARE(show.dmx.liveCue().generatorSpeed, 1.0);
            QCOMPARE(show.dmx.liveCue().generatorAmplitude, 1.0);
            QVERIFY(show.dmx.recordingMode);
        }
        QTRY_VERIFY(!cueSpeed->isEnabled());
        QVERIFY(!action("CueAction")->isEnabled());
        QVERIFY(!action("DirectPanelAction")->isEnabled());
        QCOMPARE(generatorSpeed->position(), 0);
        QCOMPARE(amplitude->position(), 100);
        QVERIFY(!generatorSpeed->isEnabled() && !amplitude->isEnabled());
        for (const char* name : {"GeneratorPlayAction", "GeneratorPauseAction", "GeneratorStopAction"})
            QVERIFY(!action(name)->isEnabled());

        // Saving writes the show's sequences file at once.
        answerer.onDialog([](QDialog* dialog) {
            qobject_cast<TNameForm*>(dialog)->nameEdit()->setText("Nowa");
            qobject_cast<TNameForm*>(dialog)->okButton()->click();
        });
        QTest::mouseClick(form.sequenceForm()->saveButton(), Qt::LeftButton);
        KySeque saved;
        QCOMPARE(loadSequences(saved, (dir / "sequences.vt2").string()), vt::LoadStatus::Complete);
        QCOMPARE(saved.sequenceCount(), std::size_t(1));
        QCOMPARE(saved.sequenceAt(0).name, std::string("Nowa"));

        QTest::mouseClick(form.sequenceForm()->closeButton(), Qt::LeftButton);
        QTRY_VERIFY(cueSpeed->isEnabled());
        QVERIFY(action("DirectPanelAction")->isEnabled());
        QVERIFY(generatorSpeed->isEnabled() && amplitude->isEnabled());
        QVERIFY(action("GeneratorPlayAction")->isEnabled());
        std::lock_guard lock(show.showLock());
        QCOMPARE(show.dmx.liveCue().playState, std::uint8_t(KyCue::Playing));
        QVERIFY(!show.dmx.recordingMode);
    }

    // A data file that is there but cannot be read is named once at start-up and left as it
    // is by the exit save, which says nothing about it.
    void anUnreadableFileIsNamedAtStartUpAndKept()
    {
        fs::create_directories(dir / "sequences.vt2" / "inside");
        ModalAnswerer answerer;
        {
            TMainForm form(options());
            form.QWidget::show(); // show() is the show's
            QCOMPARE(answerer.seen, QStringList({QStringLiteral("Nie można odczytać pliku sequences.vt2: to jest "
                                                                    "folder. Plik nie zostanie nadpisany."),
                                                 QStringLiteral("BRAK MODUŁU DMX")}));
        }
        QCOMPARE(answerer.seen.size(), 2);
        QVERIFY(fs::is_directory(dir / "sequences.vt2" / "inside"));
        QVERIFY(fs::exists(dir / "cues.vt2"));
    }

    void dmxSpaceActionShowsTheMonitorInTheMainWindow()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        QVERIFY(!form.dmxSpaceForm()->isVisible());
        form.findChild<QAction*>("DmxSpaceAction")->trigger();
        QVERIFY(form.dmxSpaceForm()->isVisible());
        QCOMPARE(form.dmxSpaceForm()->window(), &form); // docked in the main window
    }

    // SIGTERM (logout, shutdown, kill) runs the close sequence without the question: output
    // stops, what changed since the start is saved, and the program leaves its loop with 0.
    // A second signal while it closes changes nothing. Last: it ends the event loop.
    void aSignalClosesWithoutTheQuestionAndSaves()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        form.show().pageNames[0] = "Scena";
        form.show().panel.cueButtons.button(2).id = 5;
        const int startUpMessages = answerer.seen.size(); // "BRAK MODUŁU DMX"
        ::kill(::getpid(), SIGTERM);
        ::kill(::getpid(), SIGTERM);
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(answerer.seen.size(), startUpMessages);
        QVERIFY(!form.timer().Enabled());

        KyShow saved(DataPaths::in(dir.string()));
        std::vector<std::string> warnings;
        saved.loadAll(warnings);
        QVERIFY(warnings.empty());
        QCOMPARE(saved.pageNames, std::vector<std::string>{"Scena"});
        QCOMPARE(saved.panel.cueButtons.button(2).id, 5);
    }
};

QTEST_MAIN(MainFormTest)
#include "Fmain_test.moc"
