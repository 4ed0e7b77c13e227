#pragma once
// The colour windows' arithmetic: the colour mixer's three components in RGB or CMY mode,
// and the palette slots of a wheel.

#include "functions/Targets.h"

#include <array>
#include <cstdint>

using KyComponents = std::array<std::uint8_t, 3>;

// The bar values, which address the reference device's mixer, go unchanged to every device
// with color2 whose mode is the reference device's and as complements (255 - value) to the
// others. Callers hold the show lock.
void writeMixer(KyDmxSpace& dmx, const KyDevices& devices, bool referenceRgb, KyComponents barValues);
// A picked colour: red, green and blue to RGB mixers, their complements to CMY mixers; the
// components' ranges are not applied.
void writeColour(KyDmxSpace& dmx, const KyDevices& devices, KyComponents rgb);
// Red, green and blue of a device's mixer as the universe holds them now.
KyComponents mixerColour(const KyDmxSpace::Universe& universe, const KyClubDevice& device);

// The first slot of the palette whose value is `value`, or -1.
int slotShowing(const KyGobo& wheel, int value);
// Puts slot `slot`'s value of each device's own wheel on that wheel's channel.
void selectSlot(KyDmxSpace& dmx, const KyDevices& devices, KyGobo KyDevice::*wheel, std::size_t slot);
