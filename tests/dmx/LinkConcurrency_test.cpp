// The real timer sending frames to a virtual module while the window side reads the link's
// state for the caption and asks to close and then declines. Run under ThreadSanitizer too.

#include "LinkFixtures.h"
#include "app/Show.h"
#include "common/MMTimer.h"
#include "support/ModuleSimProcess.h"

#include <gtest/gtest.h>

TEST(LinkConcurrency, TickSendsWhileTheWindowFollowsAndClosesOutput)
{
    TempFolder folder;
    auto frames = folder / "frames";
    ModuleSimProcess sim(folder / "dmx", {"--name", "SIM-A", "--frames", frames.string()});
    KyShow show(DataPaths::in((folder / "show").string()), onlyPaths({sim.link()}));
    FakeChooser chooser;
    ASSERT_TRUE(show.usb.discover(chooser));

    TMMTimer timer;
    timer.SetInterval(5);
    timer.setOnMMTimer([&](TMMTimer&) { show.tick(); });
    timer.setEnabled(true);

    std::string caption;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    for (int round = 0; std::chrono::steady_clock::now() < until; ++round) {
        {
            std::lock_guard lock(show.showLock());
            caption = show.usb.moduleState == 1 ? show.usb.connectedModuleName : "";
        }
        if (round % 10 == 0) {
            show.requestClose();
            std::this_thread::sleep_for(std::chrono::milliseconds(12));
            show.cancelClose();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    timer.setEnabled(false);

    EXPECT_EQ(show.closeState(), KyShow::Running);
    std::lock_guard lock(show.showLock());
    EXPECT_EQ(show.usb.moduleState, 1);
    EXPECT_TRUE(show.usb.port.isOpen());
    EXPECT_FALSE(framesIn(frames).empty());
}
