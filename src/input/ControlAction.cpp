#include "input/ControlAction.h"

#include <array>
#include <charconv>
#include <vector>

namespace {

struct Named {
    KyControlAction::Kind kind;
    std::string_view name;
    int numbers; // how many numbers follow the name
};

constexpr std::array kNames{
    Named{KyControlAction::CueButton, "cue", 2},
    Named{KyControlAction::ZoneButton, "zone", 3},
    Named{KyControlAction::CuePage, "page", 1},
    Named{KyControlAction::Start, "start", 0},
    Named{KyControlAction::Pause, "pause", 0},
    Named{KyControlAction::Stop, "stop", 0},
    Named{KyControlAction::Blackout, "blackout", 0},
    Named{KyControlAction::BlackoutToggle, "blackout/toggle", 0},
    Named{KyControlAction::ManualOff, "manualoff", 0},
    Named{KyControlAction::Music, "music", 0},
    Named{KyControlAction::Tap, "tap", 0},
    Named{KyControlAction::NextCue, "next", 0},
    Named{KyControlAction::PreviousCue, "previous", 0},
    Named{KyControlAction::CueSpeed, "speed", 0},
    Named{KyControlAction::GeneratorSpeed, "generator/speed", 0},
    Named{KyControlAction::GeneratorAmplitude, "generator/amplitude", 0},
};

// The limits of the numbers, counted from 1: zones, pages, buttons.
constexpr int kZones = 10;
constexpr int kPages = 10;
constexpr int kCueButtons = 20;
constexpr int kZoneButtons = 5;

std::optional<int> numberIn(std::string_view text, int low, int high)
{
    int value = 0;
    auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || failure != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::vector<std::string_view> split(std::string_view text)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t slash = text.find('/', start);
        parts.push_back(text.substr(start, slash - start));
        if (slash == std::string_view::npos)
            return parts;
        start = slash + 1;
    }
}

} // namespace

std::string actionText(const KyControlAction& action)
{
    std::string text;
    for (const Named& named : kNames)
        if (named.kind == action.kind)
            text = named.name;
    auto add = [&](int number) { text += '/' + std::to_string(number + 1); };
    if (action.kind == KyControlAction::ZoneButton)
        add(action.zone);
    if (action.kind == KyControlAction::ZoneButton || action.kind == KyControlAction::CueButton ||
        action.kind == KyControlAction::CuePage)
        add(action.page);
    if (action.kind == KyControlAction::ZoneButton || action.kind == KyControlAction::CueButton)
        add(action.button);
    return text;
}

std::optional<KyControlAction> parseAction(std::string_view text)
{
    for (const Named& named : kNames) {
        if (text.substr(0, named.name.size()) != named.name)
            continue;
        const std::string_view rest = text.substr(named.name.size());
        if (named.numbers == 0) {
            if (rest.empty())
                return KyControlAction{named.kind};
            continue;
        }
        if (rest.empty() || rest[0] != '/')
            continue;
        const std::vector<std::string_view> parts = split(rest.substr(1));
        if (int(parts.size()) != named.numbers)
            return std::nullopt;
        KyControlAction action{named.kind};
        std::size_t i = 0;
        std::optional<int> zone = 1, page, button = 1;
        if (named.kind == KyControlAction::ZoneButton)
            zone = numberIn(parts[i++], 1, kZones);
        page = numberIn(parts[i++], 1, kPages);
        if (named.kind != KyControlAction::CuePage)
            button = numberIn(parts[i], 1, named.kind == KyControlAction::ZoneButton ? kZoneButtons : kCueButtons);
        if (!zone || !page || !button)
            return std::nullopt;
        action.zone = std::int8_t(*zone - 1);
        action.page = std::int8_t(*page - 1);
        action.button = std::int8_t(named.kind == KyControlAction::CuePage ? 0 : *button - 1);
        return action;
    }
    return std::nullopt;
}

namespace {

constexpr std::array<std::string_view, 3> kMidiKinds{"note/", "cc/", "cc14/"};

} // namespace

std::string inputText(const KyInputId& input)
{
    if (input.kind == KyInputId::Osc)
        return "osc" + input.address;
    return std::string(kMidiKinds[input.kind]) + std::to_string(input.channel + 1) + '/' + std::to_string(input.number);
}

std::optional<KyInputId> parseInput(std::string_view text)
{
    if (text.substr(0, 4) == "osc/")
        return KyInputId{KyInputId::Osc, 0, 0, std::string(text.substr(3))};
    for (std::size_t kind = 0; kind < kMidiKinds.size(); ++kind) {
        if (text.substr(0, kMidiKinds[kind].size()) != kMidiKinds[kind])
            continue;
        const std::vector<std::string_view> parts = split(text.substr(kMidiKinds[kind].size()));
        const auto channel = parts.size() == 2 ? numberIn(parts[0], 1, 16) : std::nullopt;
        const auto number = parts.size() == 2 ? numberIn(parts[1], 0, kind == KyInputId::Control14 ? 31 : 127) : std::nullopt;
        if (!channel || !number)
            return std::nullopt;
        return KyInputId{KyInputId::Kind(kind), std::uint8_t(*channel - 1), std::uint8_t(*number), {}};
    }
    return std::nullopt;
}
