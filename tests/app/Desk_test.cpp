// The desk as an operator meets it in the first hour: where the tool windows go and come
// back to, their decorations, Qt's own texts in Polish, and what the main window tells about
// held channels and disabled actions.

#include "app/Fmain.h"
#include "club/PDevIcon.h"
#include "common/PToolWindow.h"
#include "common/PTranslation.h"
#include "functions/Fblackout.h"
#include "functions/Fwheel.h"
#include "functions/Flight.h"
#include "functions/Fpantilt.h"
#include "library/LibraryFile.h"
#include "support/ModalAnswerer.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QSet>
#include <QSettings>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <filesystem>
#include <optional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

QSettings userSettings()
{
    return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
}

QRect globalRect(const QWidget* w)
{
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

// Each dock's column (its left edge) and its rank from the top in that column.
QMap<TFunctionForm*, QPoint> columnRanks(const QMap<TFunctionForm*, QRect>& places)
{
    QMap<TFunctionForm*, QPoint> result;
    for (auto i = places.begin(); i != places.end(); ++i) {
        int rank = 0;
        for (const QRect& other : places)
            rank += other.left() == i.value().left() && other.top() < i.value().top();
        result[i.key()] = QPoint(i.value().left(), rank);
    }
    return result;
}

QByteArray rectText(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toUtf8();
}

QDockWidget* dockOf(QWidget* window)
{
    for (QWidget* w = window; w; w = w->parentWidget())
        if (auto* dock = qobject_cast<QDockWidget*>(w))
            return dock;
    return nullptr;
}

// Where the docks of the shown windows are, on the screen.
QMap<TFunctionForm*, QRect> dockPlaces(const QList<TFunctionForm*>& windows)
{
    QMap<TFunctionForm*, QRect> places;
    for (TFunctionForm* window : windows)
        if (window->isVisible() && !window->visibleRegion().isEmpty()) // not behind another tab
            places[window] = globalRect(dockOf(window));
    return places;
}

} // namespace

class DeskTest : public QObject {
    Q_OBJECT
    fs::path dir;

    StartOptions options()
    {
        StartOptions o;
        o.dataDirectory = dir.string();
        return o;
    }

    // A device whose type has light, then one whose type has pan/tilt alone.
    void writeInstallation()
    {
        KyDevice light;
        light.name = "Par";
        light.intensity.active = true;
        KyDevice head;
        head.name = "Skaner";
        head.panTilt.active = true;
        installSideBySide({light, head});
    }

    // A head with seven functions and a par with light and a colour mixer.
    void writeHeadAndPar()
    {
        KyDevice head;
        head.name = "Głowa ruchoma";
        head.reset.active = true;
        head.intensity.active = true;
        head.lampOn.active = true;
        head.panTilt.active = true;
        head.color1.wheel.active = true;
        head.gobo1.wheel.active = true;
        head.optic.optic1.active = true;
        KyDevice par;
        par.name = "Par LED";
        par.intensity.active = true;
        par.color2.active = true;
        installSideBySide({head, par});
    }

    // Installs one device of each type, their icons side by side, and writes the show's files.
    void installSideBySide(std::initializer_list<KyDevice> types)
    {
        KyLibrary library;
        for (const KyDevice& type : types) {
            library.addDevice(type);
            KyClubDevice device(library.deviceAt(library.deviceCount() - 1));
            device.name = type.name;
            device.iconLeft = 100 * static_cast<std::int32_t>(library.deviceCount());
            library.club.addClubDevice(device);
        }
        QVERIFY(saveLibrary(library, (dir / "library.vt2").string()));
        QVERIFY(library.club.save((dir / "club.vt2").string()));
    }

    // Opens every function window the reference device offers.
    static QList<TFunctionForm*> openEveryFunction(TMainForm& form)
    {
        QList<TFunctionForm*> windows;
        for (TFunctionForm* window : form.findChildren<TFunctionForm*>()) {
            auto* action = form.findChild<QAction*>(QString::fromLatin1(mainform::kFunctionActions[int(window->function())].name));
            if (!QTest::qWaitFor([&] { return action->isEnabled(); }, 200))
                continue;
            action->trigger();
            windows << window;
        }
        for (TFunctionForm* window : windows)
            if (!QTest::qWaitFor([&] { return !window->isHidden(); }))
                return {};
        return windows;
    }

    static void click(QWidget* w)
    {
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(w, &event);
        }
    }

    // Selects the light device and opens its window.
    static TLightForm* openLight(TMainForm& form)
    {
        form.QWidget::show(); // show() is the show's
        auto* light = form.findChild<QAction*>("LightAction");
        click(form.pageControl()->iconWidgets()[0]);
        if (!QTest::qWaitFor([&] { return light->isEnabled(); }))
            return nullptr;
        light->trigger();
        return form.findChild<TLightForm*>();
    }

    static void quit(TMainForm& form, ModalAnswerer& answerer)
    {
        answerer.expectMessage("Tak");
        QVERIFY(form.close());
    }

private slots:
    void initTestCase() { QVERIFY(vt::installQtPolish()); }

    void init()
    {
        dir = fs::temp_directory_path() / ("vt-desk-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        userSettings().clear();
    }
    void cleanup() { fs::remove_all(dir); }

    // With a moving head and a par selected, every function window the head offers opens at
    // once: each whole on the screen, clear of the others and of the pages. Deselected and
    // selected again, each comes back to the same place.
    void functionWindowsOpenSideBySideAndComeBack()
    {
        writeHeadAndPar();
        ModalAnswerer answerer;
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        click(form.pageControl()->iconWidgets()[1]); // the par
        click(form.pageControl()->iconWidgets()[0]); // the head, the reference
        const QList<TFunctionForm*> windows = openEveryFunction(form);
        QCOMPARE(windows.size(), 7);
        QTest::qWait(100); // laid out
        // The title of a window in a tab group shows, and tells it from the others of the
        // same device.
        QSet<QString> titles;
        for (TFunctionForm* window : windows) {
            QVERIFY(window->isVisible() || !form.tabifiedDockWidgets(dockOf(window)).isEmpty());
            titles.insert(dockOf(window)->windowTitle());
        }
        QCOMPARE(titles.size(), windows.size());
        QCOMPARE(dockOf(form.findChild<TColorForm*>())->windowTitle(), "Kolor: " + form.findChild<TColorForm*>()->windowTitle());
        const QMap<TFunctionForm*, QRect> places = dockPlaces(windows);
        QVERIFY(places.size() > 1);
        // The main window covers the screen (the test platform adds a frame of its own).
        QVERIFY(form.size().boundedTo(form.screen()->availableGeometry().size()) == form.size());
        const QRect screen = globalRect(&form);
        const QRect pages = globalRect(form.pageControl());
        for (auto i = places.begin(); i != places.end(); ++i) {
            const QByteArray title = i.key()->metaObject()->className();
            QVERIFY2(screen.contains(i.value()), title + " " + rectText(i.value()) + " on " + rectText(screen));
            QVERIFY2(!i.value().intersects(pages), title.constData());
            for (auto j = std::next(i); j != places.end(); ++j)
                QVERIFY2(!i.value().intersects(j.value()), title.constData());
        }

        auto* panTilt = form.findChild<TPanTiltForm*>();
        click(form.pageControl()->iconWidgets()[0]); // the par is the reference now
        QTRY_VERIFY(panTilt->isHidden());
        click(form.pageControl()->iconWidgets()[0]);
        QTRY_VERIFY(!panTilt->isHidden());
        QTest::qWait(100); // laid out
        const QMap<TFunctionForm*, QRect> back = dockPlaces(windows);
        QCOMPARE(back.keys(), places.keys());
        QCOMPARE(columnRanks(back), columnRanks(places));
    }

    // A dock moved elsewhere stays there across hiding and across runs; "Przywróć układ" takes
    // it home again.
    void aMovedDockKeepsItsPlaceUntilTheLayoutIsRestored()
    {
        writeInstallation();
        ModalAnswerer answerer;
        {
            TMainForm form(options());
            TLightForm* window = openLight(form);
            QVERIFY(window && window->isVisible());
            QCOMPARE(form.dockWidgetArea(dockOf(window)), Qt::RightDockWidgetArea);
            form.addDockWidget(Qt::LeftDockWidgetArea, dockOf(window));

            click(form.pageControl()->iconWidgets()[1]); // a head without light hides it
            QTRY_VERIFY(!window->isVisible());
            click(form.pageControl()->iconWidgets()[1]);
            QTRY_VERIFY(window->isVisible());
            QCOMPARE(form.dockWidgetArea(dockOf(window)), Qt::LeftDockWidgetArea);
            quit(form, answerer);
        }
        TMainForm again(options());
        TLightForm* window = openLight(again);
        QVERIFY(window && window->isVisible());
        QCOMPARE(again.dockWidgetArea(dockOf(window)), Qt::LeftDockWidgetArea);

        again.findChild<QAction*>("RestoreLayoutAction")->trigger();
        QVERIFY(window->isVisible());
        QCOMPARE(again.dockWidgetArea(dockOf(window)), Qt::RightDockWidgetArea);
    }

    // A window floated to a place no screen shows whole any more comes back whole on the
    // screen.
    void aFloatingPlaceOffTheScreenComesBackOnTheScreen()
    {
        writeInstallation();
        ModalAnswerer answerer;
        {
            TMainForm form(options());
            TLightForm* window = openLight(form);
            QVERIFY(window && window->isVisible());
            QDockWidget* dock = dockOf(window);
            dock->setFloating(true);
            dock->setGeometry(QRect(form.screen()->availableGeometry().bottomRight() - QPoint(50, 50), dock->size()));
            quit(form, answerer);
        }
        TMainForm form(options());
        TLightForm* window = openLight(form);
        QVERIFY(window && window->isVisible());
        const QRect screen = form.screen()->availableGeometry();
        QTRY_VERIFY2(screen.contains(dockOf(window)->frameGeometry()),
                     rectText(dockOf(window)->frameGeometry()) + " on " + rectText(screen));
    }

    // Every tool window is docked around the pages, under its caption; the main window grows
    // no larger than the screen whatever opens.
    void everyToolWindowIsADockAroundThePages()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        const QList<QDockWidget*> docks = form.findChildren<QDockWidget*>();
        QCOMPARE(docks.size(), 21);
        for (QDockWidget* dock : docks) {
            QWidget* window = qobject_cast<QScrollArea*>(dock->widget())->widget();
            window->show();
            QTRY_VERIFY(dock->isVisible());
            QVERIFY2(dock->windowTitle().endsWith(window->windowTitle()), qPrintable(dock->windowTitle()));
            QVERIFY(form.dockWidgetArea(dock) != Qt::NoDockWidgetArea);
        }
        QTest::qWait(100); // laid out
        const QSize screen = form.screen()->availableGeometry().size();
        QVERIFY2(form.width() <= screen.width() && form.height() <= screen.height(), rectText(form.geometry()));
        QVERIFY(!globalRect(form.pageControl()).isEmpty());
    }

    // Nothing on a tool window can minimise the program; the blackout window ends only
    // through its own button.
    void toolWindowsHaveACloseBoxAloneAndBlackoutNone()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        for (QDockWidget* dock : form.findChildren<QDockWidget*>()) {
            const bool blackout = dock->objectName() == QLatin1String("Blackout");
            QVERIFY2(bool(dock->features() & QDockWidget::DockWidgetClosable) != blackout, qPrintable(dock->objectName()));
            QVERIFY(dock->features() & QDockWidget::DockWidgetFloatable);
        }
    }

    void messageBoxesSpeakPolish()
    {
        QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Tak"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove('&'), QStringLiteral("Nie"));

        ModalAnswerer answerer;
        answerer.expectMessage("Nie");
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        QVERIFY(!form.close());
        QVERIFY(answerer.seen.contains(QStringLiteral("Zamknąć program?")));
    }

    // The exit question is short; its box stays wide enough for the whole title.
    void theExitQuestionShowsItsWholeTitle()
    {
        std::optional<ModalAnswerer> startUp(std::in_place);
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        startUp.reset();
        int width = 0;
        int titleWidth = 0;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            width = box->width();
            titleWidth = vt::titleBarWidth(box);
            box->button(QMessageBox::No)->click();
        });
        poll.start(20);
        QVERIFY(!form.close());
        QVERIFY2(width >= titleWidth, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(titleWidth)));
    }

    // Where no window manager maximizes it, the main window still covers the screen.
    void theMainWindowCoversTheScreen()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        QCOMPARE(form.geometry(), form.screen()->availableGeometry());
    }

    void heldChannelsAreCountedBesideManualOff()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        auto* counter = form.findChild<QLabel*>("HeldCounter");
        auto* manualOff = form.findChild<QAction*>("ManualOffAction");
        QTRY_COMPARE(counter->text(), QStringLiteral("Ręcznie: 0"));
        QCOMPARE(manualOff->toolTip(), QStringLiteral("Manual Off"));
        QVERIFY(manualOff->statusTip().isEmpty());
        {
            std::lock_guard lock(form.show().showLock());
            form.show().dmx.setManual(3, 200);
            form.show().dmx.setManual(7, 10);
        }
        QTRY_COMPARE(counter->text(), QStringLiteral("Ręcznie: 2"));
        QCOMPARE(manualOff->toolTip(), QStringLiteral("Manual Off\nKanały trzymane ręcznie: 2"));
        manualOff->trigger();
        QTRY_COMPARE(counter->text(), QStringLiteral("Ręcznie: 0"));
    }

    void disabledActionsSayWhy()
    {
        writeInstallation();
        ModalAnswerer answerer;
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        auto* light = form.findChild<QAction*>("LightAction");
        QTRY_COMPARE(light->toolTip(), QStringLiteral("Światło\nZaznacz urządzenie, które ma tę funkcję"));
        click(form.pageControl()->iconWidgets()[0]);
        QTRY_COMPARE(light->toolTip(), QStringLiteral("Światło"));
        click(form.pageControl()->iconWidgets()[1]);
        QTRY_COMPARE(light->toolTip(), QStringLiteral("Światło\nOstatnio zaznaczone urządzenie nie ma tej funkcji"));

        auto* cue = form.findChild<QAction*>("CueAction");
        QCOMPARE(cue->toolTip(), QStringLiteral("Cue"));
        form.findChild<QAction*>("SequenceAction")->trigger();
        QTRY_COMPARE(cue->toolTip(), QStringLiteral("Cue\nNiedostępne, gdy otwarty jest edytor sekwencji"));
        QCOMPARE(form.findChild<QAction*>("GeneratorPlayAction")->toolTip(),
                 QStringLiteral("Start generatorów\nNiedostępne, gdy otwarty jest edytor sekwencji"));
    }
};

QTEST_MAIN(DeskTest)
#include "Desk_test.moc"
