// A serial port the user may not open, as an ordinary user meets it: the start-up names the
// port and the way out once, and the search goes on as before.

#include "app/Fmain.h"
#include "support/ModalAnswerer.h"
#include "support/ModuleSimProcess.h"

#include <QTest>

#include <sys/stat.h>

class PortAccessTest : public QObject {
    Q_OBJECT

    // A port file like /dev/ttyUSB0 for a user outside the dialout group.
    static std::filesystem::path deniedPort(const TempFolder& folder)
    {
        auto path = folder / "ttyUSB0";
        std::ofstream{path};
        ::chmod(path.c_str(), 0);
        return path;
    }

    static StartOptions optionsWith(const TempFolder& folder, const std::vector<std::filesystem::path>& ports)
    {
        StartOptions o;
        o.dataDirectory = (folder / "show").string();
        std::filesystem::create_directories(o.dataDirectory);
        for (const auto& p : ports)
            o.ports.push_back(p.string());
        return o;
    }

    static QString accessMessage(const std::filesystem::path& port)
    {
        return QStringLiteral("Brak dostępu do portu %1. Dodaj użytkownika do grupy dialout i zaloguj się ponownie.")
            .arg(QString::fromStdString(port.string()));
    }

private slots:
    void initTestCase()
    {
        TempFolder folder;
        if (std::ifstream(deniedPort(folder)).is_open())
            QSKIP("this user opens every file; run through tests/support/unprivileged.sh");
    }

    void deniedPortIsNamedOnceBeforeTheMissingModule()
    {
        TempFolder folder;
        auto port = deniedPort(folder);
        ModalAnswerer answerer;
        TMainForm form(optionsWith(folder, {port}));
        QCOMPARE(answerer.seen, (QStringList{accessMessage(port), QStringLiteral("BRAK MODUŁU DMX")}));
        QCOMPARE(form.windowTitle(), QStringLiteral("Vantorel: brak modułu DMX"));
        // The tick's reconnection probes the same list again, silently.
        QTest::qWait(300);
        QCOMPARE(answerer.seen.size(), 2);
        QVERIFY(form.timer().Enabled());
    }

    void deniedPortBesideAModuleStillConnects()
    {
        TempFolder folder;
        auto port = deniedPort(folder);
        ModuleSimProcess sim(folder / "dmx", {"--name", "SIM-A"});
        ModalAnswerer answerer;
        TMainForm form(optionsWith(folder, {port, sim.link()}));
        QCOMPARE(answerer.seen, QStringList{accessMessage(port)});
        QCOMPARE(form.windowTitle(), QStringLiteral("Vantorel: SIM-A"));
    }
};

QTEST_MAIN(PortAccessTest)
#include "PortAccess_test.moc"
