// The programming window's pattern on the real timer: the step handler takes over from the
// main tick, the window side starts jobs and follows their progress under the show lock,
// and the main tick comes back. Run under ThreadSanitizer too.

#include "app/Show.h"
#include "common/MMTimer.h"
#include "dmx/LinkFixtures.h"
#include "module/ModuleJob.h"
#include "support/ModuleSimProcess.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

using namespace std::chrono_literals;

TEST(ModuleJobConcurrency, StepHandlerTakesOverTheTickAndGivesItBack)
{
    TempFolder folder;
    ModuleSimProcess sim(folder / "dmx", {"--name", "SIM-A"});
    KyShow show(DataPaths::in((folder / "show").string()), onlyPaths({sim.link()}));
    FakeChooser chooser;
    ASSERT_TRUE(show.usb.discover(chooser));
    auto job = std::make_shared<KyModuleJob>(show.usb);

    TMMTimer timer;
    const TMMTimer::Handler mainTick = [&](TMMTimer&) { show.tick(); };
    timer.SetInterval(5);
    timer.setOnMMTimer(mainTick);
    timer.setEnabled(true);

    const vt::Bytes image(3 * 256, 0x11);
    for (int round = 0; round < 3; ++round) {
        {
            std::lock_guard lock(show.showLock());
            if (round == 1)
                job->startRead();
            else
                job->startWrite(image, blockCountFor(image.size(), 12));
        }
        timer.setOnMMTimer([job, lock = &show.showLock()](TMMTimer&) {
            std::lock_guard guard(*lock);
            job->step();
        });
        timer.SetInterval(2);
        KyModuleJob::Outcome outcome = KyModuleJob::Outcome::None;
        for (auto until = std::chrono::steady_clock::now() + 10s;
             outcome == KyModuleJob::Outcome::None && std::chrono::steady_clock::now() < until;) {
            std::this_thread::sleep_for(1ms);
            std::lock_guard lock(show.showLock());
            outcome = job->takeOutcome();
            EXPECT_LE(job->progress(), job->progressMax());
        }
        timer.SetInterval(5);
        timer.setOnMMTimer(mainTick);
        EXPECT_NE(outcome, KyModuleJob::Outcome::None) << round;
        std::this_thread::sleep_for(20ms);
    }
    timer.setEnabled(false);
    std::lock_guard lock(show.showLock());
    EXPECT_EQ(show.usb.moduleState, 1);
}
