#include "common/WindowPlace.h"

#include <algorithm>
#include <functional>

namespace {

// The top of a frame that carries its title, and how much of it must be on a screen for the
// operator to grab it.
constexpr int kTitleStrip = 24;
constexpr int kGrabWidth = 48;
constexpr int kGrabHeight = 8;

bool clearOf(const KyRect& place, const std::vector<KyRect>& open)
{
    return std::none_of(open.begin(), open.end(), [&](const KyRect& frame) { return frame.intersects(place); });
}

// Top to bottom in columns, the rightmost column first; the columns and rows that can hold a
// frame start at the desk's edges and at the edges of the open frames.
KyRect onTheRightSide(int width, int height, const KyRect& desk, const std::vector<KyRect>& open)
{
    std::vector<int> columns{desk.right() - width};
    std::vector<int> rows{desk.y};
    for (const KyRect& frame : open) {
        columns.push_back(frame.x - width);
        rows.push_back(frame.bottom());
    }
    std::sort(columns.begin(), columns.end(), std::greater<>());
    std::sort(rows.begin(), rows.end());
    for (int x : columns) {
        if (x < desk.x || x + width > desk.right())
            continue;
        for (int y : rows) {
            if (y < desk.y || y + height > desk.bottom())
                continue;
            const KyRect place{x, y, width, height};
            if (clearOf(place, open))
                return place;
        }
    }
    return {std::max(desk.x, desk.right() - width), desk.y, width, height};
}

// Left to right along the bottom edge.
KyRect alongTheBottom(int width, int height, const KyRect& desk, const std::vector<KyRect>& open)
{
    const int y = std::max(desk.y, desk.bottom() - height);
    std::vector<int> columns{desk.x};
    for (const KyRect& frame : open)
        columns.push_back(frame.right());
    std::sort(columns.begin(), columns.end());
    for (int x : columns) {
        if (x < desk.x || x + width > desk.right())
            continue;
        const KyRect place{x, y, width, height};
        if (clearOf(place, open))
            return place;
    }
    return {desk.x, y, width, height};
}

} // namespace

bool KyRect::intersects(const KyRect& other) const
{
    return width > 0 && height > 0 && other.width > 0 && other.height > 0 && x < other.right() &&
           other.x < right() && y < other.bottom() && other.y < bottom();
}

KyRect KyRect::intersected(const KyRect& other) const
{
    if (!intersects(other))
        return {};
    const int left = std::max(x, other.x);
    const int top = std::max(y, other.y);
    return {left, top, std::min(right(), other.right()) - left, std::min(bottom(), other.bottom()) - top};
}

KyRect defaultWindowPlace(KyWindowSpot spot, int width, int height, const KyRect& desk,
                          const std::vector<KyRect>& open)
{
    return spot == KyWindowSpot::Bottom ? alongTheBottom(width, height, desk, open)
                                        : onTheRightSide(width, height, desk, open);
}

bool reachableOnScreens(const KyRect& frame, const std::vector<KyRect>& screens)
{
    const KyRect strip{frame.x, frame.y, frame.width, std::min(frame.height, kTitleStrip)};
    return std::any_of(screens.begin(), screens.end(), [&](const KyRect& screen) {
        const KyRect shown = strip.intersected(screen);
        return shown.width > 0 && shown.width >= std::min(kGrabWidth, strip.width) &&
               shown.height >= std::min(kGrabHeight, strip.height);
    });
}
