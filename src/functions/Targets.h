#pragma once
// The installed devices a function window acts on and the writes it makes to their channels.
// Every device channel reaches the universe through universeIndex; callers hold the show lock
// around the writes.

#include "club/Icons.h"
#include "cue/Dmx_space.h"

#include <cstdint>
#include <functional>
#include <mutex>

// What every function window works on.
struct KyFunctionModel {
    KyDmxSpace& dmx;
    KyIcons& icons;
    std::mutex& showLock;
};

using KyDevices = KyIcons::Devices;

// Device channel `channel` (1-based) of a device starting at `startAddress` lies at universe
// index startAddress + channel - 2. An index outside the universe, which only a type that
// gained channels after its devices were installed can give, comes back as -1: the universe
// drops it and reads it as 0.
int universeIndex(std::int32_t startAddress, std::int32_t channel);
std::uint8_t valueAt(const KyDmxSpace::Universe& universe, int index);

// The selected devices whose type passes `has`, in selection order.
KyDevices selectionWith(const KyIcons& icons, bool (*has)(const KyDevice&));

// Holds every entry of the list on each device whose type has the list active; releasing
// gives the same channels back.
void pressChValues(KyDmxSpace& dmx, const KyDevices& devices, KyChValue KyDevice::*list);
void releaseChValues(KyDmxSpace& dmx, const KyDevices& devices, KyChValue KyDevice::*list);

// The block of a device's type that a control drives; null where the type has none.
using KyBlockOf = std::function<const KyShutter*(const KyDevice&)>;

// The value on the block's channel of each device, at the device's own start address.
void writeBlock(KyDmxSpace& dmx, const KyDevices& devices, const KyBlockOf& blockOf, std::uint8_t value);
void releaseBlock(KyDmxSpace& dmx, const KyDevices& devices, const KyBlockOf& blockOf);
