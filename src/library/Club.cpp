#include "library/Club.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

constexpr int universeSize = 512;

void writeClubDevice(vt::ByteWriter& w, const KyClubDevice& d)
{
    w.i32(d.typeId);
    w.i32(d.startAddress);
    w.str(d.name);
    w.boolean(d.panInverted);
    w.boolean(d.tiltInverted);
    w.boolean(d.panTiltSwapped);
    w.i32(d.iconLeft);
    w.i32(d.iconTop);
    w.i32(d.page);
}

bool readClubDevice(vt::ByteReader& r, KyClubDevice& d)
{
    return r.i32(d.typeId) && r.i32(d.startAddress) && r.str(d.name) && r.boolean(d.panInverted) &&
           r.boolean(d.tiltInverted) && r.boolean(d.panTiltSwapped) && r.i32(d.iconLeft) && r.i32(d.iconTop) &&
           r.i32(d.page);
}

} // namespace

KyClubDevice::KyClubDevice(std::shared_ptr<KyDevice> type) : deviceType(std::move(type)), typeId(deviceType->id) {}

int KyClubDevice::channelCount() const
{
    return deviceType ? deviceType->channelCount() : 0;
}

vt::Bytes KyClub::toBytes() const
{
    vt::ByteWriter w;
    w.i32(static_cast<std::int32_t>(clubDevices.size()));
    for (const auto& device : clubDevices)
        writeClubDevice(w, *device);
    return w.take();
}

vt::LoadStatus KyClub::fromBytes(std::span<const std::uint8_t> data, std::size_t* droppedRecords)
{
    vt::ByteReader r(data);
    std::int32_t count = 0;
    r.i32(count);
    std::vector<std::shared_ptr<KyClubDevice>> devices;
    std::size_t dropped = 0;
    // No room is reserved for the declared count: each record read takes at least 27 bytes,
    // so the list never outgrows the data. A record cut short would carry half its
    // placement and is left out with the rest.
    for (std::int32_t i = 0; i < count; ++i) {
        KyClubDevice record;
        if (!readClubDevice(r, record))
            break;
        if (auto type = typeWithId(record.typeId)) {
            record.deviceType = std::move(type);
            devices.push_back(std::make_shared<KyClubDevice>(std::move(record)));
        } else {
            ++dropped;
        }
    }
    clubDevices = std::move(devices);
    if (droppedRecords)
        *droppedRecords = dropped;
    return r.ok() && r.atEnd() && count >= 0 ? vt::LoadStatus::Complete : vt::LoadStatus::Incomplete;
}

vt::LoadStatus KyClub::load(const std::string& path, std::size_t* droppedRecords)
{
    return vt::loadFile(path, [&](std::span<const std::uint8_t> data) { return fromBytes(data, droppedRecords); });
}

bool KyClub::save(const std::string& path, std::string* error) const
{
    return vt::writeFileAtomically(path, toBytes(), error);
}

void KyClub::addClubDevice(const KyClubDevice& device)
{
    clubDevices.push_back(std::make_shared<KyClubDevice>(device));
}

void KyClub::eraseClubDevice(std::size_t index)
{
    clubDevices.erase(std::next(clubDevices.begin(), static_cast<std::ptrdiff_t>(index)));
}

void KyClub::sortByStartAddress()
{
    std::sort(clubDevices.begin(), clubDevices.end(),
              [](const auto& a, const auto& b) { return a->startAddress < b->startAddress; });
}

std::size_t KyClub::countOfType(const KyDevice& type) const
{
    return static_cast<std::size_t>(std::count_if(clubDevices.begin(), clubDevices.end(),
                                                  [&](const auto& d) { return d->typeId == type.id; }));
}

std::int32_t KyClub::findFreeAddress(const KyDevice& type) const
{
    std::array<int, universeSize> occupied{};
    for (const auto& device : clubDevices) {
        // 64-bit, so that any stored start address stays clear of overflow.
        std::int64_t first = std::int64_t(device->startAddress) - 1;
        std::int64_t last = first + device->channelCount() - 1;
        for (std::int64_t i = std::max<std::int64_t>(first, 0); i <= std::min<std::int64_t>(last, universeSize - 1); ++i)
            ++occupied[static_cast<std::size_t>(i)];
    }
    const int need = type.channelCount();
    for (int start = 0; start < universeSize;) {
        if (occupied[static_cast<std::size_t>(start)]) {
            ++start;
            continue;
        }
        int end = start;
        while (end < universeSize && !occupied[static_cast<std::size_t>(end)])
            ++end;
        if (end - start >= need)
            return start + 1;
        start = end;
    }
    return 0;
}

std::shared_ptr<KyDevice> KyClub::typeWithId(std::int32_t id) const
{
    auto it = std::find_if(types_.begin(), types_.end(), [&](const auto& type) { return type->id == id; });
    return it == types_.end() ? nullptr : *it;
}
