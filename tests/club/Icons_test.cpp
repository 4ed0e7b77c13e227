#include "club/Icons.h"
#include "library/Library.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using State = std::vector<std::uint8_t>;

} // namespace

// Types X and Y, and the installed devices A (X), B (Y), C (X).
class IconsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        library.addDevice(KyDevice{});
        library.addDevice(KyDevice{});
        for (std::size_t type : {0u, 1u, 0u})
            library.club.addClubDevice(KyClubDevice(library.deviceAt(type)));
        icons.build(library.club, 3);
    }

    State states() const
    {
        State s;
        for (const auto& icon : icons.icons())
            s.push_back(icon.state);
        return s;
    }
    const std::shared_ptr<KyClubDevice>& device(std::size_t i) const { return library.club.clubDeviceAt(i); }

    static constexpr std::size_t A = 0, B = 1, C = 2;
    KyLibrary library;
    KyIcons icons;
};

TEST_F(IconsTest, SelectionColoursFollowTheReferenceDevicesType)
{
    EXPECT_EQ(states(), (State{1, 1, 1}));
    EXPECT_EQ(icons.referenceDevice(), nullptr);
    EXPECT_TRUE(icons.sameTypeSelection().empty());

    icons.toggleSelection(A);
    icons.toggleSelection(B);
    icons.toggleSelection(C);
    EXPECT_EQ(states(), (State{3, 2, 3}));
    EXPECT_EQ(icons.referenceDevice(), device(C));
    EXPECT_EQ(icons.selectedDevices(), (KyIcons::Devices{device(A), device(B), device(C)}));
    EXPECT_EQ(icons.sameTypeSelection(), (KyIcons::Devices{device(A), device(C)}));

    icons.toggleSelection(C);
    EXPECT_EQ(states(), (State{2, 3, 1}));
    EXPECT_EQ(icons.referenceDevice(), device(B));
    EXPECT_EQ(icons.selection(), (std::vector<std::size_t>{A, B}));
    EXPECT_EQ(icons.sameTypeSelection(), (KyIcons::Devices{device(B)}));
}

TEST_F(IconsTest, ClickingTheSameIconTwiceLeavesNothingSelected)
{
    icons.toggleSelection(B);
    EXPECT_EQ(states(), (State{1, 3, 1}));
    icons.toggleSelection(B);
    EXPECT_TRUE(icons.selection().empty());
    EXPECT_EQ(states(), (State{1, 1, 1}));
}

TEST_F(IconsTest, MoveModeGreysEveryIconAndLeavingItKeepsTheSelectionUncoloured)
{
    icons.toggleSelection(A);
    icons.setMoveMode(true);
    EXPECT_EQ(states(), (State{0, 0, 0}));
    icons.toggleSelection(B);
    EXPECT_EQ(states(), (State{0, 0, 0}));

    icons.setMoveMode(false);
    EXPECT_EQ(states(), (State{1, 1, 1}));
    EXPECT_EQ(icons.selection(), (std::vector<std::size_t>{A, B}));
    icons.toggleSelection(C);
    EXPECT_EQ(states(), (State{3, 2, 3}));
}

TEST_F(IconsTest, DevicesOnAMissingPageGoToTheFirstPage)
{
    for (auto [page, placed] : {std::pair{2, 2}, {3, 0}, {5, 0}, {-1, 0}}) {
        device(B)->page = page;
        icons.build(library.club, 3);
        EXPECT_EQ(device(B)->page, placed) << "page " << page;
    }
}

TEST_F(IconsTest, RebuildEmptiesTheSelectionAndKeepsMoveMode)
{
    icons.toggleSelection(A);
    icons.setMoveMode(true);
    library.club.eraseClubDevice(A);
    icons.build(library.club, 3);
    EXPECT_TRUE(icons.selection().empty());
    EXPECT_TRUE(icons.moveMode());
    EXPECT_EQ(states(), (State{0, 0}));
    EXPECT_EQ(icons.devices(), library.club.clubDevices);
}

TEST_F(IconsTest, DroppingAnIconStoresItsPositionInTheDevice)
{
    icons.startDrag(C);
    EXPECT_TRUE(icons.icons()[C].dragging);
    icons.endDrag(C, {120, 40});
    EXPECT_FALSE(icons.icons()[C].dragging);
    EXPECT_EQ(device(C)->iconLeft, 120);
    EXPECT_EQ(device(C)->iconTop, 40);
}

TEST(IconDrag, IconStaysInsideThePage)
{
    struct Case {
        KyIconPoint pointer, grab, expected;
    };
    // A 400 x 300 page: icons are 80 x 85.
    for (const Case& c : {
             Case{{100, 100}, {10, 20}, {90, 80}},
             Case{{500, 100}, {10, 20}, {320, 80}},  // past the right edge: right edge on the page's
             Case{{100, 400}, {10, 20}, {90, 215}},  // past the bottom
             Case{{5, 10}, {10, 20}, {0, 0}},        // past the top-left corner
         })
        EXPECT_EQ(draggedIconPosition(c.pointer, c.grab, 400, 300), c.expected)
            << c.pointer.x << "," << c.pointer.y;
}

// A new icon takes the first cell, left to right and top to bottom, that covers no icon on
// its page; icons of other pages and icons off the grid count by what they cover.
TEST(NewIconPlace, FirstFreeCellOnThePage)
{
    constexpr int W = KyDevIcon::kWidth;
    constexpr int H = KyDevIcon::kHeight;
    struct Case {
        const char* what;
        std::vector<std::array<int, 3>> icons; // page, left, top
        KyIconPoint expected;
    };
    const Case cases[] = {
        {"an empty page", {}, {0, 0}},
        {"icons at the corner", {{0, 0, 0}, {0, 0, 0}}, {W, 0}},
        {"another page's icons", {{1, 0, 0}, {1, W, 0}}, {0, 0}},
        {"a full first row", {{0, 0, 0}, {0, W, 0}, {0, 2 * W, 0}}, {0, H}},
        {"an icon between cells", {{0, W / 2, 0}}, {2 * W, 0}},
        {"a gap in the row", {{0, 0, 0}, {0, 2 * W, 0}}, {W, 0}},
        {"an icon hanging into the second row", {{0, 0, 0}, {0, W, 0}, {0, 2 * W, 0}, {0, 10, H - 5}}, {2 * W, H}},
    };
    for (const Case& c : cases) {
        KyLibrary library;
        library.addDevice(KyDevice{});
        for (const auto& [page, left, top] : c.icons) {
            KyClubDevice device(library.deviceAt(0));
            device.page = page;
            device.iconLeft = left;
            device.iconTop = top;
            library.club.addClubDevice(device);
        }
        EXPECT_EQ(firstFreeIconPlace(library.club, 0, 3 * W + 20), c.expected) << c.what;
    }
}
