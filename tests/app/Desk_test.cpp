// The desk as an operator meets it in the first hour: where the tool windows go and come
// back to, their decorations, Qt's own texts in Polish, and what the main window tells about
// held channels and disabled actions.

#include "app/Fmain.h"
#include "club/PDevIcon.h"
#include "common/PTranslation.h"
#include "functions/Fblackout.h"
#include "functions/Flight.h"
#include "library/LibraryFile.h"
#include "support/ModalAnswerer.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTest>
#include <QToolBar>

#include <filesystem>
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

// The top-level tool windows the main window owns.
QList<QWidget*> toolWindows(TMainForm& form)
{
    QList<QWidget*> windows;
    for (QWidget* w : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isWindow() && (w->windowFlags() & Qt::WindowType_Mask) == Qt::Tool)
            windows << w;
    return windows;
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
        KyLibrary library;
        KyDevice light;
        light.name = "Par";
        light.intensity.active = true;
        KyDevice head;
        head.name = "Skaner";
        head.panTilt.active = true;
        for (const KyDevice& type : {light, head}) {
            library.addDevice(type);
            KyClubDevice device(library.deviceAt(library.deviceCount() - 1));
            device.name = type.name;
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

    // The window the selection hides and shows again comes back where the operator put it,
    // in this run and in the next.
    void aFunctionWindowComesBackWhereItWasMoved()
    {
        writeInstallation();
        ModalAnswerer answerer;
        QPoint moved;
        {
            TMainForm form(options());
            TLightForm* window = openLight(form);
            QVERIFY(window && window->isVisible());
            moved = window->pos() - QPoint(150, 0) + QPoint(0, 40);
            window->move(moved);
            QTRY_COMPARE(window->pos(), moved);

            click(form.pageControl()->iconWidgets()[1]); // a head without light hides it
            QTRY_VERIFY(!window->isVisible());
            click(form.pageControl()->iconWidgets()[1]);
            QTRY_VERIFY(window->isVisible());
            QCOMPARE(window->pos(), moved);
            quit(form, answerer);
        }
        TMainForm again(options());
        TLightForm* window = openLight(again);
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->pos(), moved);
    }

    void aPlaceOffEveryScreenFallsBackToTheDefault()
    {
        writeInstallation();
        ModalAnswerer answerer;
        QPoint firstPlace;
        {
            TMainForm form(options());
            TLightForm* window = openLight(form);
            QVERIFY(window && window->isVisible());
            firstPlace = window->pos();
            quit(form, answerer);
        }
        userSettings().setValue("windows/Light", QRect(-5000, 3000, 200, 300));
        TMainForm form(options());
        TLightForm* window = openLight(form);
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->pos(), firstPlace);
    }

    // Opened one after another, every tool window finds a first place clear of the menu bar,
    // the toolbars and the page tabs.
    void defaultPlacesKeepClearOfTheMenusToolbarsAndTabs()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        form.QWidget::show(); // show() is the show's
        QTRY_COMPARE(form.menuBar()->width(), form.width()); // laid out
        QList<QRect> bars{globalRect(form.menuBar()), globalRect(form.pageControl()->tabBar())};
        for (QToolBar* toolbar : form.findChildren<QToolBar*>())
            bars << globalRect(toolbar);
        const QList<QWidget*> windows = toolWindows(form);
        QCOMPARE(windows.size(), 20);
        for (QWidget* window : windows) {
            window->show();
            for (const QRect& bar : bars)
                QVERIFY2(!window->frameGeometry().intersects(bar), qPrintable(window->windowTitle()));
            QVERIFY2(form.geometry().contains(window->frameGeometry().topLeft()), qPrintable(window->windowTitle()));
        }
    }

    // Nothing on a tool window can minimise the program; the blackout window ends only
    // through its own button.
    void toolWindowsHaveACloseBoxAloneAndBlackoutNone()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        for (QWidget* window : toolWindows(form)) {
            const Qt::WindowFlags flags = window->windowFlags();
            QVERIFY(flags & Qt::CustomizeWindowHint);
            QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            const bool blackout = qobject_cast<TBlackoutForm*>(window) != nullptr;
            QVERIFY2(bool(flags & Qt::WindowCloseButtonHint) != blackout, window->metaObject()->className());
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
