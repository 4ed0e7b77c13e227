#pragma once
// Values shared by the whole process: the generator speed and amplitude that every figure
// generator runs at, and the two listeners the cue editor and the direct-access window
// install. Written by the windows and read by the tick, all under the show lock. They live
// with the sequence engine, the lowest room that reads them.

#include <functional>

struct KyCueGlobals {
    double generatorSpeed = 1.0;
    double generatorAmplitude = 1.0;
    // Called when a cue's speed changes (the cue editor follows it).
    std::function<void()> speedListener;
    // Called when a cue reports a changed speed setting (the direct-access window resets
    // its relative slider).
    std::function<void()> panelListener;
};

KyCueGlobals& cueGlobals();
