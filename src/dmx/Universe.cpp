#include "dmx/Universe.h"

void KyUniverse::setManual(int i, std::uint8_t v)
{
    if (!inRange(i))
        return;
    universe_[static_cast<std::size_t>(i)] = v;
    if (!recordingMode) {
        hold(i, true);
        return;
    }
    recordByte(i, v);
    hold(i, false);
}

void KyUniverse::setManual16(int coarse, int fine, std::uint16_t v)
{
    auto high = static_cast<std::uint8_t>(v >> 8);
    auto low = static_cast<std::uint8_t>(v & 0xFF);
    setChannel(coarse, high);
    setChannel(fine, low);
    if (!recordingMode) {
        if (inRange(coarse))
            hold(coarse, true);
        if (inRange(fine))
            hold(fine, true);
        return;
    }
    recordWord(coarse, fine, v);
    if (inRange(coarse))
        hold(coarse, false);
    if (inRange(fine))
        hold(fine, false);
}

void KyUniverse::releaseChannel(int i)
{
    if (!inRange(i))
        return;
    if (recordingMode)
        recordRelease(i);
    else
        hold(i, false);
}

void KyUniverse::keepHeldOnly()
{
    for (std::size_t i = 0; i < universe_.size(); ++i)
        universe_[i] &= heldMask_[i];
}
