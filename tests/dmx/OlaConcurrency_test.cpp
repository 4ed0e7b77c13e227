// The real timer handing frames to the OLA sender through the module link while the window
// side turns the output on, off and over to other universes and a daemon comes and goes.
// Run under ThreadSanitizer by the test command.

#include "FakeOlaDaemon.h"
#include "common/MMTimer.h"
#include "cue/Dmx_space.h"
#include "dmx/Usb.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(OlaConcurrency, TickHandsOverWhileTheWindowRetargetsAndTheDaemonComesAndGoes)
{
    FakeOlaDaemon daemon;
    KyOlaOutput ola(daemon.connector());
    KyUsb usb; // no module: the frame still goes to the other output
    usb.frameOutput = &ola;
    std::atomic<int> ticks{0};
    TMMTimer timer;
    timer.SetInterval(1);
    timer.setOnMMTimer([&](TMMTimer&) {
        int tick = ++ticks;
        KyDmxSpace::Universe universe;
        universe.fill(static_cast<std::uint8_t>(tick));
        bool inputChanged = false;
        usb.sendFrame(universe, inputChanged);
    });
    timer.setEnabled(true);

    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(600);
    for (unsigned round = 0; std::chrono::steady_clock::now() < until || ticks < 50; ++round) {
        ola.setTarget({round % 5 != 4, 1 + round % 3, 9010});
        daemon.setUp(round % 7 != 6);
        volatile bool seen = ola.connected();
        (void)seen;
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    timer.setEnabled(false);
    ola.setTarget({false, 1, 9010});

    auto received = daemon.received();
    EXPECT_FALSE(received.empty());
    for (const auto& r : received) {
        EXPECT_TRUE(std::all_of(r.frame.begin(), r.frame.end(), [&](std::uint8_t v) { return v == r.frame[0]; }))
            << "a frame torn between two ticks";
        EXPECT_TRUE(r.universe >= 1 && r.universe <= 3);
    }
}
