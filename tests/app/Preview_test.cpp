// "Podgląd" on the demo show: the pages follow what the devices do.

#include "app/Fmain.h"
#include "club/PDevIcon.h"
#include "cue/CueStart.h"
#include "functions/PLookPreview.h"
#include "support/ModalAnswerer.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

class PreviewTest : public QObject {
    Q_OBJECT
    fs::path dir;

    StartOptions options() const
    {
        StartOptions o;
        o.dataDirectory = dir.string();
        return o;
    }

    static TPDevIcon* iconNamed(TMainForm& form, const char* name)
    {
        for (TPDevIcon* icon : form.pageControl()->iconWidgets())
            if (icon->label()->text() == QString::fromUtf8(name))
                return icon;
        return nullptr;
    }

    // The page's colour just left of the icon, inside its halo.
    static QColor beside(TPDevIcon* icon)
    {
        const QImage page = icon->parentWidget()->grab().toImage();
        return page.pixelColor(icon->x() - 3, icon->y() + icon->height() / 2);
    }

    static bool reddish(const QColor& c) { return c.red() > c.green() + 60 && c.red() > c.blue() + 60; }
    static bool greenish(const QColor& c) { return c.green() > c.red() + 60 && c.green() > c.blue() + 60; }

    static void playCue(TMainForm& form, std::int32_t id)
    {
        KyShow& show = form.show();
        std::lock_guard lock(show.showLock());
        startCue(show.dmx.liveCue(), show.seque.findCue(id));
    }

private slots:
    void init()
    {
        dir = fs::temp_directory_path() / ("vt-preview-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::copy(VANTOREL_DEMO_DIR, dir, fs::copy_options::recursive);
        QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel")).remove(QStringLiteral("pages/preview"));
    }
    void cleanup() { fs::remove_all(dir); }

    void theSwitchIsInTheMenuAndOnTheToolbarAndKeptForTheNextRun()
    {
        ModalAnswerer answerer;
        {
            TMainForm form(options());
            auto* action = form.findChild<QAction*>(QStringLiteral("PreviewAction"));
            QVERIFY(action);
            QCOMPARE(action->text(), QStringLiteral("Podgląd"));
            QVERIFY(!action->isChecked());
            QVERIFY(form.findChild<QToolBar*>(QStringLiteral("FunctionToolBar"))->actions().contains(action));
            QMenu* system = form.menuBar()->actions().constFirst()->menu();
            QCOMPARE(system->title(), QStringLiteral("System"));
            QVERIFY(system->actions().contains(action));
            action->trigger();
        }
        TMainForm form(options());
        QVERIFY(form.findChild<QAction*>(QStringLiteral("PreviewAction"))->isChecked());
    }

    // The demo's cue plays the RGB par red, then green; the halo beside its icon follows.
    void aPlayingSceneColoursTheHalo()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        form.resize(1600, 1000);
        form.QWidget::show();
        TPDevIcon* par = iconNamed(form, "Par RGB");
        QVERIFY(par);
        // The page around the par: the docks may change the page's size, never the icon's place.
        const auto around = [par] { return par->parentWidget()->grab(par->geometry().adjusted(-12, -12, 12, 12)).toImage(); };
        const QImage plain = around();

        form.findChild<QAction*>(QStringLiteral("PreviewAction"))->trigger();
        auto* preview = form.pageControl()->findChild<TPLookPreview*>();
        QVERIFY(preview && preview->isOn());
        // Nothing plays: the par is dark and so is its halo.
        QCOMPARE(preview->haloShown(par).strength, 0);

        playCue(form, 1);
        QTRY_VERIFY_WITH_TIMEOUT(reddish(beside(par)), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(greenish(beside(par)), 5000);

        // Blackout darkens the frame that goes out, and with it the halo.
        form.findChild<QAction*>(QStringLiteral("BlackoutAction"))->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(preview->haloShown(par).strength, 0, 2000);
        form.findChild<QAction*>(QStringLiteral("BlackoutAction"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(preview->haloShown(par).strength > 0, 2000);

        // Off: the refresh stops and the page is as it was.
        form.findChild<QAction*>(QStringLiteral("PreviewAction"))->trigger();
        QVERIFY(!preview->isOn());
        QVERIFY(!preview->findChild<QTimer*>()->isActive());
        QTRY_COMPARE(around(), plain);
    }

    // The head on the second page points where the figure takes it.
    void aHeadShowsWhereItPoints()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        form.resize(1600, 1000);
        form.QWidget::show();
        form.pageControl()->setCurrentIndex(1);
        TPDevIcon* head = iconNamed(form, "Głowa");
        QVERIFY(head);
        form.findChild<QAction*>(QStringLiteral("PreviewAction"))->trigger();
        const QImage dark = head->parentWidget()->grab().toImage();
        playCue(form, 1);
        // The red slot's picture (230, 30, 30 on a dark ground) at full strength, shutter and
        // intensity open.
        QTRY_COMPARE_WITH_TIMEOUT(form.pageControl()->findChild<TPLookPreview*>()->haloShown(head),
                                  (KyHalo{{255, 33, 33}, 230}), 3000);
        QVERIFY(head->parentWidget()->grab().toImage() != dark);
    }

    // The pages window adds and deletes pages under a running preview.
    void aPageDeletedWhileOnIsLetGo()
    {
        ModalAnswerer answerer;
        TMainForm form(options());
        form.QWidget::show();
        form.findChild<QAction*>(QStringLiteral("PreviewAction"))->trigger();
        auto* preview = form.pageControl()->findChild<TPLookPreview*>();
        form.pageControl()->addPage(QStringLiteral("Nowa"));
        preview->refresh();
        form.pageControl()->removePage(2);
        form.findChild<QAction*>(QStringLiteral("PreviewAction"))->trigger();
        form.findChild<QAction*>(QStringLiteral("PreviewAction"))->trigger();
        preview->refresh();
        QVERIFY(preview->isOn());
    }
};

QTEST_MAIN(PreviewTest)
#include "Preview_test.moc"
