#include "cue/Seque.h"
#include "sequence/CueGlobals.h"

#include <gtest/gtest.h>

namespace {

class CueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cueGlobals() = KyCueGlobals{};
        cueGlobals().speedListener = [this] { ++speedCalls; };
        cueGlobals().panelListener = [this] { ++panelCalls; };
    }
    void TearDown() override { cueGlobals() = KyCueGlobals{}; }
    int speedCalls = 0;
    int panelCalls = 0;
};

} // namespace

TEST_F(CueTest, NewCueHasTenZonesOnTheirOwnPlaceholders)
{
    KyCue cue;
    for (int i = 0; i < KyCue::kZones; ++i) {
        const KySeqEngine& zone = cue.zoneEngine(i);
        EXPECT_EQ(zone.sequence->id, 0);
        EXPECT_TRUE(zone.sequence->scenes.empty());
        EXPECT_TRUE(zone.active);
        EXPECT_EQ(zone.beatsPerStep, 1u);
        if (i > 0) {
            EXPECT_NE(zone.sequence, cue.zoneEngine(i - 1).sequence);
        }
    }
    EXPECT_EQ(cue.generatorSpeed, 1.0);
    EXPECT_EQ(cue.generatorAmplitude, 1.0);
}

TEST_F(CueTest, PlayStatesReachAllZones)
{
    KyCue cue;
    cue.pause();
    EXPECT_EQ(cue.playState, KyCue::Paused);
    cue.play();
    cue.playGenerators();
    cue.pauseGenerators();
    for (const auto& zone : cue.zones) {
        EXPECT_TRUE(zone.playing);
        EXPECT_FALSE(zone.paused);
        EXPECT_TRUE(zone.generatorsPlaying);
        EXPECT_TRUE(zone.generatorsPaused);
    }
    EXPECT_EQ(cue.generatorState, KyCue::Paused);
    cue.stop();
    cue.stopGenerators();
    for (const auto& zone : cue.zones) {
        EXPECT_FALSE(zone.playing);
        EXPECT_TRUE(zone.sceneEnd);
        EXPECT_FALSE(zone.generatorsPlaying);
    }
    EXPECT_EQ(cue.playState, KyCue::Stopped);
    EXPECT_EQ(cue.generatorState, KyCue::Stopped);
}

TEST_F(CueTest, SpeedIsClampedAndListenersHearOnlyChanges)
{
    KyCue cue;
    cue.setSpeed(150, true);
    EXPECT_EQ(cue.speed, 100);
    EXPECT_EQ(speedCalls, 1);
    EXPECT_EQ(panelCalls, 1);
    EXPECT_EQ(cue.reportedSpeed, 100);
    cue.setSpeed(100, true);
    EXPECT_EQ(speedCalls, 1);
    EXPECT_EQ(panelCalls, 1);

    // The panel's own slider does not report, so the baseline stays.
    cue.setSpeed(-20, false);
    EXPECT_EQ(speedCalls, 2);
    EXPECT_EQ(panelCalls, 1);
    EXPECT_EQ(cue.reportedSpeed, 100);

    cue.setGeneratorSpeed(2.0, false);
    EXPECT_EQ(cueGlobals().generatorSpeed, 2.0);
    EXPECT_EQ(panelCalls, 1);
    cue.setGeneratorSpeed(2.0, true);
    EXPECT_EQ(panelCalls, 2);
    EXPECT_EQ(cue.reportedGeneratorSpeed, 2.0);
    EXPECT_EQ(cue.reportedSpeed, -20);

    cue.setGeneratorAmplitude(0.3);
    EXPECT_EQ(cueGlobals().generatorAmplitude, 0.3);
}

TEST_F(CueTest, OnlyAssignmentSetsTheProcessWideGeneratorSpeed)
{
    KyCue stored;
    stored.generatorSpeed = 3.0;
    stored.name = "s";
    KyCue copy(stored);
    EXPECT_EQ(cueGlobals().generatorSpeed, 1.0);

    KyCue live;
    live = stored;
    EXPECT_EQ(live.name, "s");
    EXPECT_EQ(cueGlobals().generatorSpeed, 3.0);
    live = KyCue{};
    EXPECT_EQ(cueGlobals().generatorSpeed, 1.0);

    // Reorganising the store assigns no cue.
    KySeque store;
    for (double speed : {0.5, 2.0, 0.25}) {
        KyCue c;
        c.generatorSpeed = speed;
        c.name = std::to_string(speed);
        store.addCue(c);
    }
    store.sortCues();
    store.eraseCue(0);
    EXPECT_EQ(cueGlobals().generatorSpeed, 1.0);
    EXPECT_EQ(store.cueCount(), 2u);
}

TEST_F(CueTest, ZonesLoseSequencesThatAreReleasedOrNoLongerStored)
{
    KySeque store;
    store.addSequence(KySequence{});
    store.addSequence(KySequence{});
    KyCue cue;
    cue.zoneEngine(0) = KySeqEngine(store.sharedSequenceAt(0));
    cue.zoneEngine(1) = KySeqEngine(store.sharedSequenceAt(1));
    cue.zoneEngine(1).music = true;
    auto orphan = std::make_shared<KySequence>(store.sequenceAt(1)); // same id, not stored
    cue.zoneEngine(2) = KySeqEngine(orphan);

    cue.releaseSequence(store.sequenceAt(1));
    EXPECT_EQ(cue.zoneEngine(0).sequence, store.sharedSequenceAt(0));
    EXPECT_EQ(cue.zoneEngine(1).sequence->id, 0);
    EXPECT_FALSE(cue.zoneEngine(1).music);
    EXPECT_EQ(cue.zoneEngine(2).sequence->id, 0);

    cue.zoneEngine(2) = KySeqEngine(orphan);
    cue.dropMissingSequences(store);
    EXPECT_EQ(cue.zoneEngine(0).sequence, store.sharedSequenceAt(0));
    EXPECT_NE(cue.zoneEngine(2).sequence, orphan);
}

TEST_F(CueTest, CueStoreHandsOutIdsAndFindsCues)
{
    KySeque store;
    EXPECT_EQ(store.findCueOrFirst(1), nullptr);
    KyCue live;
    for (const char* name : {"b", "A", "c"}) {
        live.name = name;
        store.addCue(live);
    }
    EXPECT_EQ(live.id, 3); // the caller's cue carries the new id
    EXPECT_EQ(store.indexOfCue(live), 2);
    EXPECT_EQ(store.findCue(2)->name, "A");
    EXPECT_EQ(store.findCue(7), nullptr);
    EXPECT_EQ(store.findCueOrFirst(7), &store.cueAt(0));

    store.sortCues();
    EXPECT_EQ(store.cueAt(0).name, "A");
    EXPECT_EQ(store.cueAt(1).name, "b");
    store.eraseCue(0);
    EXPECT_EQ(store.cueAt(0).name, "b");
    EXPECT_EQ(store.indexOfCue(live), 1);
    KyCue stranger;
    stranger.id = 99;
    EXPECT_EQ(store.indexOfCue(stranger), -1);
}
