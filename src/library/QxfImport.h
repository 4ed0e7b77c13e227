#pragma once
// One mode of a fixture definition made a device type: each channel goes to the function
// block an operator would look for it in, and what no block can hold is named.

#include "library/Device.h"
#include "library/Qxf.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Draws the pictures of an imported type; a null one leaves every picture empty.
class KyQxfPictures {
public:
    virtual ~KyQxfPictures() = default;
    // A wheel slot of one colour, or of two colours side by side; BMP bytes.
    virtual std::vector<std::uint8_t> swatch(std::uint32_t rgb, std::optional<std::uint32_t> second) = 0;
    // A wheel slot from a gobo file (SVG or PNG, relative to the gobo folder); empty when
    // there is no such picture.
    virtual std::vector<std::uint8_t> gobo(const std::string& resource) = 0;
    // The device icon for a fixture type ("Moving Head", "Scanner", ...).
    virtual std::vector<std::uint8_t> icon(std::string_view fixtureType) = 0;
};

// Which block a channel of the definition feeds.
enum class KyQxfRole {
    Intensity,
    Red,
    Green,
    Blue,
    Cyan,
    Magenta,
    Yellow,
    Dimm, // an entry of the dimmer pack, under the channel's name
    Pan,
    PanFine,
    Tilt,
    TiltFine,
    Speed, // pan/tilt speed, or a wheel's rotation: decided by the channel's name
    PanTiltSpeed,
    ColourWheel,
    Gobo,
    Effect,
    WheelControl, // the rotation or index of the wheel before it
    Optic,
    Shutter,
    Strobe,
    Maintenance, // lamp and reset values only
    Fine,        // the fine byte of a value no block holds in 16 bits
    Nothing,
};

KyQxfRole qxfRoleOf(const KyQxfChannel& channel);

// One channel put into a block, for the preview.
struct KyQxfPlacement {
    std::string block; // the block as the device editor names it, UTF-8
    int channel = 0;   // device channel
    std::string name;  // the definition's channel name, UTF-8
};

struct KyQxfImport {
    enum class Refusal { None, TooManyChannels, NoUsableChannel };
    Refusal refusal = Refusal::None;
    int modeChannels = 0;
    KyDevice device;
    std::vector<KyQxfPlacement> placements;
    std::vector<std::string> leftOut; // channel names (UTF-8), with a reason where it helps

    bool imported() const { return refusal == Refusal::None; }
};

constexpr int kMaxImportChannels = 32;
constexpr std::size_t kTypeNameLength = 25;

// `source` (a file name) goes into the description.
KyQxfImport importQxfMode(const KyQxfFixture& fixture, const KyQxfMode& mode, KyQxfPictures* pictures,
                          std::string_view source);
// "<maker> <model> (<mode>)", UTF-8 and whole; a type's name is this cut to the field, the
// maker and model shortened first so that the mode shows.
std::string qxfTypeName(const KyQxfFixture& fixture, const KyQxfMode& mode);
// The operator's words for a refusal.
std::string qxfRefusalText(const KyQxfImport& import);
// "Pominięto: a, b", or empty.
std::string qxfLeftOutText(const KyQxfImport& import);
