#include "common/WindowPlace.h"

#include <gtest/gtest.h>

namespace {

// A 1600 x 1000 screen whose top 150 pixels hold the main window's menus, toolbars and tabs.
const KyRect kDesk{0, 150, 1600, 850};

} // namespace

TEST(WindowPlace, ToolWindowsStackDownTheRightSideThenInColumnsFurtherLeft)
{
    struct Case {
        const char* what;
        std::vector<KyRect> open;
        KyRect expected;
    };
    const Case cases[] = {
        {"first window", {}, {1300, 150, 300, 400}},
        {"below the first", {{1300, 150, 300, 400}}, {1300, 550, 300, 400}},
        {"a narrower window above stays clear", {{1400, 150, 200, 300}}, {1300, 450, 300, 400}},
        {"column full: the next one to the left",
         {{1300, 150, 300, 400}, {1300, 550, 300, 400}},
         {1000, 150, 300, 400}},
        {"a frame off the desk takes no room", {{0, 0, 1600, 150}}, {1300, 150, 300, 400}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(defaultWindowPlace(KyWindowSpot::RightSide, 300, 400, kDesk, c.open), c.expected) << c.what;
}

TEST(WindowPlace, TheBottomSpotRunsAlongTheBottomFromTheLeft)
{
    EXPECT_EQ(defaultWindowPlace(KyWindowSpot::Bottom, 1200, 450, kDesk, {}), (KyRect{0, 550, 1200, 450}));
    EXPECT_EQ(defaultWindowPlace(KyWindowSpot::Bottom, 600, 450, kDesk, {{0, 700, 500, 300}}),
              (KyRect{500, 550, 600, 450}));
}

// A desk too small for the window, or no room left, still keeps the frame's top-left corner
// on the desk, below the bars.
TEST(WindowPlace, AFrameThatFindsNoRoomKeepsItsCornerOnTheDesk)
{
    const KyRect small{0, 150, 800, 450};
    EXPECT_EQ(defaultWindowPlace(KyWindowSpot::RightSide, 300, 600, small, {}), (KyRect{500, 150, 300, 600}));
    EXPECT_EQ(defaultWindowPlace(KyWindowSpot::RightSide, 1000, 300, small, {}), (KyRect{0, 150, 1000, 300}));
    EXPECT_EQ(defaultWindowPlace(KyWindowSpot::Bottom, 900, 600, small, {}), (KyRect{0, 150, 900, 600}));
    const std::vector<KyRect> full{{0, 150, 800, 450}};
    EXPECT_EQ(defaultWindowPlace(KyWindowSpot::RightSide, 300, 200, small, full), (KyRect{500, 150, 300, 200}));
}

TEST(WindowPlace, APlaceIsReachableWhileAPieceOfItsTitleIsOnAScreen)
{
    const std::vector<KyRect> screens{{0, 0, 1600, 1000}, {1600, 0, 1280, 1024}};
    struct Case {
        const char* what;
        KyRect frame;
        bool reachable;
    };
    const Case cases[] = {
        {"on the first screen", {100, 100, 300, 200}, true},
        {"on the second screen", {2000, 500, 300, 200}, true},
        {"across both", {1500, 10, 300, 200}, true},
        {"hanging off the left edge by most of its width", {-250, 100, 300, 200}, true},
        {"only a sliver of title on the left edge", {-280, 100, 300, 200}, false},
        {"left of every screen", {-2000, 100, 300, 200}, false},
        {"below every screen", {100, 1100, 300, 200}, false},
        {"only its bottom on a screen, the title above it", {100, -150, 300, 200}, false},
        {"beyond the second screen", {3000, 100, 300, 200}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reachableOnScreens(c.frame, screens), c.reachable) << c.what;
    EXPECT_FALSE(reachableOnScreens({100, 100, 300, 200}, {}));
}
