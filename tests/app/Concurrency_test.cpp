// The real timer ticking the show every millisecond while another thread works on the
// universe the way the windows do. Run under ThreadSanitizer by the test command.

#include "app/MMTimer.h"
#include "app/Show.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

TEST(Concurrency, TickAgainstWindowSideUniverseOperations)
{
    KyShow show(DataPaths::in("/nonexistent"));
    TMMTimer timer;
    timer.SetInterval(1);
    std::atomic<int> ticks{0};
    timer.setOnMMTimer([&](TMMTimer&) {
        show.tick();
        ++ticks;
    });
    timer.setEnabled(true);

    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    int round = 0;
    while (std::chrono::steady_clock::now() < until || ticks < 20) {
        std::this_thread::yield();
        std::lock_guard lock(show.showLock());
        int channel = round % 512;
        show.dmx.setManual(channel, static_cast<std::uint8_t>(round));
        show.dmx.setManual16((channel + 1) % 512, (channel + 2) % 512, static_cast<std::uint16_t>(round * 7));
        if (round % 3 == 0)
            show.dmx.releaseChannel((channel + 5) % 512);
        volatile std::uint8_t seen = show.dmx.data()[static_cast<std::size_t>(channel)];
        (void)seen;
        ++round;
    }
    timer.setEnabled(false);
    int after = ticks;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(ticks.load(), after);
    EXPECT_GE(after, 20);
}
