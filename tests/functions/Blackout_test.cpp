#include "FunctionRig.h"
#include "functions/Blackout.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

KyDevice blackoutType(std::initializer_list<std::pair<int, int>> entries, bool active = true)
{
    KyDevice type;
    type.intensity = dimmerOn(1);
    for (auto [channel, value] : entries)
        type.blackout.setValue(channel, static_cast<std::uint8_t>(value));
    type.blackout.active = active;
    return type;
}

} // namespace

TEST(Blackout, OverridesTheFrameInIconOrderAndDropsWhatLiesBeyond)
{
    FunctionRig rig;
    auto dark = rig.addType(blackoutType({{1, 0}, {2, 7}}), "Ciemny");
    auto keeps = rig.addType(blackoutType({{1, 0}}, false), "Bez");
    auto wide = rig.addType(blackoutType({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {40, 9}}), "Szeroki");
    rig.install(dark, 1);
    rig.install(dark, 2); // overlaps the first; being later in the icons, its values stay
    rig.install(keeps, 20);
    rig.install(wide, 510);

    // A frame inside a larger buffer, so that a write past its end would show.
    std::array<std::uint8_t, 600> buffer;
    buffer.fill(255);
    KyBlackoutOverride blackout(rig.icons);
    blackout.overrideFrame(std::span<std::uint8_t, 512>(buffer.data(), 512));

    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 0);
    EXPECT_EQ(buffer[2], 7);
    EXPECT_EQ(buffer[19], 255);
    EXPECT_EQ(buffer[509], 1);
    EXPECT_EQ(buffer[511], 3);
    EXPECT_TRUE(std::all_of(buffer.begin() + 512, buffer.end(), [](std::uint8_t b) { return b == 255; }));
}
