#pragma once
// Device types: one model of fixture described by the function blocks it has.

#include "common/BulkArena.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// A channel with an open and a closed value; the base of the dimmer-like blocks.
struct KyShutter {
    bool active = false;
    std::int32_t channel = 1; // device channel, 1-32
    std::uint8_t onValue = 0;
    std::uint8_t offValue = 0;

    friend bool operator==(const KyShutter&, const KyShutter&) = default;
};

// One channel driven over a range by a control.
struct KyDimmer : KyShutter {
    std::string name; // cp1250
    std::uint8_t minValue = 0;
    std::uint8_t maxValue = 255;
    bool invert = false;

    friend bool operator==(const KyDimmer&, const KyDimmer&) = default;
};

// One entry of a dimmer pack.
struct KyDimm : KyDimmer {
    bool isIntensity = false;

    friend bool operator==(const KyDimm&, const KyDimm&) = default;
};

// Channel/value pairs sent together (reset, blackout, lamp on, lamp off).
struct KyChValue {
    std::map<std::int32_t, std::uint8_t> values; // ascending channel, each channel once
    bool active = false;

    // Inserts the pair or replaces the channel's value; returns its position.
    std::size_t setValue(std::int32_t channel, std::uint8_t value);
    void eraseEntry(std::size_t position);
    std::pair<std::int32_t, std::uint8_t> entryAt(std::size_t position) const;
    std::size_t entryCount() const { return values.size(); }
    // 0 for an empty list.
    std::int32_t highestChannel() const;

    friend bool operator==(const KyChValue&, const KyChValue&) = default;
};

struct KyPanTilt {
    bool active = false;
    bool mode8bit = true;
    std::int32_t panFineChannel = 1;
    std::int32_t panChannel = 1;
    std::int32_t tiltFineChannel = 1;
    std::int32_t tiltChannel = 1;
    KyDimmer control1;
    KyDimmer control2;

    friend bool operator==(const KyPanTilt&, const KyPanTilt&) = default;
};

// The bytes of a BMP file, empty for none; a loaded library keeps them in its bulk storage.
using KyPicture = vt::BulkVector<std::uint8_t>;

// One slot of a wheel.
struct KyIcon {
    std::string name;                  // cp1250
    KyPicture picture;
    std::int32_t value = 0;

    friend bool operator==(const KyIcon&, const KyIcon&) = default;
};

// Qt defines `slots` as a macro; windows that include this header after Qt's reach the
// palette through slotAt() and slotCount().
#pragma push_macro("slots")
#undef slots

// A wheel (colour, gobo or effect): its palette of slots and its channels.
struct KyGobo {
    static constexpr std::size_t maxSlots = 24;

    std::vector<KyIcon> slots;
    KyDimmer wheel;
    KyDimmer control1;
    KyDimmer control2;

    // Ignored when the wheel is full.
    void addSlot(const KyIcon& slot);
    void eraseSlot(std::size_t position);
    const KyIcon& slotAt(std::size_t position) const { return slots[position]; }
    KyIcon& slotAt(std::size_t position) { return slots[position]; }
    std::size_t slotCount() const { return slots.size(); }
    // Ascending value; equal values keep their order.
    void sortSlots();

    friend bool operator==(const KyGobo&, const KyGobo&) = default;
};

#pragma pop_macro("slots")

struct KyColorMixer {
    bool active = false;
    bool rgb = true; // false: cyan, magenta, yellow
    KyDimmer component1;
    KyDimmer component2;
    KyDimmer component3;

    friend bool operator==(const KyColorMixer&, const KyColorMixer&) = default;
};

struct KyOptic {
    KyDimmer optic1;
    KyDimmer optic2;
    KyDimmer optic3;
    KyDimmer optic4;

    friend bool operator==(const KyOptic&, const KyOptic&) = default;
};

// A dimmer pack; an empty list means the type has none.
struct KyDimmers {
    static constexpr std::size_t maxDimms = 32;

    std::vector<KyDimm> dimms;

    // Appends an active copy; ignored when the pack is full.
    void addDimm(const KyDimm& entry);
    void eraseDimm(std::size_t position);
    const KyDimm& dimmAt(std::size_t position) const { return dimms[position]; }
    KyDimm& dimmAt(std::size_t position) { return dimms[position]; }
    std::size_t dimmCount() const { return dimms.size(); }

    friend bool operator==(const KyDimmers&, const KyDimmers&) = default;
};

// A device type. Fields are in the order they are stored.
class KyDevice {
public:
    KyDevice();

    std::int32_t id = 0; // assigned by the library
    std::string name;    // cp1250
    std::vector<std::string> description; // one cp1250 string per line
    KyPicture icon;
    KyChValue reset;
    KyShutter shutter;
    KyDimmer intensity;
    KyDimmer strobe;
    KyChValue blackout;
    KyChValue lampOn;
    KyChValue lampOff;
    KyPanTilt panTilt;
    KyGobo color1;
    KyColorMixer color2;
    KyGobo gobo1;
    KyGobo gobo2;
    KyGobo effect1;
    KyGobo effect2;
    KyOptic optic;
    KyDimmers dimmers;

    // The highest device channel any function uses, 0 when there is none: the number of
    // channels a fixture of this type occupies from its start address.
    int channelCount() const;

    friend bool operator==(const KyDevice&, const KyDevice&) = default;
};
