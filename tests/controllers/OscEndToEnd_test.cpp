// OSC end to end: the program runs offscreen with the virtual module and OSC on for the
// run; a tablet (a liblo server of this test, which listens where it sends from) and
// liblo-tools' oscsend press a cue button. The module receives what the panel's own press
// makes it receive, and the tablet hears the button's state. All traffic stays on 127.0.0.1.
#include "support/ModuleSimProcess.h"
#include "support/OneCueShow.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUdpSocket>

#include <lo/lo.h>

#include <memory>
#include <type_traits>

namespace {

quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

struct Heard {
    std::string address;
    int value = -1;
};

int hear(const char* path, const char*, lo_arg** argv, int, lo_message, void* heard)
{
    *static_cast<Heard*>(heard) = {path, argv[0]->i};
    return 0;
}

// Waits for one message with an int, up to `ms`.
Heard listen(lo_server tablet, Heard& heard, int ms)
{
    heard = {};
    for (QElapsedTimer t; !t.isValid() || (t.elapsed() < ms && heard.value < 0);) {
        if (!t.isValid())
            t.start();
        lo_server_recv_noblock(tablet, 50);
        QCoreApplication::processEvents();
    }
    return heard;
}

} // namespace

class OscEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void oscPressesReachTheModuleAsThePanelsPressAndTheTabletHearsThem()
    {
        TempFolder folder;
        const auto showFolder = folder / "show";
        std::filesystem::create_directories(showFolder);

        const std::string expected = pressOnTheDesk(folder.path(), showFolder).pressed;
        QCOMPARE(expected.substr(0, 2), std::string("c8"));

        ModuleSimProcess sim(folder / "dmx", {"--frames", (folder / "frames").string()});
        const quint16 port = freeUdpPort();
        QProcess program;
        startProgram(program, folder.path(), showFolder, sim.link(), {QStringLiteral("--osc-port"), QString::number(port)});
        QVERIFY(QTest::qWaitFor([&] { return !framesIn(folder / "frames").empty(); }, 60000));

        // The tablet presses: the module gets the panel's frame, the tablet hears "lit".
        const std::unique_ptr<std::remove_pointer_t<lo_server>, decltype(&lo_server_free)> tabletServer(
            lo_server_new_with_proto(nullptr, LO_UDP, nullptr), &lo_server_free);
        lo_server tablet = tabletServer.get();
        Heard heard;
        lo_server_add_method(tablet, nullptr, "i", hear, &heard);
        const std::unique_ptr<std::remove_pointer_t<lo_address>, decltype(&lo_address_free)> address(
            lo_address_new("127.0.0.1", std::to_string(port).c_str()), &lo_address_free);
        lo_address to = address.get();
        Heard got;
        for (QElapsedTimer t; got.value < 0 && (!t.isValid() || t.elapsed() < 60000);) {
            if (!t.isValid())
                t.start();
            lo_send_from(to, tablet, lo_timetag{0, 1}, "/vantorel/page/1", ""); // changes nothing lit
            lo_send_from(to, tablet, lo_timetag{0, 1}, "/vantorel/cue/1/1", "i", 1);
            got = listen(tablet, heard, 1000);
        }
        QCOMPARE(got.address, std::string("/vantorel/cue/1/1"));
        QCOMPARE(got.value, 1);
        QCOMPARE(settledFrame(folder / "frames"), expected);

        // oscsend presses the same button again: the empty cue, as on the desk; the tablet
        // hears it go dark.
        QCOMPARE(QProcess::execute(QStringLiteral("oscsend"), {QStringLiteral("127.0.0.1"), QString::number(port),
                                                                 QStringLiteral("/vantorel/cue/1/1"), QStringLiteral("i"),
                                                                 QStringLiteral("1")}),
                 0);
        got = listen(tablet, heard, 5000);
        QCOMPARE(got.address, std::string("/vantorel/cue/1/1"));
        QCOMPARE(got.value, 0);
        QVERIFY(settledFrame(folder / "frames") != expected);
        QCOMPARE(settledFrame(folder / "frames").substr(0, 2), std::string("00"));

        // A flood of junk and 10,000 presses leave the program running and answering.
        for (int i = 0; i < 10000; ++i)
            lo_send_from(to, tablet, lo_timetag{0, 1}, "/vantorel/speed", "f", float(i % 100) / 100);
        QUdpSocket junk;
        for (int i = 0; i < 1000; ++i)
            junk.writeDatagram(QByteArray(i % 1400 + 1, char(i)), QHostAddress::LocalHost, port);
        // The kernel may drop datagrams while its buffer is full of the flood: the press is
        // sent again until the tablet hears the button lit.
        got = {};
        for (QElapsedTimer t; got.value != 1 && (!t.isValid() || t.elapsed() < 60000);) {
            if (!t.isValid())
                t.start();
            lo_send_from(to, tablet, lo_timetag{0, 1}, "/vantorel/cue/1/1", "i", 1);
            got = listen(tablet, heard, 2000);
        }
        QCOMPARE(got.value, 1);
        QCOMPARE(settledFrame(folder / "frames"), expected);
        QCOMPARE(program.state(), QProcess::Running);
        program.terminate();
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_MAIN(OscEndToEndTest)
#include "OscEndToEnd_test.moc"
