#include "club/Icons.h"

#include <algorithm>

KyIconPoint draggedIconPosition(KyIconPoint pointer, KyIconPoint grab, int pageWidth, int pageHeight)
{
    // The upper bound wins on a page smaller than an icon, as the operator last saw it.
    return {std::min(std::max(0, pointer.x - grab.x), pageWidth - KyDevIcon::kWidth),
            std::min(std::max(0, pointer.y - grab.y), pageHeight - KyDevIcon::kHeight)};
}

void KyIcons::build(const KyClub& club, std::size_t pageCount)
{
    icons_.clear();
    devices_ = club.clubDevices;
    for (const auto& device : devices_)
        icons_.push_back(KyDevIcon{device});
    selection_.clear();
    pageCount_ = pageCount;
    resetColours();
}

bool KyIcons::isSelected(std::size_t icon) const
{
    return std::find(selection_.begin(), selection_.end(), icon) != selection_.end();
}

std::shared_ptr<KyClubDevice> KyIcons::referenceDevice() const
{
    return selection_.empty() ? nullptr : icons_[selection_.back()].device;
}

KyIcons::Devices KyIcons::selectedDevices() const
{
    Devices devices;
    for (std::size_t icon : selection_)
        devices.push_back(icons_[icon].device);
    return devices;
}

KyIcons::Devices KyIcons::sameTypeSelection() const
{
    Devices devices;
    if (selection_.empty())
        return devices;
    const std::int32_t typeId = referenceDevice()->typeId;
    for (std::size_t icon : selection_)
        if (icons_[icon].device->typeId == typeId)
            devices.push_back(icons_[icon].device);
    return devices;
}

void KyIcons::toggleSelection(std::size_t icon)
{
    auto it = std::find(selection_.begin(), selection_.end(), icon);
    if (it == selection_.end())
        selection_.push_back(icon);
    else
        selection_.erase(it);
    const std::int32_t referenceTypeId = selection_.empty() ? 0 : referenceDevice()->typeId;
    for (std::size_t i = 0; i < icons_.size(); ++i)
        icons_[i].state = selectionState(i, referenceTypeId);
    placeAll();
}

std::uint8_t KyIcons::selectionState(std::size_t icon, std::int32_t referenceTypeId) const
{
    if (!isSelected(icon))
        return KyDevIcon::NotSelected;
    return icons_[icon].device->typeId == referenceTypeId ? KyDevIcon::SelectedSameType
                                                          : KyDevIcon::SelectedOtherType;
}

void KyIcons::setMoveMode(bool on)
{
    moveMode_ = on;
    resetColours();
}

void KyIcons::resetColours()
{
    for (auto& icon : icons_)
        icon.state = KyDevIcon::NotSelected;
    placeAll();
}

void KyIcons::startDrag(std::size_t icon)
{
    icons_[icon].dragging = true;
}

void KyIcons::endDrag(std::size_t icon, KyIconPoint topLeft)
{
    KyDevIcon& dropped = icons_[icon];
    dropped.dragging = false;
    dropped.device->iconLeft = topLeft.x;
    dropped.device->iconTop = topLeft.y;
}

// A page index that no page has, negative ones from a damaged file included, would leave
// the icon nowhere; such a device goes to the first page.
void KyIcons::placeAll()
{
    for (auto& icon : icons_) {
        if (moveMode_)
            icon.state = KyDevIcon::MoveMode;
        if (icon.device->page < 0 || static_cast<std::size_t>(icon.device->page) >= pageCount_)
            icon.device->page = 0;
    }
}

namespace {

bool coversAnIcon(const KyClub& club, std::int32_t page, KyIconPoint at)
{
    for (std::size_t i = 0; i < club.clubDeviceCount(); ++i) {
        const KyClubDevice& other = *club.clubDeviceAt(i);
        if (other.page == page && at.x < other.iconLeft + KyDevIcon::kWidth && other.iconLeft < at.x + KyDevIcon::kWidth &&
            at.y < other.iconTop + KyDevIcon::kHeight && other.iconTop < at.y + KyDevIcon::kHeight)
            return true;
    }
    return false;
}

} // namespace

KyIconPoint firstFreeIconPlace(const KyClub& club, std::int32_t page, int pageWidth)
{
    const int columns = std::max(1, pageWidth / KyDevIcon::kWidth);
    // Each icon covers at most four cells, so a free one comes within 4n + 1 cells.
    for (std::size_t cell = 0;; ++cell) {
        const KyIconPoint at{static_cast<int>(cell % columns) * KyDevIcon::kWidth,
                             static_cast<int>(cell / columns) * KyDevIcon::kHeight};
        if (!coversAnIcon(club, page, at))
            return at;
    }
}
