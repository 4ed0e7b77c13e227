#include "music/BeatTracker.h"
#include "music/TestAudio.h"

#include <gtest/gtest.h>

using namespace testaudio;

namespace {

struct Analysis {
    std::vector<double> beats;
    double bpm = 0;
};

// Feeds the samples in blocks of `block`, as an audio thread would.
Analysis analyse(const std::vector<float>& samples, std::size_t block = 512, int sampleRate = kSampleRate)
{
    KyBeatTracker tracker(sampleRate);
    Analysis result;
    for (std::size_t at = 0; at < samples.size(); at += block) {
        const std::size_t n = std::min(block, samples.size() - at);
        tracker.process(std::span(samples.data() + at, n), [&](double seconds) { result.beats.push_back(seconds); });
    }
    result.bpm = tracker.bpm();
    return result;
}

} // namespace

// The quality the live tracker must reach: after four beats of lock-in, F-measure at least
// 0.9 within 70 ms of the true beats, and the final tempo within 1 BPM.
TEST(BeatTracker, FindsTheBeatsOfClicksAndDrumsAfterFourBeats)
{
    struct Case {
        Style style;
        std::vector<Segment> segments;
    };
    const Case cases[] = {
        {Style::Clicks, {{90, 30}}},
        {Style::Drums, {{90, 30}}},
        {Style::Clicks, {{120, 30}}},
        {Style::Drums, {{120, 30}}},
        {Style::Clicks, {{128, 30}}},
        {Style::Drums, {{128, 30}}},
        {Style::Clicks, {{174, 30}}},
        {Style::Drums, {{174, 30}}},
        {Style::Clicks, {{120, 20}, {128, 20}}},
        {Style::Drums, {{120, 20}, {128, 20}}},
    };
    for (const Case& c : cases) {
        const Track track = makeTrack(c.style, c.segments);
        SCOPED_TRACE((c.style == Style::Clicks ? "clicks at " : "drums at ") + std::to_string(c.segments.back().bpm) +
                     (c.segments.size() > 1 ? " after a change" : ""));
        const Analysis found = analyse(track.samples);
        EXPECT_GE(fMeasure(track.beats, found.beats, 0.07, track.beats[4]), 0.9);
        EXPECT_NEAR(found.bpm, c.segments.back().bpm, 1.0);
    }
}

TEST(BeatTracker, NoiseAndSilenceHaveNoBeats)
{
    for (float level : {0.0f, 0.001f, 0.03f, 0.3f}) {
        SCOPED_TRACE(level);
        std::mt19937 random(7);
        std::normal_distribution<float> noise(0, level);
        std::vector<float> samples(kSampleRate * 10);
        for (float& s : samples)
            s = level > 0 ? noise(random) : 0;
        EXPECT_TRUE(analyse(samples).beats.empty());
    }
}

// The tracker never looks ahead: what it reports for the first half of a track does not
// depend on the second half, nor on how the audio is cut into blocks.
TEST(BeatTracker, IsCausalAndBlindToBlockSizes)
{
    const Track track = makeTrack(Style::Drums, {{128, 8}, {174, 8}});
    const Analysis whole = analyse(track.samples);
    ASSERT_GT(whole.beats.size(), 20u);

    const std::size_t half = track.samples.size() / 2;
    const Analysis first = analyse(std::vector<float>(track.samples.begin(), track.samples.begin() + long(half)), 333);
    const double halfSeconds = double(half) / kSampleRate;
    std::vector<double> wholeUpToHalf;
    for (double b : whole.beats)
        if (b <= halfSeconds)
            wholeUpToHalf.push_back(b);
    EXPECT_EQ(first.beats, wholeUpToHalf);
}

// The same music at another sample rate: the tracker scales its analysis to the rate.
TEST(BeatTracker, WorksAtOtherSampleRates)
{
    const Track track = makeTrack(Style::Drums, {{128, 20}});
    for (int rate : {22050, 48000}) {
        SCOPED_TRACE(rate);
        std::vector<float> resampled(std::size_t(double(track.samples.size()) * rate / kSampleRate));
        for (std::size_t i = 0; i < resampled.size(); ++i)
            resampled[i] =
                track.samples[std::min(track.samples.size() - 1, std::size_t(double(i) * kSampleRate / rate))];
        const Analysis found = analyse(resampled, 512, rate);
        EXPECT_GE(fMeasure(track.beats, found.beats, 0.07, track.beats[4]), 0.9);
        EXPECT_NEAR(found.bpm, 128, 1.0);
    }
}
