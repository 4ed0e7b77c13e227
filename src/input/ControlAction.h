#pragma once
// What a controller's element can do on the desk, and the inputs that do it. Both have a
// text form that an operator can read, with numbers counted from 1 as the desk shows them:
// the actions' is also the OSC address space below /vantorel/, the inputs' is how mappings
// are kept.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct KyControlAction {
    enum Kind : std::uint8_t {
        CueButton,  // page, button
        ZoneButton, // zone, page, button
        CuePage,    // page
        Start,
        Pause,
        Stop,
        Blackout,       // on while pressed
        BlackoutToggle, // each press turns it over
        ManualOff,
        Music, // each press turns it over
        Tap,
        NextCue,
        PreviousCue,
        CueSpeed, // the bars take a value from 0 to 1
        GeneratorSpeed,
        GeneratorAmplitude,
    };
    Kind kind = Start;
    // Counted from 0.
    std::int8_t zone = 0;
    std::int8_t page = 0;
    std::int8_t button = 0;

    bool operator==(const KyControlAction&) const = default;
    // A bar follows the value; everything else is a button, pressed from 0.5 up.
    bool isBar() const { return kind >= CueSpeed; }
};

// "cue/1/3", "zone/2/1/5", "page/4", "start", "blackout/toggle", "speed" ...
std::string actionText(const KyControlAction& action);
std::optional<KyControlAction> parseAction(std::string_view text);

// One element of a controller.
struct KyInputId {
    enum Kind : std::uint8_t { Note, Control, Control14, Osc };
    Kind kind = Note;
    std::uint8_t channel = 0; // MIDI, 0-15
    std::uint8_t number = 0;  // the note or controller (the pair's first one, 0-31, for Control14)
    std::string address;      // OSC

    bool operator==(const KyInputId&) const = default;
};

// "note/1/36", "cc/1/7", "cc14/1/0", "osc/1/fader3" (the address after "osc").
std::string inputText(const KyInputId& input);
std::optional<KyInputId> parseInput(std::string_view text);

// A move of an element, its value from 0 to 1 (a released key or button is 0).
struct KyInputEvent {
    KyInputId input;
    float value = 0;
};
