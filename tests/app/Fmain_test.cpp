#include "app/Fmain.h"
#include "support/ModalAnswerer.h"

#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <unistd.h>

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

    void answeringNoKeepsTheProgramRunning()
    {
        ModalAnswerer answerer;
        answerer.expectMessage("No");
        TMainForm form(options());
        form.show();
        QVERIFY(!form.close());
        QVERIFY(answerer.seen.contains(QStringLiteral("Zamknąć program?")));
        QCOMPARE(form.show().closeState(), std::uint8_t(KyShow::Running));
        QVERIFY(form.timer().Enabled());

        answerer.expectMessage("Yes");
        QVERIFY(form.close());
        QVERIFY(!form.timer().Enabled());
    }
};

QTEST_MAIN(MainFormTest)
#include "Fmain_test.moc"
