#include "library/QxfImport.h"

#include "common/Cp1250.h"
#include "common/Translatable.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

using Role = KyQxfRole;

// Where a channel goes: by its preset, else by its group; an intensity channel of a group
// by its colour, and any other first by a word of its name.
// A preset ending in "Fine" that no row names is a fine byte.
struct RoleRule {
    enum Source { Preset, Group, Colour, Name };
    Source source;
    std::string_view key;
    Role role;
};

constexpr RoleRule kRoleTable[] = {
    {RoleRule::Preset, "IntensityDimmer", Role::Intensity},
    {RoleRule::Preset, "IntensityMasterDimmer", Role::Intensity},
    {RoleRule::Preset, "IntensityRed", Role::Red},
    {RoleRule::Preset, "IntensityGreen", Role::Green},
    {RoleRule::Preset, "IntensityBlue", Role::Blue},
    {RoleRule::Preset, "IntensityCyan", Role::Cyan},
    {RoleRule::Preset, "IntensityMagenta", Role::Magenta},
    {RoleRule::Preset, "IntensityYellow", Role::Yellow},
    {RoleRule::Preset, "IntensityWhite", Role::Dimm},
    {RoleRule::Preset, "IntensityAmber", Role::Dimm},
    {RoleRule::Preset, "IntensityUV", Role::Dimm},
    {RoleRule::Preset, "IntensityLime", Role::Dimm},
    {RoleRule::Preset, "IntensityIndigo", Role::Dimm},
    {RoleRule::Preset, "IntensityHue", Role::Dimm},
    {RoleRule::Preset, "IntensitySaturation", Role::Dimm},
    {RoleRule::Preset, "IntensityLightness", Role::Dimm},
    {RoleRule::Preset, "IntensityValue", Role::Dimm},
    {RoleRule::Preset, "ColorCTOMixer", Role::Dimm},
    {RoleRule::Preset, "ColorCTCMixer", Role::Dimm},
    {RoleRule::Preset, "ColorRGBMixer", Role::Dimm},
    {RoleRule::Preset, "PositionPan", Role::Pan},
    {RoleRule::Preset, "PositionPanFine", Role::PanFine},
    {RoleRule::Preset, "PositionTilt", Role::Tilt},
    {RoleRule::Preset, "PositionTiltFine", Role::TiltFine},
    {RoleRule::Preset, "PositionXAxis", Role::Pan},
    {RoleRule::Preset, "PositionYAxis", Role::Tilt},
    {RoleRule::Preset, "SpeedPanTiltFastSlow", Role::PanTiltSpeed},
    {RoleRule::Preset, "SpeedPanTiltSlowFast", Role::PanTiltSpeed},
    {RoleRule::Preset, "SpeedPanFastSlow", Role::PanTiltSpeed},
    {RoleRule::Preset, "SpeedPanSlowFast", Role::PanTiltSpeed},
    {RoleRule::Preset, "SpeedTiltFastSlow", Role::PanTiltSpeed},
    {RoleRule::Preset, "SpeedTiltSlowFast", Role::PanTiltSpeed},
    {RoleRule::Preset, "ColorMacro", Role::ColourWheel},
    {RoleRule::Preset, "ColorWheel", Role::ColourWheel},
    {RoleRule::Preset, "GoboWheel", Role::Gobo},
    {RoleRule::Preset, "GoboIndex", Role::WheelControl},
    {RoleRule::Preset, "PrismRotationSlowFast", Role::WheelControl},
    {RoleRule::Preset, "PrismRotationFastSlow", Role::WheelControl},
    {RoleRule::Preset, "ShutterStrobeSlowFast", Role::Strobe},
    {RoleRule::Preset, "ShutterStrobeFastSlow", Role::Strobe},
    {RoleRule::Preset, "ShutterIrisMinToMax", Role::Optic},
    {RoleRule::Preset, "ShutterIrisMaxToMin", Role::Optic},
    {RoleRule::Preset, "BeamFocusNearFar", Role::Optic},
    {RoleRule::Preset, "BeamFocusFarNear", Role::Optic},
    {RoleRule::Preset, "BeamZoomSmallBig", Role::Optic},
    {RoleRule::Preset, "BeamZoomBigSmall", Role::Optic},
    {RoleRule::Preset, "NoFunction", Role::Nothing},
    {RoleRule::Group, "Intensity", Role::Intensity},
    {RoleRule::Group, "Colour", Role::ColourWheel},
    {RoleRule::Group, "Gobo", Role::Gobo},
    {RoleRule::Group, "Prism", Role::Effect},
    {RoleRule::Group, "Effect", Role::Effect},
    {RoleRule::Group, "Beam", Role::Optic},
    {RoleRule::Group, "Shutter", Role::Shutter},
    {RoleRule::Group, "Speed", Role::Speed},
    {RoleRule::Group, "Pan", Role::Pan},
    {RoleRule::Group, "Tilt", Role::Tilt},
    {RoleRule::Group, "Maintenance", Role::Maintenance},
    {RoleRule::Group, "Nothing", Role::Nothing},
    {RoleRule::Colour, "Red", Role::Red},
    {RoleRule::Colour, "Green", Role::Green},
    {RoleRule::Colour, "Blue", Role::Blue},
    {RoleRule::Colour, "Cyan", Role::Cyan},
    {RoleRule::Colour, "Magenta", Role::Magenta},
    {RoleRule::Colour, "Yellow", Role::Yellow},
    {RoleRule::Colour, "White", Role::Dimm},
    {RoleRule::Colour, "Amber", Role::Dimm},
    {RoleRule::Colour, "UV", Role::Dimm},
    {RoleRule::Colour, "Lime", Role::Dimm},
    {RoleRule::Colour, "Indigo", Role::Dimm},
    {RoleRule::Name, "iris", Role::Optic},
    {RoleRule::Name, "frost", Role::Optic},
    {RoleRule::Name, "zoom", Role::Optic},
    {RoleRule::Name, "focus", Role::Optic},
    {RoleRule::Name, "strob", Role::Strobe},
    {RoleRule::Name, "rotation", Role::WheelControl},
    {RoleRule::Name, "rotate", Role::WheelControl},
    {RoleRule::Name, "pan", Role::PanTiltSpeed},
    {RoleRule::Name, "tilt", Role::PanTiltSpeed},
    {RoleRule::Name, "p/t", Role::PanTiltSpeed},
};

std::string lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

std::optional<Role> nameRule(std::string_view name)
{
    std::string low = lower(name);
    for (const RoleRule& rule : kRoleTable)
        if (rule.source == RoleRule::Name && low.find(rule.key) != std::string::npos)
            return rule.role;
    return std::nullopt;
}

std::optional<Role> ruleFor(RoleRule::Source source, std::string_view key)
{
    for (const RoleRule& rule : kRoleTable)
        if (rule.source == source && rule.key == key)
            return rule.role;
    return std::nullopt;
}

bool mentions(std::string_view text, std::initializer_list<std::string_view> words)
{
    std::string low = lower(text);
    return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return low.find(w) != std::string::npos; });
}

bool isOpen(const KyQxfCapability& c)
{
    return c.preset == "ShutterOpen" || (c.preset.empty() && mentions(c.name, {"open"}));
}

bool isClosed(const KyQxfCapability& c)
{
    return c.preset == "ShutterClose" || (c.preset.empty() && mentions(c.name, {"closed", "close", "blackout"}));
}

bool isStrobe(const KyQxfCapability& c)
{
    return c.preset.starts_with("Strobe") || (c.preset.empty() && mentions(c.name, {"strob"}));
}

// An intensity-group channel that opens, closes or flashes the beam is a shutter.
bool looksLikeShutter(const KyQxfChannel& channel)
{
    return std::any_of(channel.capabilities.begin(), channel.capabilities.end(),
                       [](const KyQxfCapability& c) { return c.preset.starts_with("Shutter") || isStrobe(c); });
}

Role groupRole(const KyQxfChannel& channel)
{
    Role role = ruleFor(RoleRule::Group, channel.group).value_or(Role::Nothing);
    if (channel.byte == 1)
        return role == Role::Pan ? Role::PanFine : role == Role::Tilt ? Role::TiltFine : Role::Fine;
    if (role == Role::Intensity) {
        if (auto coloured = ruleFor(RoleRule::Colour, channel.colour))
            return *coloured;
        return looksLikeShutter(channel) ? Role::Shutter : role;
    }
    if (role != Role::Pan && role != Role::Tilt && role != Role::Maintenance) {
        std::optional<Role> named = nameRule(channel.name);
        // Only a speed channel's name makes it a pan/tilt speed.
        if (named && (*named != Role::PanTiltSpeed || role == Role::Speed))
            return *named;
    }
    return role == Role::Speed ? Role::WheelControl : role;
}

std::string cp1250(std::string_view utf8, std::size_t length = std::string::npos)
{
    std::string text = vt::utf8ToCp1250Lossy(utf8);
    if (text.size() > length)
        text.resize(length);
    return text;
}

KyPicture asPicture(const std::vector<std::uint8_t>& bytes)
{
    return KyPicture(bytes.begin(), bytes.end());
}

int middle(const KyQxfCapability& c)
{
    return (c.min + c.max) / 2;
}

const KyQxfCapability* findCapability(const KyQxfChannel& channel, bool (*test)(const KyQxfCapability&))
{
    for (const KyQxfCapability& c : channel.capabilities)
        if (test(c))
            return &c;
    return nullptr;
}

// The capabilities that make wheel slots: those with a colour, a picture or a slot preset,
// or every one when the definition marks none; rotation and shaking are no slots, and a
// name already taken is no second slot.
std::vector<const KyQxfCapability*> slotCapabilities(const KyQxfChannel& channel)
{
    auto marked = [](const KyQxfCapability& c) {
        return c.colour || !c.picture.empty() || c.preset == "ColorMacro" || c.preset == "ColorDoubleMacro" ||
               c.preset == "GoboMacro";
    };
    bool anyMarked = std::any_of(channel.capabilities.begin(), channel.capabilities.end(), marked);
    std::vector<const KyQxfCapability*> result;
    for (const KyQxfCapability& c : channel.capabilities) {
        if ((anyMarked && !marked(c)) || c.preset.starts_with("Rotation") || c.preset == "GoboShakeMacro")
            continue;
        bool taken = std::any_of(result.begin(), result.end(), [&](const KyQxfCapability* s) { return s->name == c.name; });
        if (!taken)
            result.push_back(&c);
    }
    return result;
}

class Mapper {
public:
    Mapper(const KyQxfFixture& fixture, const KyQxfMode& mode, KyQxfPictures* pictures, KyQxfImport& out)
        : fixture_(fixture), mode_(mode), pictures_(pictures), out_(out), device_(out.device)
    {
    }

    void run()
    {
        resolve();
        placeMixer();
        placePanTilt();
        for (std::size_t i = 0; i < channels_.size(); ++i)
            if (!placed_[i])
                place(i);
        for (std::size_t i = 0; i < channels_.size(); ++i)
            if (channels_[i])
                collectMaintenance(i);
        for (std::size_t i = 0; i < channels_.size(); ++i)
            if (!placed_[i] && roles_[i] != Role::Nothing)
                out_.leftOut.push_back(leftOutName(i));
        makeBlackout();
    }

private:
    int channelNumber(std::size_t i) const { return static_cast<int>(i) + 1; }

    void resolve()
    {
        for (const std::string& name : mode_.channels) {
            const KyQxfChannel* channel = fixture_.channelNamed(name);
            channels_.push_back(channel);
            roles_.push_back(channel ? qxfRoleOf(*channel) : Role::Fine);
        }
        placed_.assign(channels_.size(), false);
    }

    std::string leftOutName(std::size_t i) const
    {
        if (!channels_[i])
            return vt::filled(VT_TRANSLATABLE("Core", "%1 (brak opisu kanału)"), {mode_.channels[i]});
        return mode_.channels[i];
    }

    void note(std::size_t i, std::string_view block)
    {
        placed_[i] = true;
        out_.placements.push_back({std::string(block), channelNumber(i), mode_.channels[i]});
    }

    std::optional<std::size_t> first(Role role) const
    {
        for (std::size_t i = 0; i < roles_.size(); ++i)
            if (roles_[i] == role && !placed_[i])
                return i;
        return std::nullopt;
    }

    void setDimmer(KyDimmer& block, std::size_t i, std::string name)
    {
        block.active = true;
        block.channel = channelNumber(i);
        block.name = std::move(name);
        block.minValue = 0;
        block.maxValue = 255;
    }

    // The first red, green and blue (or cyan, magenta, yellow) make the mixer; a second set,
    // or an incomplete one, goes to the dimmer pack.
    void placeMixer()
    {
        static constexpr std::array<std::array<Role, 3>, 2> kModes{{{Role::Red, Role::Green, Role::Blue},
                                                                    {Role::Cyan, Role::Magenta, Role::Yellow}}};
        static constexpr std::array<std::array<const char*, 3>, 2> kNames{{{"Red", "Green", "Blue"},
                                                                           {"Cyan", "Magenta", "Yellow"}}};
        for (std::size_t m = 0; m < kModes.size(); ++m) {
            std::array<std::optional<std::size_t>, 3> found{first(kModes[m][0]), first(kModes[m][1]), first(kModes[m][2])};
            if (!found[0] || !found[1] || !found[2])
                continue;
            KyColorMixer& mixer = device_.color2;
            mixer.active = true;
            mixer.rgb = m == 0;
            std::array<KyDimmer*, 3> components{&mixer.component1, &mixer.component2, &mixer.component3};
            for (std::size_t c = 0; c < 3; ++c) {
                setDimmer(*components[c], *found[c], kNames[m][c]);
                note(*found[c], VT_TRANSLATABLE("Core", "Kolor 2"));
            }
            return;
        }
    }

    void placePanTilt()
    {
        auto pan = first(Role::Pan);
        auto tilt = first(Role::Tilt);
        if (!pan || !tilt)
            return;
        KyPanTilt& p = device_.panTilt;
        p.active = true;
        p.panChannel = channelNumber(*pan);
        p.tiltChannel = channelNumber(*tilt);
        note(*pan, "Pan/Tilt");
        note(*tilt, "Pan/Tilt");
        auto panFine = first(Role::PanFine);
        auto tiltFine = first(Role::TiltFine);
        p.mode8bit = !(panFine && tiltFine);
        if (p.mode8bit)
            return;
        p.panFineChannel = channelNumber(*panFine);
        p.tiltFineChannel = channelNumber(*tiltFine);
        note(*panFine, "Pan/Tilt");
        note(*tiltFine, "Pan/Tilt");
    }

    void place(std::size_t i)
    {
        switch (roles_[i]) {
        case Role::Intensity:
            // A dimmer pack's channels are its entries, not one fixture's intensity.
            if (!device_.intensity.active && fixture_.type != "Dimmer") {
                std::string name = device_.intensity.name;
                setDimmer(device_.intensity, i, name);
                note(i, VT_TRANSLATABLE("Core", "Intensywność"));
            } else {
                addDimm(i, true);
            }
            break;
        case Role::Red:
        case Role::Green:
        case Role::Blue:
        case Role::Cyan:
        case Role::Magenta:
        case Role::Yellow:
        case Role::Dimm:
            addDimm(i, false);
            break;
        case Role::PanTiltSpeed:
            placePanTiltControl(i);
            break;
        case Role::ColourWheel:
            placeWheel(i, {{&device_.color1, VT_TRANSLATABLE("Core", "Kolor 1")}});
            break;
        case Role::Gobo:
            placeWheel(i, {{&device_.gobo1, VT_TRANSLATABLE("Core", "Gobo 1")}, {&device_.gobo2, VT_TRANSLATABLE("Core", "Gobo 2")}});
            break;
        case Role::Effect:
            placeWheel(i, {{&device_.effect1, VT_TRANSLATABLE("Core", "Efekt 1")}, {&device_.effect2, VT_TRANSLATABLE("Core", "Efekt 2")}});
            break;
        case Role::WheelControl:
            placeWheelControl(i);
            break;
        case Role::Optic:
            placeOptic(i);
            break;
        case Role::Shutter:
        case Role::Strobe:
            placeShutter(i, *channels_[i]);
            break;
        default:
            break;
        }
    }

    void addDimm(std::size_t i, bool intensity)
    {
        if (device_.dimmers.dimmCount() >= KyDimmers::maxDimms)
            return;
        KyDimm entry;
        setDimmer(entry, i, cp1250(mode_.channels[i], kTypeNameLength));
        entry.isIntensity = intensity;
        device_.dimmers.addDimm(entry);
        note(i, VT_TRANSLATABLE("Core", "Dimmery"));
    }

    void placePanTiltControl(std::size_t i)
    {
        KyPanTilt& p = device_.panTilt;
        if (!p.active)
            return;
        for (KyDimmer* control : {&p.control1, &p.control2})
            if (!control->active) {
                setDimmer(*control, i, cp1250(mode_.channels[i], kTypeNameLength));
                note(i, control == &p.control1 ? VT_TRANSLATABLE("Core", "Pan/Tilt: Kontroler 1")
                                                : VT_TRANSLATABLE("Core", "Pan/Tilt: Kontroler 2"));
                return;
            }
    }

    struct WheelPlace {
        KyGobo* wheel;
        const char* block;
    };

    void placeWheel(std::size_t i, std::initializer_list<WheelPlace> places)
    {
        for (const WheelPlace& place : places) {
            if (place.wheel->wheel.active)
                continue;
            setDimmer(place.wheel->wheel, i, cp1250(mode_.channels[i], kTypeNameLength));
            fillSlots(*place.wheel, i);
            note(i, place.block);
            lastWheel_ = {place.wheel, place.block};
            return;
        }
    }

    void fillSlots(KyGobo& wheel, std::size_t i)
    {
        std::vector<const KyQxfCapability*> capabilities = slotCapabilities(*channels_[i]);
        for (const KyQxfCapability* c : capabilities) {
            if (wheel.slotCount() == KyGobo::maxSlots) {
                out_.leftOut.push_back(mode_.channels[i] + " (pozycje ponad " + std::to_string(KyGobo::maxSlots) + ")");
                return;
            }
            wheel.addSlot({cp1250(c->name), picture(*c), middle(*c)});
        }
    }

    KyPicture picture(const KyQxfCapability& c)
    {
        if (!pictures_)
            return {};
        if (c.colour)
            return asPicture(pictures_->swatch(*c.colour, c.colour2));
        if (!c.picture.empty())
            return asPicture(pictures_->gobo(c.picture));
        return {};
    }

    void placeWheelControl(std::size_t i)
    {
        if (!lastWheel_.wheel)
            return;
        for (KyDimmer* control : {&lastWheel_.wheel->control1, &lastWheel_.wheel->control2})
            if (!control->active) {
                setDimmer(*control, i, cp1250(mode_.channels[i], kTypeNameLength));
                note(i, std::string(lastWheel_.block) + (control == &lastWheel_.wheel->control1 ? ": Kontroler 1"
                                                                                                 : ": Kontroler 2"));
                return;
            }
    }

    void placeOptic(std::size_t i)
    {
        KyOptic& o = device_.optic;
        std::array<KyDimmer*, 4> optics{&o.optic1, &o.optic2, &o.optic3, &o.optic4};
        for (std::size_t n = 0; n < optics.size(); ++n)
            if (!optics[n]->active) {
                setDimmer(*optics[n], i, cp1250(mode_.channels[i], kTypeNameLength));
                note(i, vt::filled(VT_TRANSLATABLE("Core", "Optyka %1"), {std::to_string(n + 1)}));
                return;
            }
    }

    // Open and closed values make the shutter, a strobe range the strobe; a channel that
    // names neither is a strobe over the whole range.
    void placeShutter(std::size_t i, const KyQxfChannel& channel)
    {
        const KyQxfCapability* open = findCapability(channel, isOpen);
        const KyQxfCapability* closed = findCapability(channel, isClosed);
        const KyQxfCapability* strobe = findCapability(channel, isStrobe);
        if (open && closed && !device_.shutter.active) {
            device_.shutter = {true, channelNumber(i), static_cast<std::uint8_t>(middle(*open)),
                               static_cast<std::uint8_t>(middle(*closed))};
            note(i, "Shutter");
        }
        if (device_.strobe.active || (placed_[i] && !strobe))
            return;
        if (!strobe && !channel.capabilities.empty())
            return;
        KyDimmer& s = device_.strobe;
        s.active = true;
        s.channel = channelNumber(i);
        s.minValue = strobe ? static_cast<std::uint8_t>(strobe->min) : 0;
        s.maxValue = strobe ? static_cast<std::uint8_t>(strobe->max) : 255;
        s.offValue = open ? static_cast<std::uint8_t>(middle(*open)) : 0;
        note(i, "Strobo");
    }

    struct MaintenanceList {
        KyChValue KyDevice::*list;
        const char* block;
        const char* preset;
        const char* words; // what a capability without a preset says, on a maintenance channel
    };

    // Lamp and reset values may sit on any channel; of several resets, one for all.
    void collectMaintenance(std::size_t i)
    {
        static constexpr MaintenanceList kLists[] = {{&KyDevice::lampOn, "Lamp ON", "LampOn", "lamp on"},
                                                     {&KyDevice::lampOff, "Lamp OFF", "LampOff", "lamp off"},
                                                     {&KyDevice::reset, "Reset", "ResetAll", "reset"}};
        bool maintenance = roles_[i] == Role::Maintenance;
        for (const MaintenanceList& kind : kLists) {
            const KyQxfCapability* chosen = nullptr;
            for (const KyQxfCapability& c : channels_[i]->capabilities) {
                bool fits = c.preset == kind.preset || (maintenance && c.preset.empty() && mentions(c.name, {kind.words}));
                if (fits && (!chosen || (!mentions(chosen->name, {"all"}) && mentions(c.name, {"all"}))))
                    chosen = &c;
            }
            if (!chosen)
                continue;
            KyChValue& list = device_.*kind.list;
            list.active = true;
            list.setValue(channelNumber(i), static_cast<std::uint8_t>(middle(*chosen)));
            note(i, kind.block);
        }
    }

    // Intensity to 0; else the shutter closed; else every colour and dimmer channel to 0.
    void makeBlackout()
    {
        KyChValue& b = device_.blackout;
        if (device_.intensity.active) {
            b.setValue(device_.intensity.channel, 0);
        } else if (device_.shutter.active) {
            b.setValue(device_.shutter.channel, device_.shutter.offValue);
        } else {
            const KyColorMixer& m = device_.color2;
            if (m.active)
                for (const KyDimmer* c : {&m.component1, &m.component2, &m.component3})
                    b.setValue(c->channel, 0);
            for (const KyDimm& entry : device_.dimmers.dimms)
                b.setValue(entry.channel, 0);
        }
        b.active = b.entryCount() > 0;
    }

    const KyQxfFixture& fixture_;
    const KyQxfMode& mode_;
    KyQxfPictures* pictures_;
    KyQxfImport& out_;
    KyDevice& device_;
    std::vector<const KyQxfChannel*> channels_;
    std::vector<Role> roles_;
    std::vector<bool> placed_;
    WheelPlace lastWheel_{nullptr, nullptr};
};

std::vector<std::string> description(const KyQxfFixture& fixture, const KyQxfMode& mode, const KyQxfImport& import,
                                     std::string_view source)
{
    std::vector<std::string> lines{qxfTypeName(fixture, mode),
                                   fixture.type + ", " + std::to_string(mode.channels.size()) + " kanałów",
                                   "Import z " + std::string(source)};
    if (!import.leftOut.empty())
        lines.push_back(qxfLeftOutText(import));
    for (std::string& line : lines)
        line = cp1250(line);
    return lines;
}

} // namespace

KyQxfRole qxfRoleOf(const KyQxfChannel& channel)
{
    if (channel.preset.empty())
        return groupRole(channel);
    if (auto role = ruleFor(RoleRule::Preset, channel.preset))
        return *role;
    return channel.preset.ends_with("Fine") ? Role::Fine : Role::Nothing;
}

std::string qxfTypeName(const KyQxfFixture& fixture, const KyQxfMode& mode)
{
    return fixture.maker + " " + fixture.model + " (" + mode.name + ")";
}

namespace {

// The name cut to the field. The modes of one fixture differ by the mode alone, so the mode
// stays whole and the maker and model give way, as long as ten letters of them are left; an
// ellipsis says that they were cut.
std::string typeNameField(const KyQxfFixture& fixture, const KyQxfMode& mode)
{
    constexpr std::size_t kLeastOfModel = 10;
    std::string model = cp1250(fixture.maker + " " + fixture.model);
    const std::string suffix = cp1250(" (" + mode.name + ")");
    if (model.size() + suffix.size() <= kTypeNameLength || suffix.size() + kLeastOfModel > kTypeNameLength)
        return cp1250(qxfTypeName(fixture, mode), kTypeNameLength);
    constexpr char kEllipsis = '\x85'; // "…" in the field's code page: the model goes on
    const std::size_t room = kTypeNameLength - suffix.size() - 1;
    // A whole word rather than part of one ("620 I" of "620 III" names another model).
    const std::size_t wordEnd = model[room] == ' ' ? room : model.rfind(' ', room);
    model.resize(wordEnd != std::string::npos && wordEnd >= kLeastOfModel ? wordEnd : room);
    while (model.back() == ' ')
        model.pop_back();
    return model + kEllipsis + suffix;
}

} // namespace

KyQxfImport importQxfMode(const KyQxfFixture& fixture, const KyQxfMode& mode, KyQxfPictures* pictures,
                          std::string_view source)
{
    KyQxfImport import;
    import.modeChannels = static_cast<int>(mode.channels.size());
    if (import.modeChannels > kMaxImportChannels) {
        import.refusal = KyQxfImport::Refusal::TooManyChannels;
        return import;
    }
    Mapper(fixture, mode, pictures, import).run();
    if (import.device.channelCount() == 0) {
        import.refusal = KyQxfImport::Refusal::NoUsableChannel;
        return import;
    }
    import.device.name = typeNameField(fixture, mode);
    import.device.description = description(fixture, mode, import, source);
    if (pictures)
        import.device.icon = asPicture(pictures->icon(fixture.type));
    return import;
}

std::string qxfRefusalText(const KyQxfImport& import)
{
    switch (import.refusal) {
    case KyQxfImport::Refusal::TooManyChannels:
        return vt::filled(VT_TRANSLATABLE("Core", "Tryb ma %1 kanałów, urządzenie może mieć najwyżej %2"),
                          {std::to_string(import.modeChannels), std::to_string(kMaxImportChannels)});
    case KyQxfImport::Refusal::NoUsableChannel:
        return VT_TRANSLATABLE("Core", "Żaden kanał trybu nie pasuje do funkcji urządzenia");
    case KyQxfImport::Refusal::None:
        break;
    }
    return {};
}

std::string qxfLeftOutText(const KyQxfImport& import)
{
    std::string text;
    for (const std::string& name : import.leftOut)
        text += (text.empty() ? "Pominięto: " : ", ") + name;
    return text;
}
