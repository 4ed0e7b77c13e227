#pragma once
// The device library: every device type of the show, and the installation that uses them.

#include "library/Club.h"
#include "common/Collation.h"
#include "library/Device.h"

#include <cstdint>
#include <memory>
#include <vector>

class KyLibrary {
public:
    KyLibrary() = default;
    // The installation refers to this library's list.
    KyLibrary(const KyLibrary&) = delete;
    KyLibrary& operator=(const KyLibrary&) = delete;

    std::int32_t lastId = 0; // the last identifier handed out; never lowered
    std::vector<std::shared_ptr<KyDevice>> devices; // display order
    KyClub club{devices};

    // Appends a copy of the type under the next identifier. False, with nothing added,
    // only when the identifiers are used up.
    bool addDevice(const KyDevice& type);
    // Installed devices of the type keep it alive.
    void eraseDevice(std::size_t index);
    const std::shared_ptr<KyDevice>& deviceAt(std::size_t index) const { return devices[index]; }
    std::size_t deviceCount() const { return devices.size(); }
    // By name, ignoring case, in the user's locale unless a collator is given; not stable.
    void sortByName();
    void sortByName(const vt::NameCollator& collator);
};
