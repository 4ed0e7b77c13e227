#pragma once
// Causal beat tracking: audio in, beat times out, seeing only the audio up to now. aubio's
// FFT and spectral-flux descriptor give an onset strength per hop (low band weighted up,
// so kick and snare mark the beat and hi-hats only subdivide it); a decaying
// autocorrelation of that strength proposes the tempo, the onsets of the last beats place
// the phase, and once locked a phase-locked loop predicts each beat and pulls itself onto
// the onsets it finds near the predictions. A beat is reported when the audio reaches its
// predicted time, so it is never late by the analysis.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// The onset strength of each hop: log-compressed spectral flux in a low, a middle and a
// high band, on input brought to one level.
class KyOnsetStrength {
public:
    KyOnsetStrength(int sampleRate, int hopSize);
    ~KyOnsetStrength();
    KyOnsetStrength(const KyOnsetStrength&) = delete;
    KyOnsetStrength& operator=(const KyOnsetStrength&) = delete;

    // `hop` holds hopSize samples.
    // The flux of the low, middle and high band, per bin.
    std::array<float, 3> process(const float* hop);

private:
    struct Aubio; // the library's objects, kept out of this header
    std::unique_ptr<Aubio> aubio_;
    int hopSize_;
    double levelKeep_;
    double level_ = 0;
};

// Strengths of the last frames, by absolute frame number.
class KyStrengthHistory {
public:
    static constexpr std::size_t kSize = 4096; // frames, a power of two

    void push(float strength) { values_[frame_++ & (kSize - 1)] = strength; }
    // Frames pushed so far; the newest is frames() - 1.
    std::int64_t frames() const { return frame_; }
    float at(std::int64_t frame) const
    {
        return frame < 0 || frame >= frame_ || frame_ - frame > std::int64_t(kSize) ? 0.0f
                                                                                     : values_[frame & (kSize - 1)];
    }
    // The largest strength within `reach` frames of `frame`.
    float peakNear(double frame, int reach) const;

private:
    std::vector<float> values_ = std::vector<float>(kSize, 0.0f);
    std::int64_t frame_ = 0;
};

// Periodicity of the onset strength: an autocorrelation that forgets with a time constant
// of a few seconds, and the beat period that best explains it within the tempo range.
class KyTempoComb {
public:
    KyTempoComb(double framesPerSecond, double minBpm, double maxBpm);

    void add(const KyStrengthHistory& history);
    void reset();
    // The best period in frames, 0 while nothing periodic has been heard.
    double bestPeriod() const;
    // The best period within a few percent of `period`.
    double refine(double period) const;
    // Normalised autocorrelation at a fractional lag.
    double correlation(double lag) const;

    double minPeriod() const { return minPeriod_; }
    double maxPeriod() const { return maxPeriod_; }

private:
    double comb(double period) const;

    double minPeriod_, maxPeriod_;
    double keep_;
    std::vector<double> products_, counts_;
    double mean_ = 0;
};

class KyBeatTracker {
public:
    static constexpr double kMinBpm = 68;
    static constexpr double kMaxBpm = 200;

    // Any rate from 8000 Hz up; the analysis scales to it.
    explicit KyBeatTracker(int sampleRate);
    ~KyBeatTracker();
    KyBeatTracker(const KyBeatTracker&) = delete;
    KyBeatTracker& operator=(const KyBeatTracker&) = delete;

    // Feeds mono samples in any amounts; calls onBeat(seconds) for each beat the audio has
    // reached, seconds counted from the first sample fed. Allocates nothing.
    template <class OnBeat>
    void process(std::span<const float> samples, OnBeat&& onBeat)
    {
        for (float sample : samples) {
            hop_[filled_++] = sample;
            if (filled_ < hop_.size())
                continue;
            filled_ = 0;
            if (processHop())
                onBeat(lastBeat_ / sampleRate_);
        }
    }

    // The tempo of the latest lock in beats per minute, 0 before the first; it stays when
    // the music stops.
    double bpm() const;

private:
    // One hop of audio; true when a beat was reached.
    bool processHop();
    void analyse();
    double lastBeatFor(double period) const;
    int beatsHeard(double period) const;
    double salience(const KyStrengthHistory& history, double period, double beat, int beats) const;
    double settleOctave(double period, double& beat) const;
    double proposedPeriod(double& beat) const;
    void tryToLock();
    void followOnsets();
    void pullTowards(double peakFrame, double beat, float peak);
    void checkTempo(double beatFrame);
    void forget();
    double frameToSample(double frame) const;
    double sampleToFrame(double sample) const;
    std::int64_t newestFrame() const;
    double processedSamples() const;

    double sampleRate_;
    std::size_t hopSize_;
    std::vector<float> hop_;
    std::size_t filled_ = 0;
    double framesPerSecond_;
    KyOnsetStrength onsets_;
    KyStrengthHistory history_; // weighted onset strength: tempo, phase and following
    KyStrengthHistory body_;    // low and middle bands, each against its own usual novelty
    KyTempoComb comb_;
    double meanKeep_, scaleKeep_;
    std::array<double, 3> bandMean_{}, bandScale_{};
    double scaleUnheard_ = 1; // share of the scale's memory that still lies before the start
    std::int64_t silentFrames_ = 0;

    bool locked_ = false;
    std::int64_t startFrame_ = 0; // where listening began after the last silence
    double period_ = 0;           // samples
    double smoothedPeriod_ = 0;   // samples, what bpm() reports
    double nextBeat_ = 0;         // samples
    double lastBeat_ = 0;         // samples
    double judgedBeat_ = -1;      // the emitted beat whose onset is still to be looked for
    double beatStrength_ = 0;     // typical strength of the onsets on the beat
    double hitScore_ = 0;         // recent share of beats that had an onset
    int misses_ = 0;
    int disagreements_ = 0;
};
