#include "functions/Colours.h"

namespace {

KyComponents complement(KyComponents values)
{
    for (auto& v : values)
        v = static_cast<std::uint8_t>(255 - v);
    return values;
}

void writeComponents(KyDmxSpace& dmx, const KyClubDevice& device, KyComponents values)
{
    const KyColorMixer& mixer = device.deviceType->color2;
    const KyDimmer* components[3] = {&mixer.component1, &mixer.component2, &mixer.component3};
    for (std::size_t i = 0; i < 3; ++i)
        dmx.setManual(universeIndex(device.startAddress, components[i]->channel), values[i]);
}

template <class Each>
void forEachMixer(const KyDevices& devices, Each each)
{
    for (const auto& device : devices)
        if (device->deviceType && device->deviceType->color2.active)
            each(*device, device->deviceType->color2.rgb);
}

} // namespace

void writeMixer(KyDmxSpace& dmx, const KyDevices& devices, bool referenceRgb, KyComponents barValues)
{
    forEachMixer(devices, [&](const KyClubDevice& device, bool rgb) {
        writeComponents(dmx, device, rgb == referenceRgb ? barValues : complement(barValues));
    });
}

void writeColour(KyDmxSpace& dmx, const KyDevices& devices, KyComponents rgb)
{
    forEachMixer(devices, [&](const KyClubDevice& device, bool deviceRgb) {
        writeComponents(dmx, device, deviceRgb ? rgb : complement(rgb));
    });
}

KyComponents mixerColour(const KyDmxSpace::Universe& universe, const KyClubDevice& device)
{
    const KyColorMixer& mixer = device.deviceType->color2;
    const std::int32_t s = device.startAddress;
    KyComponents values = {valueAt(universe, universeIndex(s, mixer.component1.channel)),
                           valueAt(universe, universeIndex(s, mixer.component2.channel)),
                           valueAt(universe, universeIndex(s, mixer.component3.channel))};
    return mixer.rgb ? values : complement(values);
}

int slotShowing(const KyGobo& wheel, int value)
{
    for (std::size_t i = 0; i < wheel.slotCount(); ++i)
        if (wheel.slotAt(i).value == value)
            return static_cast<int>(i);
    return -1;
}

void selectSlot(KyDmxSpace& dmx, const KyDevices& devices, KyGobo KyDevice::*wheel, std::size_t slot)
{
    for (const auto& device : devices) {
        if (!device->deviceType)
            continue;
        const KyGobo& own = (*device->deviceType).*wheel;
        if (slot < own.slotCount())
            dmx.setManual(universeIndex(device->startAddress, own.wheel.channel),
                          static_cast<std::uint8_t>(own.slotAt(slot).value));
    }
}
