#include "functions/PanTilt.h"

#include <algorithm>
#include <utility>

KyPanTiltChannels panTiltChannels(const KyClubDevice& device)
{
    const KyPanTilt& block = device.deviceType->panTilt;
    const std::int32_t s = device.startAddress;
    return {universeIndex(s, block.panChannel), universeIndex(s, block.panFineChannel),
            universeIndex(s, block.tiltChannel), universeIndex(s, block.tiltFineChannel), !block.mode8bit};
}

namespace {

bool hasPanTilt(const KyClubDevice& device)
{
    return device.deviceType && device.deviceType->panTilt.active;
}

// The channels of the pad's X and Y axes on one head.
struct KyAxisChannels {
    int coarse;
    int fine;
};

std::pair<KyAxisChannels, KyAxisChannels> padAxes(const KyClubDevice& device, const KyPanTiltChannels& ch)
{
    KyAxisChannels pan{ch.pan, ch.panFine};
    KyAxisChannels tilt{ch.tilt, ch.tiltFine};
    if (device.panTiltSwapped)
        return {tilt, pan};
    return {pan, tilt};
}

void writeAxis(KyDmxSpace& dmx, KyAxisChannels axis, int value, bool wide)
{
    if (wide)
        dmx.setManual16(axis.coarse, axis.fine, static_cast<std::uint16_t>(value));
    else
        dmx.setManual(axis.coarse, static_cast<std::uint8_t>(value >> 8));
}

int axisValue(const KyDmxSpace::Universe& universe, KyAxisChannels axis, bool wide)
{
    return valueAt(universe, axis.coarse) * 256 + (wide ? valueAt(universe, axis.fine) : 0);
}

constexpr int kPadMax = 65535;

} // namespace

void writePad(KyDmxSpace& dmx, const KyDevices& devices, KyPadPoint pad)
{
    const int x = std::clamp(pad.x, 0, kPadMax);
    const int y = std::clamp(pad.y, 0, kPadMax);
    for (const auto& device : devices) {
        if (!hasPanTilt(*device))
            continue;
        KyPanTiltChannels ch = panTiltChannels(*device);
        auto [xAxis, yAxis] = padAxes(*device, ch);
        writeAxis(dmx, xAxis, device->panInverted ? kPadMax - x : x, ch.wide);
        writeAxis(dmx, yAxis, device->tiltInverted ? kPadMax - y : y, ch.wide);
        if (dmx.recordingMode)
            dmx.linkPair(xAxis.coarse, yAxis.coarse);
    }
}

void releasePanTilt(KyDmxSpace& dmx, const KyDevices& devices)
{
    for (const auto& device : devices) {
        if (!hasPanTilt(*device))
            continue;
        KyPanTiltChannels ch = panTiltChannels(*device);
        dmx.releaseChannel(ch.pan);
        dmx.releaseChannel(ch.tilt);
        if (ch.wide) {
            dmx.releaseChannel(ch.panFine);
            dmx.releaseChannel(ch.tiltFine);
        }
    }
}

KyPadPoint padPointOf(const KyDmxSpace::Universe& universe, const KyClubDevice& device)
{
    KyPanTiltChannels ch = panTiltChannels(device);
    auto [xAxis, yAxis] = padAxes(device, ch);
    const int x = axisValue(universe, xAxis, ch.wide);
    const int y = axisValue(universe, yAxis, ch.wide);
    return {device.panInverted ? kPadMax - x : x, device.tiltInverted ? kPadMax - y : y};
}

KyPadPoint arrowTarget(KyPadPoint from, KyPadArrow arrow, bool mode8bit, int resolution)
{
    const int back = mode8bit ? 255 : resolution;
    const int forward = mode8bit ? 511 : resolution;
    switch (arrow) {
    case KyPadArrow::Up:
        return {from.x, from.y - back};
    case KyPadArrow::Down:
        return {from.x, from.y + forward};
    case KyPadArrow::Left:
        return {from.x - back, from.y};
    case KyPadArrow::Right:
        return {from.x + forward, from.y};
    }
    return from;
}

int speedModifierFor(int position)
{
    const int q = std::clamp(position, -100, 100);
    return q >= 0 ? 100 + 9 * q : (1000 + 9 * q) / 10;
}

int speedPositionFor(int modifier)
{
    const int v = std::clamp(modifier, 10, 1000);
    return v >= 100 ? (v - 100) / 9 : -((100 - v) * 10 / 9);
}
