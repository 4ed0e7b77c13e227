#pragma once
// The hand-off from the audio thread to the tick: beats are counted, not queued, so the
// audio side never waits and the tick only compares the count with the one it saw last.
// Lock-free and allocation-free on both sides.

#include <atomic>
#include <cstdint>

class KyBeatPulses {
public:
    // Audio thread: one more beat, at the tempo the tracker now holds.
    void beat(double bpm)
    {
        bpm_.store(bpm, std::memory_order_relaxed);
        count_.fetch_add(1, std::memory_order_release);
    }
    void setBpm(double bpm) { bpm_.store(bpm, std::memory_order_relaxed); }
    // RMS of the latest audio, 0..1, for the level meter.
    void setLevel(float rms) { level_.store(rms, std::memory_order_relaxed); }

    std::uint32_t count() const { return count_.load(std::memory_order_acquire); }
    double bpm() const { return bpm_.load(std::memory_order_relaxed); }
    float level() const { return level_.load(std::memory_order_relaxed); }

private:
    std::atomic<std::uint32_t> count_{0};
    std::atomic<double> bpm_{0};
    std::atomic<float> level_{0};
};
