#include "app/Show.h"
#include "music/BeatSource.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const KyClock::time_point t0 = KyClock::time_point() + 1000s;

// Ticks every 50 ms from `from` and returns the ticks (counted from 1) that pulsed.
std::vector<int> pulsingTicks(KyBeatSource& source, KyClock::time_point from, int ticks, bool module = false)
{
    std::vector<int> pulsed;
    for (int t = 1; t <= ticks; ++t)
        if (source.pulse(from + t * 50ms, module))
            pulsed.push_back(t);
    return pulsed;
}

} // namespace

TEST(TapTempo, FourTapsHalfASecondApartPulseEveryTenTicks)
{
    KyBeatSource source;
    source.setSource(KyRhythmSource::Tap);
    for (int i = 0; i < 4; ++i) {
        source.tap(t0 + i * 500ms);
        EXPECT_TRUE(source.pulse(t0 + i * 500ms + 10ms, false)) << "a tap is a beat";
        EXPECT_TRUE(pulsingTicks(source, t0 + i * 500ms + 10ms, 9).empty());
    }
    EXPECT_DOUBLE_EQ(source.bpm(), 120.0);
    // Ticks at 1.51 s + 50 ms * n: the beats at 2.0 s, 2.5 s ... fall every tenth tick.
    EXPECT_EQ(pulsingTicks(source, t0 + 1510ms, 40), (std::vector<int>{10, 20, 30, 40}));
}

TEST(TapTempo, ATapRealignsThePhase)
{
    KyBeatSource source;
    source.setSource(KyRhythmSource::Tap);
    for (int i = 0; i < 4; ++i)
        source.tap(t0 + i * 500ms);
    pulsingTicks(source, t0 + 1500ms, 2);
    // The operator taps 120 ms behind the running beat at 2.0 s: the beats follow the tap.
    source.tap(t0 + 2120ms);
    EXPECT_TRUE(source.pulse(t0 + 2150ms, false));
    EXPECT_EQ(pulsingTicks(source, t0 + 2150ms, 20), (std::vector<int>{10, 20}));
}

TEST(TapTempo, ALateTapDoesNotPulseTwiceAndBouncesAndPausesAreNotTempo)
{
    KyBeatSource source;
    source.setSource(KyRhythmSource::Tap);
    for (int i = 0; i < 4; ++i)
        source.tap(t0 + i * 500ms);
    source.pulse(t0 + 1510ms, false);
    EXPECT_TRUE(source.pulse(t0 + 2010ms, false)); // the beat at 2.0 s
    source.tap(t0 + 2040ms);                        // the same beat, tapped late
    EXPECT_FALSE(source.pulse(t0 + 2060ms, false));

    const double learned = source.bpm();
    source.tap(t0 + 2100ms); // a bounce of the key
    EXPECT_EQ(source.bpm(), learned);
    EXPECT_FALSE(source.pulse(t0 + 2110ms, false));

    // After a long pause the tempo stays until two taps give a new one.
    source.tap(t0 + 10000ms);
    EXPECT_EQ(source.bpm(), learned);
    source.tap(t0 + 10400ms);
    EXPECT_DOUBLE_EQ(source.bpm(), 150.0);
}

TEST(BeatSource, ModuleAndChosenSourcePulsesBothCountAndMergeWithinATick)
{
    KyBeatSource source;
    // The module's input alone: audio beats are not heard.
    source.audio().beat(120);
    EXPECT_TRUE(source.pulse(t0, true));
    EXPECT_FALSE(source.pulse(t0 + 50ms, false));

    // Beats heard before the audio source was chosen are not owed.
    source.setSource(KyRhythmSource::Audio);
    EXPECT_FALSE(source.pulse(t0 + 100ms, false));
    source.audio().beat(120);
    EXPECT_TRUE(source.pulse(t0 + 150ms, false));
    EXPECT_FALSE(source.pulse(t0 + 200ms, false));
    EXPECT_TRUE(source.pulse(t0 + 250ms, true)) << "the module still counts";
    // A beat and a module change in one tick, or two beats in one tick: one pulse.
    source.audio().beat(120);
    source.audio().beat(120);
    EXPECT_TRUE(source.pulse(t0 + 300ms, true));
    EXPECT_FALSE(source.pulse(t0 + 350ms, false));
    EXPECT_DOUBLE_EQ(source.bpm(), 120.0);
}

TEST(BeatSource, ShowsTheModulesTempoFromItsPulses)
{
    KyBeatSource source;
    EXPECT_EQ(source.bpm(), 0.0);
    for (int i = 0; i < 6; ++i)
        source.pulse(t0 + i * 450ms, true);
    EXPECT_NEAR(source.bpm(), 133.3, 0.1);
    static_assert(std::atomic<std::uint32_t>::is_always_lock_free && std::atomic<double>::is_always_lock_free);
}

// A beat of the audio thread reaches the cue engine at the next tick, as a change of the
// module's input would: a two-beat music sequence changes its scene on the second one.
TEST(BeatSource, TheShowTickStepsMusicOnAudioBeats)
{
    KyShow show(DataPaths::in("/nonexistent"));
    auto sequence = std::make_shared<KySequence>();
    for (std::uint8_t value : {1, 2}) {
        KyScene scene;
        scene.setStatus(0, KyChStatus{value, 0, 0, 0, 0});
        scene.sceneTime = 60000;
        sequence->appendScene(scene);
    }
    KySeqEngine& zone = show.dmx.liveCue().zoneEngine(2);
    zone = KySeqEngine(sequence);
    zone.music = true;
    zone.beatsPerStep = 2;
    zone.play();
    show.musicMode = true;
    show.beats.setSource(KyRhythmSource::Audio);

    show.tick();
    show.beats.audio().beat(120);
    show.tick();
    show.tick();
    EXPECT_EQ(show.dmx.data()[0], 1);
    show.beats.audio().beat(120);
    show.tick(); // the second pulse changes the scene, shown from the next tick
    show.tick();
    EXPECT_EQ(show.dmx.data()[0], 2);
    for (int t = 0; t < 5; ++t)
        show.tick();
    EXPECT_EQ(show.dmx.data()[0], 2) << "no beat, no step";
}
