#pragma once
// Test audio made on the spot: click tracks and a synthesized kick/snare/hi-hat pattern over
// noise, at a tempo that may change, with the true beat times beside the samples.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace testaudio {

inline constexpr int kSampleRate = 44100;

// A stretch of music at one tempo.
struct Segment {
    double bpm;
    double seconds;
};

struct Track {
    std::vector<float> samples; // mono, -1..1
    int sampleRate = kSampleRate;
    std::vector<double> beats; // seconds, where each beat's sound starts
};

enum class Style { Clicks, Drums };

namespace detail {

inline void add(std::vector<float>& out, std::size_t at, const std::vector<float>& sound)
{
    for (std::size_t i = 0; i < sound.size() && at + i < out.size(); ++i)
        out[at + i] += sound[i];
}

inline std::vector<float> click(int rate, float gain)
{
    std::vector<float> s(static_cast<std::size_t>(rate * 0.03));
    for (std::size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / rate;
        s[i] = gain * float(std::exp(-t / 0.008) * (std::sin(2 * std::numbers::pi * 1000 * t) +
                                                    0.5 * std::sin(2 * std::numbers::pi * 2500 * t)));
    }
    return s;
}

// A sine that falls from 150 Hz towards 50 Hz.
inline std::vector<float> kick(int rate)
{
    std::vector<float> s(static_cast<std::size_t>(rate * 0.35));
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / rate;
        phase += 2 * std::numbers::pi * (50 + 100 * std::exp(-t / 0.03)) / rate;
        s[i] = float(0.9 * std::exp(-t / 0.12) * std::sin(phase));
    }
    return s;
}

inline std::vector<float> snare(int rate, std::mt19937& random)
{
    std::uniform_real_distribution<float> noise(-1, 1);
    std::vector<float> s(static_cast<std::size_t>(rate * 0.25));
    float previous = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / rate;
        float n = noise(random);
        float bright = n - 0.5f * previous; // tilts the noise up
        previous = n;
        s[i] = float(0.45 * std::exp(-t / 0.07) * bright +
                     0.4 * std::exp(-t / 0.04) * std::sin(2 * std::numbers::pi * 190 * t));
    }
    return s;
}

inline std::vector<float> hihat(int rate, std::mt19937& random)
{
    std::uniform_real_distribution<float> noise(-1, 1);
    std::vector<float> s(static_cast<std::size_t>(rate * 0.06));
    float a = 0, b = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / rate;
        float n = noise(random);
        float high = n - 2 * a + b; // second difference: only the top of the spectrum
        b = a;
        a = n;
        s[i] = float(0.12 * std::exp(-t / 0.015) * high);
    }
    return s;
}

} // namespace detail

// The first beat sounds at `lead` seconds; each segment starts on the beat after the last
// one of the segment before. Drums: kick on beats 1 and 3, snare on 2 and 4, hi-hat on
// every eighth, over white noise.
inline Track makeTrack(Style style, std::vector<Segment> segments, double lead = 0.3, unsigned seed = 17)
{
    Track track;
    const int rate = track.sampleRate;
    double total = lead;
    for (const Segment& segment : segments)
        total += segment.seconds;
    track.samples.assign(static_cast<std::size_t>((total + 0.5) * rate), 0.0f);
    std::mt19937 random(seed);
    const auto kick = detail::kick(rate);
    const auto plainClick = detail::click(rate, 0.5f);
    const auto accentClick = detail::click(rate, 0.7f);

    double t = lead;
    double segmentStart = lead;
    int index = 0;
    for (const Segment& segment : segments) {
        const double period = 60.0 / segment.bpm;
        for (; t < segmentStart + segment.seconds - 1e-9; t += period, ++index) {
            track.beats.push_back(t);
            auto at = static_cast<std::size_t>(std::lround(t * rate));
            if (style == Style::Clicks) {
                detail::add(track.samples, at, index % 4 == 0 ? accentClick : plainClick);
                continue;
            }
            detail::add(track.samples, at, index % 2 == 0 ? kick : detail::snare(rate, random));
            detail::add(track.samples, at, detail::hihat(rate, random));
            detail::add(track.samples, at + static_cast<std::size_t>(std::lround(period / 2 * rate)),
                        detail::hihat(rate, random));
        }
        segmentStart = t;
    }
    if (style == Style::Drums) {
        std::normal_distribution<float> noise(0, 0.03f);
        for (float& s : track.samples)
            s += noise(random);
    }
    for (float& s : track.samples)
        s = std::clamp(s, -1.0f, 1.0f);
    return track;
}

// A canonical 44-byte-header WAV file of the given PCM layout, samples repeated on every
// channel.
inline std::vector<std::uint8_t> wavBytes(const Track& track, int channels = 1, int bits = 16)
{
    const int bytes = bits / 8;
    const auto dataSize = std::uint32_t(track.samples.size() * std::size_t(channels * bytes));
    std::vector<std::uint8_t> out;
    auto put = [&](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            out.push_back(std::uint8_t(v >> (8 * i)));
    };
    auto tag = [&](const char* t) { out.insert(out.end(), t, t + 4); };
    tag("RIFF");
    put(36 + dataSize, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);
    put(std::uint32_t(channels), 2);
    put(std::uint32_t(track.sampleRate), 4);
    put(std::uint32_t(track.sampleRate * channels * bytes), 4);
    put(std::uint32_t(channels * bytes), 2);
    put(std::uint32_t(bits), 2);
    tag("data");
    put(dataSize, 4);
    for (float s : track.samples) {
        const double scaled = std::round(double(s) * (bits == 8 ? 127 : (1u << (bits - 1)) - 1));
        const auto v = std::uint32_t(std::int32_t(scaled) + (bits == 8 ? 128 : 0));
        for (int c = 0; c < channels; ++c)
            put(v, bytes);
    }
    return out;
}

inline void writeWav(const std::string& path, const Track& track)
{
    const auto bytes = wavBytes(track);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The share of beats found: F-measure with `tolerance` seconds, each true beat matched by at
// most one detection. Beats before `from` on either side are left out.
inline double fMeasure(const std::vector<double>& truth, const std::vector<double>& found, double tolerance,
                       double from)
{
    std::vector<double> reference, detected;
    for (double b : truth)
        if (b >= from)
            reference.push_back(b);
    for (double b : found)
        if (b >= from - tolerance)
            detected.push_back(b);
    std::size_t hits = 0, j = 0;
    for (double b : reference) {
        while (j < detected.size() && detected[j] < b - tolerance)
            ++j;
        if (j < detected.size() && detected[j] <= b + tolerance) {
            ++hits;
            ++j;
        }
    }
    if (reference.empty() || detected.empty())
        return 0;
    double precision = double(hits) / double(detected.size());
    double recall = double(hits) / double(reference.size());
    return hits == 0 ? 0 : 2 * precision * recall / (precision + recall);
}

} // namespace testaudio
