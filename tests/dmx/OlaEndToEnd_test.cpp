// The OLA output end to end: the running program and vantorel-cli against a real OLA daemon,
// read back through the OLA client and held against what the virtual module receives.

#include "app/Fmain.h"
#include "dmx/Fola.h"
#include "library/LibraryFile.h"
#include "support/ModalAnswerer.h"
#include "support/ModuleSimProcess.h"
#include "support/OladProcess.h"

#include <QAction>
#include <QLabel>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>

using namespace std::chrono_literals;

namespace {

constexpr unsigned kUniverse = 12;

std::string hexOf(const std::vector<std::uint8_t>& frame)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (auto b : frame) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

// A device at address 1 whose blackout sets channel 1 to 0 and channel 2 to 7.
void writeBlackoutRig(const std::filesystem::path& dir)
{
    KyLibrary library;
    KyDevice type;
    type.name = "Par";
    type.blackout.setValue(1, 0);
    type.blackout.setValue(2, 7);
    type.blackout.active = true;
    library.addDevice(type);
    KyClubDevice device(library.deviceAt(0));
    device.startAddress = 1;
    library.club.addClubDevice(device);
    QVERIFY(saveLibrary(library, (dir / "library.vt2").string()));
    QVERIFY(library.club.save((dir / "club.vt2").string()));
}

// Holds channels 1 and 2 and counts in channels 511-512 every few milliseconds, so that
// every tick's frame differs from every other.
class ChannelCounter {
public:
    explicit ChannelCounter(KyShow& show)
        : thread_([this, &show] {
              for (unsigned n = 0; !stop_; ++n) {
                  {
                      std::lock_guard lock(show.showLock());
                      show.dmx.setManual(0, 200);
                      show.dmx.setManual(1, 255);
                      show.dmx.setManual(510, static_cast<std::uint8_t>(n >> 8));
                      show.dmx.setManual(511, static_cast<std::uint8_t>(n));
                  }
                  std::this_thread::sleep_for(3ms);
              }
          })
    {
    }
    ~ChannelCounter()
    {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// How late the latest frame came against the period grid its ticks keep, in microseconds.
long long worstLateness(const std::filesystem::path& timesFile)
{
    std::vector<long long> times;
    std::ifstream in(timesFile);
    for (long long t; in >> t;)
        times.push_back(t);
    if (times.size() < 2)
        return -1;
    long long phase = times[0];
    for (std::size_t i = 0; i < times.size(); ++i)
        phase = std::min(phase, times[i] - static_cast<long long>(i) * 50000);
    long long worst = 0;
    for (std::size_t i = 0; i < times.size(); ++i)
        worst = std::max(worst, times[i] - static_cast<long long>(i) * 50000 - phase);
    return worst;
}

} // namespace

class OlaEndToEndTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> folder;

    StartOptions optionsFor(const ModuleSimProcess& sim, std::uint16_t olaPort)
    {
        StartOptions o;
        o.dataDirectory = (*folder / "show").string();
        o.ports = {sim.link().string()};
        o.olaUniverse = kUniverse;
        o.olaPort = olaPort;
        return o;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        folder = std::make_unique<TempFolder>();
        std::filesystem::create_directories(*folder / "show");
    }
    void cleanup() { folder.reset(); }

    // Every frame OLA passes on is one the module got, in the same order, blackout included,
    // and hardly one is missing.
    void framesReachOlaAsTheModuleGetsThem()
    {
        writeBlackoutRig(*folder / "show");
        OladProcess olad;
        OlaUniverseReader reader(olad.port(), kUniverse);
        auto framesFile = *folder / "frames";
        ModuleSimProcess sim(*folder / "dmx", {"--frames", framesFile.string()});
        TMainForm form(optionsFor(sim, olad.port()));
        form.QWidget::show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Vantorel: VANTOREL-SIM i OLA (uniwersum 12)"));
        QAction* blackout = form.findChild<QAction*>("BlackoutAction");
        {
            ChannelCounter counter(form.show());
            QTest::qWait(800);
            blackout->trigger();
            QTest::qWait(800);
            blackout->trigger();
            QTest::qWait(500);
            form.timer().setEnabled(false); // the last frames stay distinct
        }
        QTest::qWait(300);

        std::map<std::string, std::size_t> moduleTick;
        std::vector<std::string> moduleFrames = framesIn(framesFile);
        for (std::size_t i = 0; i < moduleFrames.size(); ++i)
            moduleTick.emplace(moduleFrames[i], i);
        QVERIFY(moduleTick.size() == moduleFrames.size());

        std::vector<std::size_t> ticks;
        std::size_t blackoutFrames = 0;
        for (const auto& update : reader.updates()) {
            auto tick = moduleTick.find(hexOf(update.frame));
            QVERIFY2(tick != moduleTick.end(), "OLA got a frame the module never got");
            QVERIFY2(ticks.empty() || tick->second > ticks.back(), "frames out of order");
            ticks.push_back(tick->second);
            blackoutFrames += update.frame[0] == 0 && update.frame[1] == 7;
        }
        QVERIFY(ticks.size() >= 30);
        QVERIFY2(ticks.size() * 10 >= (ticks.back() - ticks.front() + 1) * 9, "more than one frame in ten lost");
        QVERIFY(ticks.back() + 2 >= moduleFrames.size() - 1);
        QVERIFY(blackoutFrames >= 5);
        QVERIFY(blackoutFrames + 5 <= ticks.size());
    }

    // Without the daemon the tick keeps its period and the window says so; once the daemon is
    // back, frames come again within 2 s.
    void lostDaemonNeverHoldsTheTickAndIsFoundAgain()
    {
        OladProcess olad;
        auto timesFile = *folder / "times";
        ModuleSimProcess sim(*folder / "dmx", {"--frame-times", timesFile.string()});
        TMainForm form(optionsFor(sim, olad.port()));
        form.QWidget::show();
        ChannelCounter counter(form.show());
        form.findChild<QAction*>("OlaAction")->trigger();
        QLabel* state = form.olaForm()->stateLabel();
        QTRY_COMPARE_WITH_TIMEOUT(state->text(), QStringLiteral("Połączono z OLA, uniwersum 12"), 3000);
        {
            OlaUniverseReader reader(olad.port(), kUniverse);
            QVERIFY(reader.awaitUpdates(5, 3000ms));
        }

        olad.stop();
        QTRY_COMPARE_WITH_TIMEOUT(state->text(), QStringLiteral("Brak połączenia z OLA"), 2000);
        QTest::qWait(2500); // a few retries

        olad.start(); // returns once the daemon takes connections
        const auto restarted = std::chrono::steady_clock::now();
        OlaUniverseReader reader(olad.port(), kUniverse);
        QVERIFY(reader.awaitUpdates(1, 3000ms));
        const auto firstFrameAfter = reader.updates().front().time - restarted;
        QVERIFY2(firstFrameAfter <= 2s, std::to_string(firstFrameAfter / 1ms).append(" ms").c_str());
        QTRY_COMPARE_WITH_TIMEOUT(state->text(), QStringLiteral("Połączono z OLA, uniwersum 12"), 1000);

        form.timer().setEnabled(false);
        const long long late = worstLateness(timesFile);
        QVERIFY(late >= 0);
        // A tick held by the lost daemon would miss its frame by a retry or more; what a loaded
        // machine adds stays well under half a period. That the tick never waits for the
        // daemon is proven without a clock by the sender's own test.
        QVERIFY2(late <= 25000, std::to_string(late).append(" µs late").c_str());
    }

    // A rig that sends through OLA alone: the start-up asks no "BRAK MODUŁU DMX", the tick
    // runs, the frames reach OLA and the caption says where they go.
    void anOlaRigWithoutAModuleStartsWithoutTheQuestion()
    {
        OladProcess olad;
        OlaUniverseReader reader(olad.port(), kUniverse);
        StartOptions options;
        options.dataDirectory = (*folder / "show").string();
        options.olaUniverse = kUniverse;
        options.olaPort = olad.port();
        ModalAnswerer answerer;
        TMainForm form(options);
        QCOMPARE(answerer.seen, QStringList());
        QCOMPARE(form.windowTitle(), QStringLiteral("Vantorel: OLA (uniwersum 12)"));
        QVERIFY(form.timer().Enabled());
        {
            std::lock_guard lock(form.show().showLock());
            form.show().dmx.setManual(4, 77);
        }
        QVERIFY(reader.awaitUpdates(1, 3000ms));
        QTRY_VERIFY_WITH_TIMEOUT(reader.updates().back().frame[4] == 77, 2000);
    }

    // vantorel-cli render sends its ticks to the daemon: the frames OLA passes on are the
    // printed ones, in order, up to the last; without a daemon it says so.
    void cliRenderSendsItsTicks()
    {
        const std::string show = (*folder / "show").string();
        const std::string cli = VANTOREL_CLI;
        QCOMPARE(std::system((cli + " load --data-dir " + show + " < " VANTOREL_DEMO_SHOW).c_str()), 0);
        OladProcess olad;
        OlaUniverseReader reader(olad.port(), 5);
        const std::string render = cli + " render --data-dir " + show + " --cue Pokaz --ticks 30 --ola-universe 5";
        FILE* out = ::popen((render + " --ola-port " + std::to_string(olad.port())).c_str(), "r");
        std::vector<std::string> printed;
        for (char line[1100]; std::fgets(line, sizeof line, out);)
            printed.emplace_back(line, 1024);
        QCOMPARE(::pclose(out), 0);
        QCOMPARE(printed.size(), std::size_t{30});
        QVERIFY(reader.awaitUpdates(1, 1000ms));
        QTest::qWait(200);

        std::size_t next = 0;
        for (const auto& update : reader.updates()) {
            auto found = std::find(printed.begin() + static_cast<long>(next), printed.end(), hexOf(update.frame));
            QVERIFY2(found != printed.end(), "OLA got a frame that was not printed, or out of order");
            next = static_cast<std::size_t>(found - printed.begin()) + 1;
        }
        QCOMPARE(hexOf(reader.updates().back().frame), printed.back());

        olad.stop();
        const std::string refused = render + " --ticks 2 --ola-port " + std::to_string(olad.port()) + " >/dev/null 2>" +
                                    (*folder / "err").string();
        QCOMPARE(WEXITSTATUS(std::system(refused.c_str())), 1);
        std::ifstream err(*folder / "err");
        std::string message;
        std::getline(err, message);
        QCOMPARE(message, "vantorel-cli: the OLA daemon on port " + std::to_string(olad.port()) +
                              " did not take the frames");
    }
};

QTEST_MAIN(OlaEndToEndTest)
#include "OlaEndToEnd_test.moc"
