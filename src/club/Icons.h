#pragma once
// The icons of the installed devices on the main window's pages and the operator's
// selection of them. The widgets that draw the icons live in the user interface; the state
// and the rules live here.

#include "library/Club.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct KyIconPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const KyIconPoint&, const KyIconPoint&) = default;
};

// The icon of one installed device.
struct KyDevIcon {
    static constexpr int kWidth = 80;
    static constexpr int kHeight = 85;

    enum State : std::uint8_t { MoveMode = 0, NotSelected = 1, SelectedOtherType = 2, SelectedSameType = 3 };

    std::shared_ptr<KyClubDevice> device;
    std::uint8_t state = NotSelected;
    bool dragging = false;
};

// Where an icon grabbed at `grab` (icon coordinates) goes when the pointer is at `pointer`
// (page coordinates), kept inside a page of the given client size.
KyIconPoint draggedIconPosition(KyIconPoint pointer, KyIconPoint grab, int pageWidth, int pageHeight);

// Where a newly installed device's icon goes on `page` of `club`: the first place, left to
// right and top to bottom on a grid of icon cells, that covers none of the icons already
// there. Rows are `pageWidth` wide, at least one cell.
KyIconPoint firstFreeIconPlace(const KyClub& club, std::int32_t page, int pageWidth);

class KyIcons {
public:
    using Devices = std::vector<std::shared_ptr<KyClubDevice>>;

    // One icon per installed device, in installation order, with nothing selected and the
    // colours reset. A device on a page at or past `pageCount` moves to the first page, in
    // the installation itself. Move mode is kept.
    void build(const KyClub& club, std::size_t pageCount);

    const std::vector<KyDevIcon>& icons() const { return icons_; }
    // The installed devices behind the icons, in icon order.
    const Devices& devices() const { return devices_; }

    // Icon indexes in the order they were selected; the last one is the reference device's.
    const std::vector<std::size_t>& selection() const { return selection_; }
    bool isSelected(std::size_t icon) const;
    // Null when nothing is selected.
    std::shared_ptr<KyClubDevice> referenceDevice() const;
    Devices selectedDevices() const;
    // The selected devices of the reference device's type, in selection order.
    Devices sameTypeSelection() const;

    // Appends the icon to the selection or takes it out, then recolours every icon.
    void toggleSelection(std::size_t icon);

    bool moveMode() const { return moveMode_; }
    // Resets the colours: in move mode every icon is grey, otherwise every icon shows as not
    // selected until the next selection change, though the selection is kept.
    void setMoveMode(bool on);
    void resetColours();

    void startDrag(std::size_t icon);
    // Stores where the icon was dropped in its device.
    void endDrag(std::size_t icon, KyIconPoint topLeft);

private:
    void placeAll();
    std::uint8_t selectionState(std::size_t icon, std::int32_t referenceTypeId) const;

    std::vector<KyDevIcon> icons_;
    Devices devices_;
    std::vector<std::size_t> selection_;
    std::size_t pageCount_ = 1;
    bool moveMode_ = false;
};
