#pragma once
// What the function windows show, copied from the show under its lock so that the widgets
// are updated afterwards without it.

#include "cue/Dmx_space.h"

#include <bitset>
#include <initializer_list>

struct KyFunctionSnapshot {
    KyDmxSpace::Universe universe{};
    std::bitset<KyDmxSpace::kChannels> held;
    // The channels the edited sequence records: all its scenes carry the same ones, so the
    // first scene's; none without scenes.
    std::bitset<KyDmxSpace::kChannels> recorded;
    bool recording = false;
    // A paused preview counts as running: the operator may not move channels under it.
    bool previewRunning = false;

    std::uint8_t value(int index) const;
};

// Callers hold the show lock.
KyFunctionSnapshot takeFunctionSnapshot(KyDmxSpace& dmx);

// A hold button: "Man" down or "Auto" up by the hold mask; while recording "PRG", down and
// red when the edited sequence records any of the channels.
struct KyHoldState {
    const char* caption;
    bool down;
    bool red;
};
KyHoldState holdState(const KyFunctionSnapshot& snapshot, std::initializer_list<int> channels);
