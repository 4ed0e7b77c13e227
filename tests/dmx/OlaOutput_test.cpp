// The OLA output: the slot between the tick and the sender, the sender against a daemon that
// comes and goes, and the rules of the "Wyjście OLA" window and the command line.

#include "FakeOlaDaemon.h"
#include "dmx/FrameSlot.h"
#include "dmx/OlaOutput.h"
#include "dmx/OlaTarget.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

TEST(FrameSlot, ReaderGetsTheNewestFrameAndKeepsItWhileTheWriterGoesOn)
{
    KyFrameSlot slot;
    EXPECT_EQ(slot.take(), nullptr);
    slot.put(uniformFrame(1));
    slot.put(uniformFrame(2)); // replaces the one not taken
    const KyFrameSlot::Entry* taken = slot.take();
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->frame, uniformFrame(2));
    EXPECT_EQ(taken->number, 2u);
    EXPECT_EQ(slot.take(), nullptr);

    for (std::uint8_t v = 3; v < 10; ++v)
        slot.put(uniformFrame(v));
    EXPECT_EQ(taken->frame, uniformFrame(2)); // the writer never touches the reader's frame
    taken = slot.take();
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->frame, uniformFrame(9));
    EXPECT_EQ(slot.putCount(), 9u);
}

TEST(OlaOutput, SendsTheNewestFrameToItsUniverseAndStopsWhenTurnedOff)
{
    FakeOlaDaemon daemon;
    KyOlaOutput ola(daemon.connector());
    ola.frameBuilt(uniformFrame(1)); // off: nothing is handed over
    ola.setTarget({true, 7, 9100});
    ASSERT_TRUE(eventually([&] { return ola.connected(); }));
    for (std::uint8_t v = 2; v <= 4; ++v) {
        ola.frameBuilt(uniformFrame(v));
        ASSERT_TRUE(ola.awaitLastFrameSent(3000ms));
    }
    auto received = daemon.received();
    ASSERT_EQ(received.size(), 3u);
    for (std::size_t i = 0; i < received.size(); ++i) {
        EXPECT_EQ(received[i].universe, 7u);
        EXPECT_EQ(received[i].frame, uniformFrame(static_cast<std::uint8_t>(i + 2)));
    }
    EXPECT_EQ(daemon.ports(), std::vector<std::uint16_t>{9100});

    // Another universe restarts the sender; the same target again changes nothing.
    ola.setTarget({true, 8, 9100});
    ola.setTarget({true, 8, 9100});
    ASSERT_TRUE(eventually([&] { return ola.connected(); }));
    ola.frameBuilt(uniformFrame(5));
    ASSERT_TRUE(ola.awaitLastFrameSent(3000ms));
    EXPECT_EQ(daemon.received().back().universe, 8u);
    EXPECT_EQ(daemon.ports().size(), 2u);

    ola.setTarget({false, 8, 9100});
    EXPECT_FALSE(ola.connected());
    ola.frameBuilt(uniformFrame(6));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(daemon.received().size(), 4u);
}

// A daemon that stops answering in the middle of a send never makes the tick wait: the frames
// built meanwhile are handed over at once (the test would hang otherwise), and the newest goes
// out when the daemon answers again, without the ones it replaced.
TEST(OlaOutput, ADaemonStuckInASendNeverHoldsTheTick)
{
    FakeOlaDaemon daemon;
    KyOlaOutput ola(daemon.connector());
    ola.setTarget({true, 1, 9100});
    ASSERT_TRUE(eventually([&] { return ola.connected(); }));
    daemon.hold();
    ola.frameBuilt(uniformFrame(1));
    ASSERT_TRUE(eventually([&] { return daemon.sendsWaiting() == 1; }));
    for (int v = 2; v <= 200; ++v)
        ola.frameBuilt(uniformFrame(static_cast<std::uint8_t>(v)));
    daemon.release();
    ASSERT_TRUE(ola.awaitLastFrameSent(3000ms));
    const auto received = daemon.received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received.front().frame, uniformFrame(1));
    EXPECT_EQ(received.back().frame, uniformFrame(200));
}

TEST(OlaOutput, RetriesAtMostOnceASecondAndResumesWithTheNewestFrame)
{
    FakeOlaDaemon daemon;
    daemon.setUp(false);
    KyOlaOutput ola(daemon.connector());
    ola.setTarget({true, 1, 9010});
    auto until = std::chrono::steady_clock::now() + 2500ms;
    for (std::uint8_t v = 0; std::chrono::steady_clock::now() < until; ++v) {
        ola.frameBuilt(uniformFrame(v));
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_FALSE(ola.connected());
    EXPECT_FALSE(ola.awaitLastFrameSent(10ms));
    auto attempts = daemon.attempts();
    ASSERT_GE(attempts.size(), 2u);
    EXPECT_LE(attempts.size(), 3u);
    for (std::size_t i = 1; i < attempts.size(); ++i)
        EXPECT_GE(attempts[i] - attempts[i - 1], 1s);

    // Back: at the next attempt the newest frame goes at once, without waiting for a tick.
    ola.frameBuilt(uniformFrame(200));
    daemon.setUp(true);
    ASSERT_TRUE(eventually([&] { return ola.connected(); }, 1500ms));
    ASSERT_TRUE(eventually([&] { return !daemon.received().empty(); }));
    EXPECT_EQ(daemon.received().front().frame, uniformFrame(200));

    // Gone again: the next frame finds out, and the retries start over.
    daemon.setUp(false);
    ola.frameBuilt(uniformFrame(201));
    ASSERT_TRUE(eventually([&] { return !ola.connected(); }));
    EXPECT_EQ(daemon.received().size(), 1u);
}

TEST(OlaTarget, SettingsCommandLineAndStateLine)
{
    struct Case {
        long long universe, port;
        unsigned wantUniverse;
        std::uint16_t wantPort;
    };
    for (const Case& c : {Case{5, 9011, 5, 9011}, Case{0, 0, 1, 9010}, Case{70000, 70000, 65535, 9010},
                          Case{-3, -1, 1, 9010}, Case{65535, 65535, 65535, 65535}}) {
        KyOlaTarget t = boundedOlaTarget(true, c.universe, c.port);
        EXPECT_EQ(t.universe, c.wantUniverse) << c.universe;
        EXPECT_EQ(t.port, c.wantPort) << c.port;
        EXPECT_TRUE(t.enabled);
    }

    const KyOlaTarget saved{false, 4, 9100};
    EXPECT_EQ(withStartOverrides(saved, std::nullopt, std::nullopt), saved);
    EXPECT_EQ(withStartOverrides(saved, 12u, std::nullopt), (KyOlaTarget{true, 12, 9100}));
    EXPECT_EQ(withStartOverrides(saved, std::nullopt, std::uint16_t{9200}), (KyOlaTarget{false, 4, 9200}));
    EXPECT_EQ(withStartOverrides(saved, 1u, std::uint16_t{9200}), (KyOlaTarget{true, 1, 9200}));

    EXPECT_EQ(olaStateText(true, 12), "Połączono z OLA, uniwersum 12");
    EXPECT_EQ(olaStateText(false, 12), "Brak połączenia z OLA");
}
