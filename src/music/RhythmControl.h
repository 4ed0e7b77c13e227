#pragma once
// The operator's choice of rhythm source and what puts it into effect: the source the tick
// listens to and, for the audio source, the audio thread on the chosen input (or on the
// rehearsal file given on the command line). What the windows show of it is formed here.

#include "music/AudioBeats.h"
#include "music/BeatSource.h"

#include <mutex>
#include <string>
#include <string_view>

struct KyRhythmChoice {
    KyRhythmSource source = KyRhythmSource::Module;
    std::string device = "default"; // the ALSA input of the audio source

    bool operator==(const KyRhythmChoice&) const = default;
};

// The words kept in the user's settings: "module", "audio", "tap".
const char* rhythmSourceKey(KyRhythmSource source);
// An unknown word is the module.
KyRhythmSource rhythmSourceFromKey(std::string_view key);
// What the main window calls the source: "moduł", "audio", "tap" (UTF-8).
const char* rhythmSourceName(KyRhythmSource source);
// The tempo's number: "120.0", or "---" while there is none.
std::string tempoNumber(double bpm);
// The main window's tempo beside "Muzyka": "120.0 BPM (audio)", "--- BPM (moduł)".
std::string tempoCaption(double bpm, KyRhythmSource source);
// The level meter from -60 dBFS (0) to full scale (100).
int levelPercent(float rms);

class KyRhythmControl {
public:
    // `audioFile`, when not empty, stands in for every audio input.
    KyRhythmControl(KyBeatSource& beats, KyAudioBeats& audio, std::mutex& showLock, std::string audioFile = {});

    // Puts `choice` into effect; the audio thread is restarted only when its input changed.
    // Returns false when the audio could not be opened (problem() says why; the tick then
    // listens to the module alone).
    bool apply(const KyRhythmChoice& choice);

    const KyRhythmChoice& choice() const { return choice_; }
    const std::string& audioFile() const { return audioFile_; }
    // Empty, or why the audio source could not be opened (Polish).
    const std::string& problem() const { return problem_; }
    // Empty, or why the audio source hears nothing: the problem above, the rehearsal file
    // played to its end or an input that stopped answering (Polish).
    std::string trouble() const;

private:
    bool listen(const std::string& input);

    KyBeatSource& beats_;
    KyAudioBeats& audio_;
    std::mutex& showLock_;
    std::string audioFile_;
    KyRhythmChoice choice_;
    std::string listening_; // the input the audio thread runs on, empty when none
    std::string problem_;
};
