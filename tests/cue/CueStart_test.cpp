#include "cue/CueStart.h"
#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "sequence/CueGlobals.h"

#include <algorithm>
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

// The cue editor saves the live cue as it plays, engines' places and all. Started from the
// panel, that copy begins at the first scene all the same, tick for tick as the same cue read
// from the file does, in whichever state it was saved.
TEST_F(CueStartTest, AStoredCopyStartsAtItsFirstSceneWhereverItsEnginesWere)
{
    // Three faded scenes on `channel`.
    auto fading = [](std::int32_t id, int channel) {
        auto seq = std::make_shared<KySequence>();
        seq->id = id;
        seq->fade = true;
        for (std::uint8_t value : {10, 200, 60}) {
            KyScene scene;
            scene.setStatus(channel, KyChStatus{value, 0, 0, 0, 0});
            scene.sceneTime = 4;
            seq->appendScene(scene);
        }
        return seq;
    };
    KyCue fromFile;
    fromFile.id = 7;
    fromFile.zoneEngine(0) = KySeqEngine(fading(4, 3));
    fromFile.zoneEngine(1) = KySeqEngine(fading(5, 4));
    fromFile.zoneEngine(1).speed = 40;

    KyDmxSpace editor;
    startCue(editor.liveCue(), &fromFile);
    for (int t = 0; t < 6; ++t)
        cueTick(editor.liveCue(), editor, false, false);
    KyCue saved = editor.liveCue(); // what "Zapisz" stores
    ASSERT_NE(saved.zoneEngine(0).sceneIndex, 0);

    for (std::uint8_t state : {KyCue::Playing, KyCue::Paused, KyCue::Stopped}) {
        SCOPED_TRACE(int(state));
        saved.playState = fromFile.playState = state;
        KyDmxSpace fromPanel, afterRestart;
        startCue(fromPanel.liveCue(), &saved);
        startCue(afterRestart.liveCue(), &fromFile);
        for (int t = 0; t < 12; ++t) {
            cueTick(fromPanel.liveCue(), fromPanel, false, false);
            cueTick(afterRestart.liveCue(), afterRestart, false, false);
            ASSERT_TRUE(std::ranges::equal(fromPanel.data(), afterRestart.data())) << "tick " << t;
        }
    }
}
