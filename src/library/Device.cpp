#include "library/Device.h"

#include <algorithm>
#include <iterator>

namespace {

template <typename List>
void eraseAt(List& list, std::size_t position)
{
    list.erase(std::next(list.begin(), static_cast<std::ptrdiff_t>(position)));
}

int activeChannel(const KyShutter& block)
{
    return block.active ? block.channel : 0;
}

int activeChannels(const KyChValue& list)
{
    return list.active ? list.highestChannel() : 0;
}

int wheelChannels(const KyGobo& wheel)
{
    if (!wheel.wheel.active)
        return 0;
    return std::max({wheel.wheel.channel, activeChannel(wheel.control1), activeChannel(wheel.control2)});
}

int panTiltChannels(const KyPanTilt& p)
{
    if (!p.active)
        return 0;
    // The controllers count whether or not they are active.
    int highest = std::max({p.panChannel, p.tiltChannel, p.control1.channel, p.control2.channel});
    if (!p.mode8bit)
        highest = std::max({highest, p.panFineChannel, p.tiltFineChannel});
    return highest;
}

int mixerChannels(const KyColorMixer& m)
{
    if (!m.active)
        return 0;
    return std::max({m.component1.channel, m.component2.channel, m.component3.channel});
}

} // namespace

std::size_t KyChValue::setValue(std::int32_t channel, std::uint8_t value)
{
    auto it = values.insert_or_assign(channel, value).first;
    return static_cast<std::size_t>(std::distance(values.begin(), it));
}

void KyChValue::eraseEntry(std::size_t position)
{
    eraseAt(values, position);
}

std::pair<std::int32_t, std::uint8_t> KyChValue::entryAt(std::size_t position) const
{
    return *std::next(values.begin(), static_cast<std::ptrdiff_t>(position));
}

std::int32_t KyChValue::highestChannel() const
{
    return values.empty() ? 0 : values.rbegin()->first;
}

void KyGobo::addSlot(const KyIcon& slot)
{
    if (slots.size() < maxSlots)
        slots.push_back(slot);
}

void KyGobo::eraseSlot(std::size_t position)
{
    eraseAt(slots, position);
}

void KyGobo::sortSlots()
{
    std::stable_sort(slots.begin(), slots.end(), [](const KyIcon& a, const KyIcon& b) { return a.value < b.value; });
}

void KyDimmers::addDimm(const KyDimm& entry)
{
    if (dimms.size() >= maxDimms)
        return;
    dimms.push_back(entry);
    dimms.back().active = true;
}

void KyDimmers::eraseDimm(std::size_t position)
{
    eraseAt(dimms, position);
}

KyDevice::KyDevice()
{
    intensity.name = "INTENSYWNO\x8C\xC6"; // "INTENSYWNOŚĆ" in cp1250
    strobe.name = "STROBO";
}

int KyDevice::channelCount() const
{
    int highest = std::max({0, activeChannels(reset), activeChannel(shutter), activeChannel(intensity),
                            activeChannel(strobe), activeChannels(blackout), activeChannels(lampOn),
                            activeChannels(lampOff), panTiltChannels(panTilt)});
    for (const KyGobo* wheel : {&color1, &gobo1, &gobo2, &effect1, &effect2})
        highest = std::max(highest, wheelChannels(*wheel));
    highest = std::max({highest, mixerChannels(color2), activeChannel(optic.optic1), activeChannel(optic.optic2),
                        activeChannel(optic.optic3), activeChannel(optic.optic4)});
    for (const KyDimm& entry : dimmers.dimms)
        highest = std::max(highest, entry.channel);
    return highest;
}
