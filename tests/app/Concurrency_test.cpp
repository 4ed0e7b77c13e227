// The real timer ticking the show every millisecond while another thread works on the
// universe the way the windows do. Run under ThreadSanitizer by the test command.

#include "app/Show.h"
#include "common/MMTimer.h"
#include "generator/GeneratorScale.h"
#include "support/PlaybackLoad.h"

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

TEST(Concurrency, TickAgainstWindowSideOperationsOnTheLiveCue)
{
    KyShow show(DataPaths::in("/nonexistent"));
    {
        std::lock_guard lock(show.showLock());
        show.seque.replaceSequences({playback_load::fullSequence(0, 3, 4), playback_load::fullSequence(1, 2, 2)});
        KyCue stored;
        stored.zoneEngine(0) = KySeqEngine(show.seque.sharedSequenceAt(0));
        stored.zoneEngine(4) = KySeqEngine(show.seque.sharedSequenceAt(1));
        stored.zoneEngine(4).music = true;
        stored.generatorSpeed = 2.0;
        show.seque.addCue(stored);
        show.dmx.liveCue() = stored;
        show.dmx.liveCue().play();
        show.dmx.liveCue().playGenerators();
        show.musicMode = true;
    }
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
        KyCue& live = show.dmx.liveCue();
        switch (round % 6) {
        case 0: live.play(); break;
        case 1: live.setSpeed(round % 201 - 100, true); break;
        case 2: live.pauseGenerators(); break;
        case 3: live.setGeneratorSpeed(generatorSpeedFactor(round % 201 - 100), false); break;
        case 4: live.stop(); live.playGenerators(); break;
        case 5: live = show.seque.cueAt(0); live.play(); break;
        }
        live.zoneEngine(round % KyCue::kZones).speed = round % 50;
        show.inputChanged = round % 2 == 0;
        volatile int scene = live.zoneEngine(0).sceneIndex;
        (void)scene;
        ++round;
    }
    timer.setEnabled(false);
    EXPECT_GE(ticks.load(), 20);
}
