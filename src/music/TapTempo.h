#pragma once
// Tempo from the times of beats: learned from the operator's taps (which then keep pulsing
// at that tempo) or from the module's music pulses (shown only).

#include <array>
#include <chrono>
#include <optional>

using KyClock = std::chrono::steady_clock;

// The mean interval of the last run of beats: a beat after a long pause, or one that breaks
// the run's pace, starts a new run, and the tempo stays until the new run has two beats.
class KyTempoLearner {
public:
    static constexpr int kRemembered = 8;
    static constexpr auto kLongestBeat = std::chrono::milliseconds(2500);
    static constexpr double kTolerance = 0.15; // of the run's interval

    void add(KyClock::time_point time);
    // Zero until two beats made a run.
    KyClock::duration period() const { return period_; }
    double bpm() const;

private:
    KyClock::duration runPeriod() const;

    std::array<KyClock::time_point, kRemembered> times_{}; // the run, oldest first
    int count_ = 0;
    KyClock::duration period_{};
};

class KyTapTempo {
public:
    // Taps closer than this to the one before are a bouncing key, not a beat.
    static constexpr auto kBounce = std::chrono::milliseconds(150);

    // A tap is a beat: it pulses and the beats that follow it are counted from it.
    void tap(KyClock::time_point time);
    // True when a beat is due by `now` that has not pulsed yet; called once per tick.
    bool due(KyClock::time_point now);
    double bpm() const { return learner_.bpm(); }

private:
    KyTempoLearner learner_;
    std::optional<KyClock::time_point> lastTap_;
    std::optional<KyClock::time_point> lastBeat_; // the latest beat that pulsed
    std::optional<KyClock::time_point> next_;     // the next beat at the learned tempo
    bool tapPending_ = false;
};
