#include "functions/Look.h"

#include "functions/Colours.h"

#include <algorithm>

namespace {

std::uint8_t valueOn(const KyDmxSpace::Universe& frame, const KyClubDevice& device, std::int32_t channel)
{
    return valueAt(frame, universeIndex(device.startAddress, channel));
}

// How far up its range a dimmer-like block stands, 0-255; a block without a range does not dim.
int levelOf(const KyDimmer& block, int value)
{
    const int m = block.minValue;
    const int M = block.maxValue;
    if (m == M)
        return 255;
    const int level = std::clamp((value - m) * 255 / (M - m), 0, 255);
    return block.invert ? 255 - level : level;
}

// The slot the wheel stands in: the one with the highest value at or below the channel's;
// the first of equal ones. -1 below every slot.
int currentSlot(const KyGobo& wheel, int value)
{
    int slot = -1;
    for (std::size_t i = 0; i < wheel.slotCount(); ++i) {
        const int v = wheel.slotAt(i).value;
        if (v <= value && (slot < 0 || v > wheel.slotAt(static_cast<std::size_t>(slot)).value))
            slot = static_cast<int>(i);
    }
    return slot;
}

KyRgb filtered(KyRgb light, KyRgb filter)
{
    auto through = [](int a, int b) { return static_cast<std::uint8_t>(a * b / 255); };
    return {through(light.r, filter.r), through(light.g, filter.g), through(light.b, filter.b)};
}

KyRgb colourOf(const KyClubDevice& device, const KyDmxSpace::Universe& frame, std::span<const KyRgb> wheelColours)
{
    const KyDevice& type = *device.deviceType;
    KyRgb colour;
    if (type.color2.active) {
        const KyComponents rgb = mixerColour(frame, device);
        colour = {rgb[0], rgb[1], rgb[2]};
    }
    if (type.color1.wheel.active) {
        const int slot = currentSlot(type.color1, valueOn(frame, device, type.color1.wheel.channel));
        if (slot >= 0 && static_cast<std::size_t>(slot) < wheelColours.size())
            colour = filtered(colour, wheelColours[static_cast<std::size_t>(slot)]);
    }
    return colour;
}

int brightnessOf(const KyClubDevice& device, const KyDmxSpace::Universe& frame)
{
    const KyDevice& type = *device.deviceType;
    int level = 255;
    if (type.intensity.active)
        level = levelOf(type.intensity, valueOn(frame, device, type.intensity.channel));
    // A pack's intensity channels each light a part of the device; the brightest counts.
    int pack = -1;
    for (const KyDimm& entry : type.dimmers.dimms)
        if (entry.isIntensity)
            pack = std::max(pack, levelOf(entry, valueOn(frame, device, entry.channel)));
    if (pack >= 0)
        level = level * pack / 255;
    const KyShutter& shutter = type.shutter;
    if (shutter.active && shutter.onValue != shutter.offValue &&
        valueOn(frame, device, shutter.channel) == shutter.offValue)
        level = 0;
    return level;
}

} // namespace

KyLook deviceLook(const KyClubDevice& device, const KyDmxSpace::Universe& frame, std::span<const KyRgb> wheelColours)
{
    if (!device.deviceType)
        return {};
    const KyDevice& type = *device.deviceType;
    KyLook look;
    look.colour = colourOf(device, frame, wheelColours);
    look.brightness = static_cast<std::uint8_t>(brightnessOf(device, frame));
    look.strobing = type.strobe.active && valueOn(frame, device, type.strobe.channel) != type.strobe.offValue;
    look.aims = type.panTilt.active;
    if (look.aims)
        look.pad = padPointOf(frame, device);
    return look;
}

KyHalo haloOf(const KyLook& look, bool flickerOn)
{
    const KyRgb c = look.colour;
    const int peak = std::max({c.r, c.g, c.b});
    if (peak == 0 || (look.strobing && !flickerOn))
        return {{0, 0, 0}, 0};
    auto full = [peak](int v) { return static_cast<std::uint8_t>(v * 255 / peak); };
    return {{full(c.r), full(c.g), full(c.b)}, static_cast<std::uint8_t>(peak * look.brightness / 255)};
}
