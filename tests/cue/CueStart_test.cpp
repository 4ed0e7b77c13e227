#include "cue/CueStart.h"
#include "cue/Seque.h"
#include "sequence/CueGlobals.h"

#include <gtest/gtest.h>

namespace {

struct CueStartTest : ::testing::Test {
    void SetUp() override { cueGlobals() = KyCueGlobals{}; }
    void TearDown() override { cueGlobals() = KyCueGlobals{}; }

    // A stored cue whose zone 1 plays a one-scene sequence with a generator mid-figure.
    KyCue storedCue()
    {
        auto seq = std::make_shared<KySequence>();
        seq->id = 4;
        KyScene scene;
        scene.setStatus(0, KyChStatus{100, 0, 0, 0, 0});
        seq->appendScene(scene);
        seq->sceneAt(0).generatorFor(0).angle = 1.5;
        KyCue cue;
        cue.id = 7;
        cue.zoneEngine(0) = KySeqEngine(seq);
        return cue;
    }
};

} // namespace

TEST_F(CueStartTest, RecordedStatesAreAppliedAgain)
{
    struct Case {
        std::uint8_t playState, generatorState;
        bool playing, paused, generatorsPlaying, generatorsPaused;
        double angle; // of the zone's generator afterwards
    };
    const Case cases[] = {
        {KyCue::Playing, KyCue::Playing, true, false, true, false, 0.0}, // generators start again
        {KyCue::Paused, KyCue::Paused, false, true, false, true, 1.5},
        {KyCue::Stopped, KyCue::Stopped, false, false, false, false, 0.0},
    };
    for (const Case& c : cases) {
        KyCue stored = storedCue();
        stored.playState = c.playState;
        stored.generatorState = c.generatorState;
        KyCue live;
        startCue(live, &stored);
        const KySeqEngine& zone = live.zoneEngine(0);
        SCOPED_TRACE(int(c.playState));
        EXPECT_EQ(live.id, 7);
        EXPECT_EQ(live.playState, c.playState);
        EXPECT_EQ(live.generatorState, c.generatorState);
        EXPECT_EQ(zone.playing, c.playing);
        EXPECT_EQ(zone.paused, c.paused);
        EXPECT_EQ(zone.generatorsPlaying, c.generatorsPlaying);
        EXPECT_EQ(zone.generatorsPaused, c.generatorsPaused);
        EXPECT_EQ(zone.sequence->sceneAt(0).generatorFor(0).angle, c.angle);
    }
}

TEST_F(CueStartTest, GeneratorSpeedAndAmplitudeFollowTheNewLiveCue)
{
    KyCue stored = storedCue();
    stored.generatorAmplitude = 0.25;
    stored.generatorSpeed = 2.0;
    KyCue live;
    startCue(live, &stored);
    EXPECT_EQ(cueGlobals().generatorAmplitude, 0.25);
    EXPECT_EQ(cueGlobals().generatorSpeed, 2.0);

    startCue(live, nullptr); // an empty cue: every zone on a placeholder
    EXPECT_EQ(live.id, 0);
    EXPECT_EQ(live.zoneEngine(0).sequence->id, 0);
    EXPECT_TRUE(live.zoneEngine(0).playing);
    EXPECT_EQ(cueGlobals().generatorAmplitude, 1.0);
    EXPECT_EQ(cueGlobals().generatorSpeed, 1.0);
}
