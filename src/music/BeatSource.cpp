#include "music/BeatSource.h"

bool KyBeatSource::pulse(KyClock::time_point now, bool modulePulse)
{
    bool beat = false;
    switch (source_) {
    case KyRhythmSource::Audio: {
        const std::uint32_t count = audio_.count();
        beat = count != audioSeen_;
        audioSeen_ = count;
        break;
    }
    case KyRhythmSource::Tap:
        beat = tap_.due(now);
        break;
    case KyRhythmSource::Module:
        break;
    }
    if (modulePulse)
        modulePace_.add(now);
    return modulePulse || beat;
}

void KyBeatSource::setSource(KyRhythmSource source)
{
    source_ = source;
    // Beats heard before the audio source was chosen are not owed to the tick.
    audioSeen_ = audio_.count();
}

double KyBeatSource::bpm() const
{
    switch (source_) {
    case KyRhythmSource::Audio:
        return audio_.bpm();
    case KyRhythmSource::Tap:
        return tap_.bpm();
    case KyRhythmSource::Module:
        break;
    }
    return modulePace_.bpm();
}
