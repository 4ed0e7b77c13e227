#include "functions/Targets.h"

int universeIndex(std::int32_t startAddress, std::int32_t channel)
{
    std::int64_t index = std::int64_t(startAddress) + channel - 2;
    return index >= 0 && index < KyDmxSpace::kChannels ? static_cast<int>(index) : -1;
}

std::uint8_t valueAt(const KyDmxSpace::Universe& universe, int index)
{
    return KyDmxSpace::inRange(index) ? universe[static_cast<std::size_t>(index)] : 0;
}

KyDevices selectionWith(const KyIcons& icons, bool (*has)(const KyDevice&))
{
    KyDevices devices;
    for (auto& device : icons.selectedDevices())
        if (device->deviceType && has(*device->deviceType))
            devices.push_back(device);
    return devices;
}

namespace {

template <class Each>
void forEachListEntry(const KyDevices& devices, KyChValue KyDevice::*list, Each each)
{
    for (const auto& device : devices) {
        const KyDevice* type = device->deviceType.get();
        if (!type || !(type->*list).active)
            continue;
        for (const auto& [channel, value] : (type->*list).values)
            each(universeIndex(device->startAddress, channel), value);
    }
}

template <class Each>
void forEachBlockChannel(const KyDevices& devices, const KyBlockOf& blockOf, Each each)
{
    for (const auto& device : devices) {
        const KyShutter* block = device->deviceType ? blockOf(*device->deviceType) : nullptr;
        if (block)
            each(universeIndex(device->startAddress, block->channel));
    }
}

} // namespace

void pressChValues(KyDmxSpace& dmx, const KyDevices& devices, KyChValue KyDevice::*list)
{
    forEachListEntry(devices, list, [&](int index, std::uint8_t value) { dmx.setManual(index, value); });
}

void releaseChValues(KyDmxSpace& dmx, const KyDevices& devices, KyChValue KyDevice::*list)
{
    forEachListEntry(devices, list, [&](int index, std::uint8_t) { dmx.releaseChannel(index); });
}

void writeBlock(KyDmxSpace& dmx, const KyDevices& devices, const KyBlockOf& blockOf, std::uint8_t value)
{
    forEachBlockChannel(devices, blockOf, [&](int index) { dmx.setManual(index, value); });
}

void releaseBlock(KyDmxSpace& dmx, const KyDevices& devices, const KyBlockOf& blockOf)
{
    forEachBlockChannel(devices, blockOf, [&](int index) { dmx.releaseChannel(index); });
}
