// The real timer sending frames through the blackout override to a virtual module while the
// window side switches blackout, rebuilds the icons and edits the devices and their type.
// Run under ThreadSanitizer too.

#include "app/Show.h"
#include "common/MMTimer.h"
#include "dmx/LinkFixtures.h"
#include "support/ModuleSimProcess.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(BlackoutConcurrency, TickOverridesFramesWhileTheInstallationChanges)
{
    TempFolder folder;
    auto frames = folder / "frames";
    ModuleSimProcess sim(folder / "dmx", {"--name", "SIM-B", "--frames", frames.string()});
    KyShow show(DataPaths::in((folder / "show").string()), onlyPaths({sim.link()}));
    FakeChooser chooser;
    ASSERT_TRUE(show.usb.discover(chooser));
    {
        KyDevice type;
        type.blackout.active = true;
        type.blackout.setValue(1, 0);
        show.library.addDevice(type);
        for (int start = 1; start <= 64; start += 4) {
            KyClubDevice device(show.library.deviceAt(0));
            device.startAddress = start;
            show.library.club.addClubDevice(device);
        }
        show.rebuildIcons();
        show.dmx.setManual(0, 255);
    }

    TMMTimer timer;
    timer.SetInterval(2);
    timer.setOnMMTimer([&](TMMTimer&) { show.tick(); });
    timer.setEnabled(true);

    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    for (int round = 0; std::chrono::steady_clock::now() < until; ++round) {
        {
            std::lock_guard lock(show.showLock());
            show.usb.blackoutActive = round % 4 < 2;
            KyDevice& type = *show.library.deviceAt(0);
            type.blackout.setValue(2 + round % 3, static_cast<std::uint8_t>(round));
            show.library.club.clubDevices[static_cast<std::size_t>(round % 16)]->startAddress = 1 + round % 500;
            if (round % 5 == 0)
                show.rebuildIcons();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    timer.setEnabled(false);

    // Both kinds of frame went out: with the first channel darkened and with its live value.
    auto sent = framesIn(frames);
    auto startsWith = [&](const char* hex) {
        return std::any_of(sent.begin(), sent.end(), [&](const std::string& f) { return f.rfind(hex, 0) == 0; });
    };
    EXPECT_TRUE(startsWith("00"));
    EXPECT_TRUE(startsWith("ff"));
}
