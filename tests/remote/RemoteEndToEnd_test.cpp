// The remote end to end: the program runs offscreen with the virtual module and the remote
// on; headless Chromium opens the page as a phone would and presses a cue button. The module
// then receives what the panel's own press makes it receive, and a second browser shows the
// press. All traffic stays on 127.0.0.1.
#include "support/Chromium.h"
#include "support/ModuleSimProcess.h"
#include "support/OneCueShow.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

const QString kCode = QStringLiteral("314159");

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool listening(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(200);
}

} // namespace

class RemoteEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void aBrowsersCuePressReachesTheModuleAsThePanelsPressDoes()
    {
        TempFolder folder;
        const auto showFolder = folder / "show";
        std::filesystem::create_directories(showFolder);

        // The desk's own press, in a main window of this process, gives the frame to expect.
        const DeskPress press = pressOnTheDesk(folder.path(), showFolder);
        const std::string expected = press.pressed;
        QVERIFY(expected != press.before);
        QCOMPARE(expected.substr(0, 2), std::string("c8"));
        QCOMPARE(expected.substr(8, 2), std::string("4d"));

        // The program itself, with the remote on for this run.
        ModuleSimProcess sim(folder / "dmx", {"--frames", (folder / "frames").string()});
        const quint16 port = freePort();
        QProcess program;
        startProgram(program, folder.path(), showFolder, sim.link(),
                     {QStringLiteral("--remote-port"), QString::number(port), QStringLiteral("--remote-code"), kCode});
        QVERIFY(QTest::qWaitFor([&] { return listening(port); }, 60000));

        const QString url = QStringLiteral("http://127.0.0.1:%1/?code=%2").arg(port).arg(kCode);
        ChromiumPage first(390, 844), second(390, 844);
        first.open(url);
        second.open(url);
        const QString named = QStringLiteral("document.getElementById('cue-0')?.textContent === 'Wejście'");
        QVERIFY(first.waitFor(named));
        QVERIFY(second.waitFor(named));
        const std::string before = settledFrame(folder / "frames");
        QCOMPARE(before.substr(0, 2), std::string("00"));

        first.evaluate(QStringLiteral("document.getElementById('cue-0').click()"));
        const QString lit = QStringLiteral("document.getElementById('cue-0').classList.contains('lit')");
        QVERIFY(second.waitFor(lit, 2000));
        QVERIFY(first.evaluate(lit).toBool());
        QVERIFY(second.evaluate(QStringLiteral("document.getElementById('live-name').textContent === 'Wejście'")).toBool());
        QCOMPARE(settledFrame(folder / "frames"), expected);

        // Pressed again from the second browser: the empty cue, as on the desk.
        second.evaluate(QStringLiteral("document.getElementById('cue-0').click()"));
        QVERIFY(first.waitFor(QStringLiteral("!") + lit, 2000));
        QCOMPARE(settledFrame(folder / "frames"), before);

        QCOMPARE(program.state(), QProcess::Running);
        program.terminate(); // closes as "Zakończ" does
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_MAIN(RemoteEndToEndTest)
#include "RemoteEndToEnd_test.moc"
