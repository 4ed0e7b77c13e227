#pragma once
// What an installed device is doing, read from the 512 values of an outgoing frame through
// its type's function blocks: the colour and brightness of its light, whether it strobes, and
// where a moving head points. The pages draw it around the device's icon.

#include "functions/PanTilt.h"

#include <cstdint>
#include <span>

struct KyRgb {
    std::uint8_t r = 255;
    std::uint8_t g = 255;
    std::uint8_t b = 255;

    friend bool operator==(const KyRgb&, const KyRgb&) = default;
};

struct KyLook {
    KyRgb colour;                 // white for a type without a mixer or colour wheel
    std::uint8_t brightness = 255; // full for a type with nothing that dims it
    bool strobing = false;
    bool aims = false;             // a moving head: `pad` says where
    KyPadPoint pad;                // as the Pan/Tilt window's pad shows it, 0-65535 each

    friend bool operator==(const KyLook&, const KyLook&) = default;
};

// `wheelColours` holds a colour for each slot of the type's colour wheel, by position; a slot
// without one shows white. Reads nothing outside the frame.
KyLook deviceLook(const KyClubDevice& device, const KyDmxSpace::Universe& frame,
                  std::span<const KyRgb> wheelColours = {});

// The light a look gives off: its colour at full strength and how strongly it shines
// (0 dark), the colour's own darkness included. A strobing look is dark on the flicker's
// off phase.
struct KyHalo {
    KyRgb hue;
    std::uint8_t strength = 0;

    friend bool operator==(const KyHalo&, const KyHalo&) = default;
};
KyHalo haloOf(const KyLook& look, bool flickerOn);
