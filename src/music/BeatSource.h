#pragma once
// Where music stepping takes its pulses from. The module's music input always counts; the
// chosen source adds the beats of the computer's audio or of the operator's taps. Each beat
// becomes a pulse at the next tick, as a change of the module's input does, and two in one
// tick make one pulse. Lives in the show; the tick and the windows reach it under the show
// lock, the audio thread only through `audio()`.

#include "music/BeatPulses.h"
#include "music/TapTempo.h"

#include <cstdint>

enum class KyRhythmSource : std::uint8_t { Module, Audio, Tap };

class KyBeatSource {
public:
    // The tick: whether the cue engine gets a pulse now. `modulePulse` is the module's
    // `inputChanged`.
    bool pulse(KyClock::time_point now, bool modulePulse);

    KyRhythmSource source() const { return source_; }
    void setSource(KyRhythmSource source);
    void tap(KyClock::time_point time) { tap_.tap(time); }
    // The tempo in use, from the chosen source; 0 while it is not known.
    double bpm() const;

    // Written by the audio thread without the show lock.
    KyBeatPulses& audio() { return audio_; }

private:
    KyRhythmSource source_ = KyRhythmSource::Module;
    KyBeatPulses audio_;
    std::uint32_t audioSeen_ = 0;
    KyTapTempo tap_;
    KyTempoLearner modulePace_;
};
