#pragma once
// The installation: device types placed at DMX start addresses, and its file club.vt2.

#include "common/Files.h"
#include "library/Device.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class KyClubDevice {
public:
    KyClubDevice() = default;
    explicit KyClubDevice(std::shared_ptr<KyDevice> type);

    std::shared_ptr<KyDevice> deviceType; // never stored; resolved from typeId at load
    std::int32_t typeId = 0;
    std::int32_t startAddress = 1; // first DMX channel, 1-based
    std::string name;              // cp1250
    bool panInverted = false;
    bool tiltInverted = false;
    bool panTiltSwapped = false;
    std::int32_t iconLeft = 0;
    std::int32_t iconTop = 0;
    std::int32_t page = 0; // 0-based page of the main window

    // The type's channel count, 0 without a type.
    int channelCount() const;

    friend bool operator==(const KyClubDevice&, const KyClubDevice&) = default;
};

class KyClub {
public:
    using DeviceTypes = std::vector<std::shared_ptr<KyDevice>>;

    // `types` is the library's list, through which the file's type identifiers resolve.
    explicit KyClub(const DeviceTypes& types) : types_(types) {}
    KyClub(const KyClub&) = delete;
    KyClub& operator=(const KyClub&) = delete;

    // Installed devices in list order; the icons and windows share these objects.
    std::vector<std::shared_ptr<KyClubDevice>> clubDevices;

    // The file's bytes, records in list order.
    vt::Bytes toBytes() const;
    // Replaces the list with the file's records. Records whose type is not in the library
    // are left out and counted in `droppedRecords` when given; a record cut short and
    // everything after it are left out too.
    vt::LoadStatus fromBytes(std::span<const std::uint8_t> data, std::size_t* droppedRecords = nullptr);
    vt::LoadStatus load(const std::string& path, std::size_t* droppedRecords = nullptr);
    bool save(const std::string& path, std::string* error = nullptr) const;

    void addClubDevice(const KyClubDevice& device);
    void eraseClubDevice(std::size_t index);
    const std::shared_ptr<KyClubDevice>& clubDeviceAt(std::size_t index) const { return clubDevices[index]; }
    std::size_t clubDeviceCount() const { return clubDevices.size(); }
    // Not stable: devices at the same address may come out in any order.
    void sortByStartAddress();
    std::size_t countOfType(const KyDevice& type) const;
    // The lowest start address where a device of the type fits between the installed
    // ones and ends at channel 512 or earlier; 0 when there is none.
    std::int32_t findFreeAddress(const KyDevice& type) const;

private:
    std::shared_ptr<KyDevice> typeWithId(std::int32_t id) const;

    const DeviceTypes& types_;
};
