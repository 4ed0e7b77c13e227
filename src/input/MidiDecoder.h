#pragma once
// MIDI bytes into the moves of a controller's elements: note on and off (a note on with
// velocity 0 is an off), control changes, running status, real-time bytes anywhere, system
// messages skipped. A controller 0-31 followed by its partner 32 higher on the same channel
// is a 14-bit pair: from the first such pair on, each of its values also reports the pair's
// 14-bit value (a new high byte with a low byte of 0, as MIDI has it).

#include "input/ControlAction.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>

class KyMidiDecoder {
public:
    using Sink = std::function<void(const KyInputEvent&)>;

    explicit KyMidiDecoder(Sink sink) : sink_(std::move(sink)) {}

    void feed(std::span<const std::uint8_t> bytes);
    void feed(std::uint8_t byte);

private:
    void message();
    void control(int channel, int number, int value);
    void report(KyInputId::Kind kind, int channel, int number, float value);

    Sink sink_;
    std::uint8_t status_ = 0; // the running status; 0 while none is in force
    std::array<std::uint8_t, 2> data_{};
    int have_ = 0;
    // Per channel and pair: the high byte, and whether the pair has been seen.
    struct Pair {
        std::uint8_t high = 0;
        bool paired = false;
    };
    std::array<std::array<Pair, 32>, 16> pairs_{};
};

