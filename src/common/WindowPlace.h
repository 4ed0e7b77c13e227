#pragma once
// Where a tool window goes on the operator's desk: the first time beside the work, never
// over the main window's menus, toolbars and page tabs; later where the operator left it,
// unless no screen shows that place any more.

#include <vector>

// A rectangle in screen pixels; right and bottom are exclusive.
struct KyRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool intersects(const KyRect& other) const;
    KyRect intersected(const KyRect& other) const;
    bool operator==(const KyRect&) const = default;
};

enum class KyWindowSpot {
    RightSide, // stacked down the right-hand side, then in columns further left
    Bottom,    // along the bottom edge, from the left
};

// The first place for a frame of the given size on the desk (the screen's part below the
// main window's bars and tabs), clear of the frames already open where the desk has room;
// a frame larger than the desk keeps its top-left corner on the desk.
KyRect defaultWindowPlace(KyWindowSpot spot, int width, int height, const KyRect& desk,
                          const std::vector<KyRect>& open);

// Whether the operator can still grab a frame there: a piece of its title strip lies on one
// of the screens.
bool reachableOnScreens(const KyRect& frame, const std::vector<KyRect>& screens);
