#include "music/BeatTracker.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Bands of the onset strength in Hz and their weights: the low band carries the kick,
// the middle one the snare, the top one mostly hi-hats.
struct BandSpec {
    double from, to;
    float weight;
};
constexpr BandSpec kBands[] = {{30, 150, 1.0f}, {150, 3000, 0.7f}, {3000, 1e9, 0.25f}};
constexpr float kCompression = 1;       // log(1 + kCompression * magnitude)
constexpr double kTargetLevel = 0.1;    // RMS the input is brought to before the spectrum
constexpr double kLevelFloor = 1e-4;    // below this the input is not brought up further
constexpr double kLevelSeconds = 3;

constexpr double kForgetSeconds = 4;    // the autocorrelation's memory
constexpr double kMeanSeconds = 0.2;    // the running mean taken off each band's flux
constexpr double kScaleSeconds = 3;     // the usual novelty of a band
constexpr int kPeakReach = 2;           // frames either side where an onset counts as on a beat
constexpr int kGridBeats = 8;           // beats that place the phase of a new grid
constexpr int kOctaveBeats = 4;         // beats that decide between a tempo and its double
constexpr double kClearOnset = 12;      // low and middle band novelty against its usual level
                                        // that a beat needs before a lock; noise stays under 8
constexpr double kWindowShare = 0.2;    // of a period: where an onset is looked for around a beat
constexpr double kPhaseGain = 0.45;     // how far a found onset pulls the next beat
constexpr double kPeriodGain = 0.12;    // how far it pulls the period
constexpr double kHitKeep = 0.75;       // memory of the hit score, per beat
constexpr int kMissesToUnlock = 8;      // beats without an onset before the lock is given up
constexpr double kSilenceLevel = 0.001; // RMS; about -60 dBFS
constexpr double kSilenceSeconds = 2;
constexpr double kLockCheckSeconds = 0.02;

// The largest power of two that still gives well over a hundred frames a second.
int hopFor(int sampleRate)
{
    int hop = 64;
    while (sampleRate / (hop * 2) >= 115)
        hop *= 2;
    return hop;
}

} // namespace

// ---- Onset strength

struct KyOnsetStrength::Aubio {
    struct Band {
        uint_t first = 0, count = 0;
        cvec_t* part = nullptr;
        aubio_specdesc_t* flux = nullptr;
        fvec_t* value = nullptr;
    };
    aubio_fft_t* fft = nullptr;
    fvec_t* window = nullptr;
    fvec_t* frame = nullptr;    // the last window of samples
    fvec_t* weighted = nullptr; // the frame through the window
    fvec_t* complex = nullptr;
    cvec_t* spectrum = nullptr;
    std::vector<Band> bands;
};

KyOnsetStrength::KyOnsetStrength(int sampleRate, int hopSize)
    : aubio_(std::make_unique<Aubio>()), hopSize_(hopSize),
      levelKeep_(std::exp(-hopSize / (kLevelSeconds * sampleRate)))
{
    const uint_t size = uint_t(4 * hopSize);
    Aubio& a = *aubio_;
    a.fft = new_aubio_fft(size);
    a.window = new_aubio_window(const_cast<char_t*>("hanningz"), size);
    a.frame = new_fvec(size);
    a.weighted = new_fvec(size);
    a.complex = new_fvec(size);
    a.spectrum = new_cvec(size);
    const uint_t bins = size / 2 + 1;
    const double binHz = double(sampleRate) / size;
    for (const BandSpec& spec : kBands) {
        Aubio::Band band;
        band.first = std::clamp<uint_t>(uint_t(std::ceil(spec.from / binHz)), 1, bins - 2);
        const uint_t end = std::clamp<uint_t>(uint_t(std::ceil(spec.to / binHz)), band.first + 2, bins);
        band.count = end - band.first;
        // A descriptor sized for a window whose spectrum has exactly this band's bins.
        band.part = new_cvec(2 * (band.count - 1));
        band.flux = new_aubio_specdesc(const_cast<char_t*>("specflux"), 2 * (band.count - 1));
        band.value = new_fvec(1);
        a.bands.push_back(band);
    }
}

KyOnsetStrength::~KyOnsetStrength()
{
    Aubio& a = *aubio_;
    for (auto& band : a.bands) {
        del_fvec(band.value);
        del_aubio_specdesc(band.flux);
        del_cvec(band.part);
    }
    del_cvec(a.spectrum);
    del_fvec(a.complex);
    del_fvec(a.weighted);
    del_fvec(a.frame);
    del_fvec(a.window);
    del_aubio_fft(a.fft);
}

std::array<float, 3> KyOnsetStrength::process(const float* hop)
{
    Aubio& a = *aubio_;
    // The compression acts the same on quiet and loud input: the input is brought to one
    // level, followed slowly.
    const auto n = std::size_t(hopSize_);
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        sum += double(hop[i]) * hop[i];
    const double rms = std::sqrt(sum / double(n));
    level_ = level_ == 0 ? rms : levelKeep_ * level_ + (1 - levelKeep_) * rms;
    const auto gain = float(kTargetLevel / std::max(level_, kLevelFloor));
    const std::size_t kept = a.frame->length - n;
    std::memmove(a.frame->data, a.frame->data + n, kept * sizeof(float));
    for (std::size_t i = 0; i < n; ++i)
        a.frame->data[kept + i] = gain * hop[i];

    // Magnitudes only: the phases are never needed.
    fvec_weighted_copy(a.frame, a.window, a.weighted);
    aubio_fft_do_complex(a.fft, a.weighted, a.complex);
    aubio_fft_get_norm(a.complex, a.spectrum);
    cvec_logmag(a.spectrum, kCompression);
    std::array<float, 3> flux{};
    for (std::size_t b = 0; b < flux.size(); ++b) {
        auto& band = a.bands[b];
        std::memcpy(band.part->norm, a.spectrum->norm + band.first, band.count * sizeof(float));
        aubio_specdesc_do(band.flux, band.part, band.value);
        flux[b] = band.value->data[0] / float(band.count);
    }
    return flux;
}

// ---- History

float KyStrengthHistory::peakNear(double frame, int reach) const
{
    auto centre = std::int64_t(std::lround(frame));
    float peak = 0;
    for (std::int64_t f = centre - reach; f <= centre + reach; ++f)
        peak = std::max(peak, at(f));
    return peak;
}

// ---- Tempo comb

KyTempoComb::KyTempoComb(double framesPerSecond, double minBpm, double maxBpm)
    : minPeriod_(60 * framesPerSecond / maxBpm), maxPeriod_(60 * framesPerSecond / minBpm),
      keep_(std::exp(-1 / (kForgetSeconds * framesPerSecond)))
{
    const auto lags = std::size_t(std::ceil(4 * maxPeriod_)) + 2;
    products_.assign(lags, 0);
    counts_.assign(lags, 0);
}

void KyTempoComb::reset()
{
    std::fill(products_.begin(), products_.end(), 0);
    std::fill(counts_.begin(), counts_.end(), 0);
    mean_ = 0;
}

void KyTempoComb::add(const KyStrengthHistory& history)
{
    const std::int64_t now = history.frames() - 1;
    const double x = history.at(now);
    mean_ = keep_ * mean_ + (1 - keep_) * x;
    const auto available = std::size_t(std::min<std::int64_t>(now + 1, std::int64_t(products_.size())));
    for (std::size_t lag = 0; lag < products_.size(); ++lag) {
        products_[lag] *= keep_;
        counts_[lag] *= keep_;
    }
    for (std::size_t lag = 0; lag < available; ++lag) {
        products_[lag] += x * history.at(now - std::int64_t(lag));
        counts_[lag] += 1;
    }
}

double KyTempoComb::correlation(double lag) const
{
    auto below = std::size_t(lag);
    if (below + 1 >= products_.size() || counts_[below + 1] < 1 || counts_[0] < 1)
        return 0;
    auto at = [&](std::size_t l) { return products_[l] / counts_[l] - mean_ * mean_; };
    const double zero = at(0);
    if (zero <= 0)
        return 0;
    const double share = lag - double(below);
    return ((1 - share) * at(below) + share * at(below + 1)) / zero;
}

double KyTempoComb::comb(double period) const
{
    double sum = 0, weights = 0;
    for (int k = 1; k <= 4; ++k) {
        double lag = k * period;
        auto l = std::size_t(lag) + 1;
        if (l >= counts_.size() || counts_[l] < 1)
            break;
        double weight = k <= 2 ? 1.0 : 0.5;
        sum += weight * correlation(lag);
        weights += weight;
    }
    return weights > 0 ? sum / weights : 0;
}

double KyTempoComb::refine(double period) const
{
    double best = period, bestScore = comb(period);
    for (double p = period * 0.94; p <= period * 1.06; p += 0.25) {
        double score = comb(p);
        if (score > bestScore && p >= minPeriod_ && p <= maxPeriod_) {
            bestScore = score;
            best = p;
        }
    }
    return best;
}

double KyTempoComb::bestPeriod() const
{
    double best = 0, bestScore = 0;
    for (double period = minPeriod_; period <= maxPeriod_; period += 0.25) {
        double score = comb(period);
        if (score > bestScore) {
            bestScore = score;
            best = period;
        }
    }
    return best;
}

// ---- Tracker

KyBeatTracker::KyBeatTracker(int sampleRate)
    : sampleRate_(sampleRate), hopSize_(std::size_t(hopFor(sampleRate))), hop_(hopSize_),
      framesPerSecond_(sampleRate_ / double(hopSize_)), onsets_(sampleRate, int(hopSize_)),
      comb_(framesPerSecond_, kMinBpm, kMaxBpm), meanKeep_(std::exp(-1 / (kMeanSeconds * framesPerSecond_))),
      scaleKeep_(std::exp(-1 / (kScaleSeconds * framesPerSecond_)))
{
}

KyBeatTracker::~KyBeatTracker() = default;

double KyBeatTracker::bpm() const
{
    return smoothedPeriod_ > 0 ? 60 * sampleRate_ / smoothedPeriod_ : 0;
}

// The frame whose window ends 1.3 hops after an attack shows its strength peak (measured on
// clicks and drums).
double KyBeatTracker::frameToSample(double frame) const
{
    return (frame - 0.3) * double(hopSize_);
}

double KyBeatTracker::sampleToFrame(double sample) const
{
    return sample / double(hopSize_) + 0.3;
}

std::int64_t KyBeatTracker::newestFrame() const
{
    return history_.frames() - 1;
}

double KyBeatTracker::processedSamples() const
{
    return double(history_.frames()) * double(hopSize_);
}

bool KyBeatTracker::processHop()
{
    analyse();
    if (silentFrames_ > kSilenceSeconds * framesPerSecond_) {
        forget();
        return false;
    }
    if (!locked_) {
        if (history_.frames() % std::max<std::int64_t>(1, std::int64_t(kLockCheckSeconds * framesPerSecond_)) == 0)
            tryToLock();
        return false;
    }
    followOnsets();
    if (!locked_ || processedSamples() < nextBeat_)
        return false;
    lastBeat_ = nextBeat_;
    judgedBeat_ = nextBeat_;
    nextBeat_ += period_;
    return true;
}

// Level, onset strength and the body of the onsets for one hop.
void KyBeatTracker::analyse()
{
    double sum = 0;
    for (float s : hop_)
        sum += double(s) * s;
    const double level = std::sqrt(sum / double(hop_.size()));
    silentFrames_ = level < kSilenceLevel ? silentFrames_ + 1 : 0;

    const auto flux = onsets_.process(hop_.data());
    float strength = 0, body = 0;
    // The scale starts without a past, so it is divided by the share of the past it has.
    scaleUnheard_ *= scaleKeep_;
    const double scaleWeight = 1 - scaleUnheard_;
    for (std::size_t b = 0; b < flux.size(); ++b) {
        bandMean_[b] = meanKeep_ * bandMean_[b] + (1 - meanKeep_) * flux[b];
        const double novelty = std::max(0.0, flux[b] - bandMean_[b]);
        bandScale_[b] = scaleKeep_ * bandScale_[b] + (1 - scaleKeep_) * novelty;
        strength += kBands[b].weight * float(novelty);
        if (b < 2)
            body += float(novelty / std::max(bandScale_[b] / scaleWeight, 1e-6));
    }
    history_.push(strength);
    body_.push(body);
    comb_.add(history_);
}

// The latest beat, as a frame, of a grid with this period: where the strongest comb of
// onsets ends.
double KyBeatTracker::lastBeatFor(double period) const
{
    const std::int64_t now = newestFrame();
    const int beats = std::min(kGridBeats, int(double(now - startFrame_) / period));
    double best = -1, bestSum = 0;
    // The newest onset needs a couple of frames before it is seen whole.
    for (double back = 2; back < period + 2; back += 1) {
        double sum = 0, weight = 1;
        for (int k = 0; k <= beats; ++k, weight *= 0.8)
            sum += weight * history_.peakNear(double(now) - back - k * period, kPeakReach);
        if (sum > bestSum) {
            bestSum = sum;
            best = double(now) - back;
        }
    }
    return best;
}

int KyBeatTracker::beatsHeard(double period) const
{
    return std::clamp(int(double(newestFrame() - startFrame_) / period), 1, kOctaveBeats);
}

// Mean peak on `beats` beats of a grid that ends at frame `beat`.
double KyBeatTracker::salience(const KyStrengthHistory& history, double period, double beat, int beats) const
{
    double sum = 0;
    for (int k = 0; k < beats; ++k)
        sum += history.peakNear(beat - k * period, kPeakReach);
    return sum / beats;
}

// Hi-hats and other offbeats never make a beat, but kick or snare onsets halfway between
// the beats do; and a grid where every other beat is empty is twice too fast. Judged on
// the low and middle bands, each against its own usual novelty, so a snare counts as much
// as a kick.
double KyBeatTracker::settleOctave(double period, double& beat) const
{
    for (int round = 0; round < 3; ++round) {
        const int beats = beatsHeard(period);
        const double on = salience(body_, period, beat, beats);
        const double between = salience(body_, period, beat - period / 2, beats);
        if (period / 2 >= comb_.minPeriod() && between >= 0.35 * on) {
            period = comb_.refine(period / 2);
            beat = lastBeatFor(period);
            continue;
        }
        if (2 * period <= comb_.maxPeriod() && double(newestFrame() - startFrame_) >= 2 * period + 3) {
            const int beats = beatsHeard(2 * period);
            const double even = salience(body_, 2 * period, beat, beats);
            const double odd = salience(body_, 2 * period, beat - period, beats);
            if (std::min(even, odd) < 0.25 * std::max(even, odd)) {
                if (odd > even)
                    beat -= period;
                period = comb_.refine(2 * period);
                continue;
            }
        }
        break;
    }
    return period;
}

// The period the autocorrelation proposes, in the octave the onsets call for, with the
// latest beat of its grid.
double KyBeatTracker::proposedPeriod(double& beat) const
{
    double period = comb_.bestPeriod();
    if (period <= 0)
        return 0;
    beat = lastBeatFor(period);
    return settleOctave(period, beat);
}

void KyBeatTracker::tryToLock()
{
    double beat = 0;
    const double period = proposedPeriod(beat);
    if (period <= 0 || double(newestFrame() - startFrame_) < 2 * period + 3)
        return;
    // The last three beats of the grid must each carry a clear onset, and one of the
    // strongest heard since the first of them.
    double strongest = 0;
    for (auto f = std::int64_t(beat - 2 * period) - kPeakReach; f < history_.frames(); ++f)
        strongest = std::max(strongest, double(body_.at(f)));
    for (int k = 0; k < 3; ++k) {
        const double onset = body_.peakNear(beat - k * period, kPeakReach);
        if (onset < 0.4 * strongest || onset < kClearOnset)
            return;
    }
    locked_ = true;
    period_ = period * double(hopSize_);
    smoothedPeriod_ = period_;
    beatStrength_ = salience(history_, period, beat, 3);
    misses_ = 0;
    hitScore_ = 1;
    disagreements_ = 0;
    nextBeat_ = frameToSample(beat) + period_;
    while (nextBeat_ < processedSamples())
        nextBeat_ += period_;
    judgedBeat_ = -1;
}

// Once the window around the last emitted beat has passed, the strongest onset in it
// corrects the phase and the period.
void KyBeatTracker::followOnsets()
{
    if (judgedBeat_ < 0)
        return;
    const double reach = kWindowShare * period_;
    const double end = sampleToFrame(judgedBeat_ + reach);
    if (double(newestFrame()) < end + 2)
        return;
    const double beat = judgedBeat_;
    judgedBeat_ = -1;
    double peakFrame = -1;
    float peak = 0;
    for (auto f = std::int64_t(std::ceil(sampleToFrame(beat - reach))); f <= std::int64_t(end); ++f) {
        const float s = history_.at(f);
        if (s > peak && s >= history_.at(f - 1) && s >= history_.at(f + 1)) {
            peak = s;
            peakFrame = double(f);
        }
    }
    const bool hit = peakFrame >= 0 && peak >= 0.3 * beatStrength_;
    hitScore_ = kHitKeep * hitScore_ + (1 - kHitKeep) * (hit ? 1 : 0);
    misses_ = hit ? 0 : misses_ + 1;
    if (misses_ >= kMissesToUnlock) {
        forget();
        return;
    }
    if (hit)
        pullTowards(peakFrame, beat, peak);
    checkTempo(sampleToFrame(beat));
}

void KyBeatTracker::pullTowards(double peakFrame, double beat, float peak)
{
    // Parabolic interpolation puts the peak between frames.
    const auto f = std::int64_t(peakFrame);
    const double a = history_.at(f - 1), b = history_.at(f), c = history_.at(f + 1);
    const double curvature = a - 2 * b + c;
    if (curvature < 0)
        peakFrame += std::clamp(0.5 * (a - c) / curvature, -0.5, 0.5);
    const double error = frameToSample(peakFrame) - beat;
    nextBeat_ += kPhaseGain * error;
    period_ += kPeriodGain * error;
    period_ = std::clamp(period_, comb_.minPeriod() * double(hopSize_), comb_.maxPeriod() * double(hopSize_));
    smoothedPeriod_ += 0.2 * (period_ - smoothedPeriod_);
    beatStrength_ += 0.2 * (peak - beatStrength_);
}

// A lock that keeps missing onsets while the autocorrelation hears another tempo, or that
// disagrees with it for long, is dropped and taken again at once from what was heard.
void KyBeatTracker::checkTempo(double beatFrame)
{
    double proposedBeat = beatFrame;
    const double proposed = proposedPeriod(proposedBeat);
    const double period = period_ / double(hopSize_);
    const double ratio = proposed / period;
    const double offset = std::remainder(proposedBeat - beatFrame, std::min(period, proposed));
    const bool inPhase = std::abs(offset) < kWindowShare * std::min(period, proposed);
    auto near = [&](double value) { return std::abs(ratio / value - 1) < 0.04; };
    const bool agrees = proposed > 0 && near(1) && inPhase;
    const bool octave = proposed > 0 && (near(2) || near(0.5)) && inPhase;
    disagreements_ = agrees ? 0 : disagreements_ + 1;
    if ((octave && disagreements_ >= 3) || (disagreements_ >= 2 && hitScore_ < 0.7) || disagreements_ >= 8) {
        locked_ = false;
        judgedBeat_ = -1;
        tryToLock();
    }
}

// Silence or a long run without onsets: start listening afresh.
void KyBeatTracker::forget()
{
    locked_ = false;
    judgedBeat_ = -1;
    startFrame_ = history_.frames();
    comb_.reset();
}
