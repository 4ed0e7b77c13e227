#include "common/Change.h"
#include "cue/CueEdit.h"
#include "cue/CueFile.h"
#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "sequence/CueGlobals.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A store of sequences "A", "B" and "C" (ids 1-3; B fades) and an editor over a live cue,
// with the speed listener installed as the editor's window installs it.
class CueEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cueGlobals() = KyCueGlobals{};
        for (const char* name : {"A", "B", "C"}) {
            KySequence seq;
            seq.name = name;
            seq.fade = std::string(name) == "B";
            for (std::uint8_t value : {10, 20}) {
                KyScene scene;
                scene.setStatus(0, KyChStatus{value, 0, 0, 0, 0});
                seq.appendScene(scene);
            }
            store.addSequence(seq);
        }
        cueGlobals().speedListener = [this] { edit.followCueSpeed(); };
    }
    void TearDown() override { cueGlobals() = KyCueGlobals{}; }

    // Stores a cue whose zone 1 plays the sequence of that row at `speed`.
    std::int32_t storeCue(const std::string& name, std::size_t sequenceRow, std::int32_t speed = 0)
    {
        KyCue cue;
        cue.name = name;
        cue.zoneEngine(0) = KySeqEngine(store.sharedSequenceAt(sequenceRow));
        cue.zoneEngine(0).speed = speed;
        store.addCue(cue);
        return cue.id;
    }

    KySeque store;
    KyDmxSpace dmx;
    KyCue& live = dmx.liveCue();
    KyCueEdit edit{live, store};
};

std::int32_t zoneSpeed(const KyCue& cue, int zone)
{
    return cue.zoneEngine(zone).speed;
}

} // namespace

TEST_F(CueEditTest, ZoneSpeedsFollowTheCueSpeedAtTheirOffsets)
{
    edit.chooseSequence(0, 0);
    edit.chooseSequence(1, 1);
    edit.setZoneSpeed(0, 30);
    edit.setZoneSpeed(1, -20);
    edit.setCueSpeed(50);
    EXPECT_EQ(zoneSpeed(live, 0), 80);
    EXPECT_EQ(zoneSpeed(live, 1), 30);
    EXPECT_EQ(edit.speedOffset(0), 30);
    edit.setCueSpeed(0);
    EXPECT_EQ(zoneSpeed(live, 0), 30);
    EXPECT_EQ(zoneSpeed(live, 1), -20);

    // A zone slider moved while the cue speed is 80 keeps its offset from that speed.
    edit.setCueSpeed(80);
    edit.setZoneSpeed(0, 120);
    EXPECT_EQ(edit.speedOffset(0), 40);
    live.play();
    cueTick(live, dmx, false, false);
    EXPECT_EQ(zoneSpeed(live, 0), 100) << "the engine clamps when it runs";
    edit.setCueSpeed(70);
    EXPECT_EQ(zoneSpeed(live, 0), 110);
}

TEST_F(CueEditTest, ChoosingASequenceStartsANewEngineAndKeepsTheOffset)
{
    struct Case {
        std::uint8_t playState, generatorState;
        bool playing, generatorsPlaying;
    };
    for (const Case& c : {Case{0, 0, true, true}, Case{1, 1, false, false}, Case{2, 2, false, false}}) {
        live = KyCue();
        edit.rereadZones();
        edit.chooseSequence(0, 0);
        edit.setZoneSpeed(0, 25);
        edit.setMusic(0, true);
        live.playState = c.playState;
        live.generatorState = c.generatorState;
        edit.chooseSequence(0, 2);
        const KySeqEngine& zone = live.zoneEngine(0);
        EXPECT_EQ(zone.sequence, store.sharedSequenceAt(2));
        EXPECT_EQ(zone.speed, 0);
        EXPECT_FALSE(zone.music);
        EXPECT_EQ(zone.playing, c.playing);
        EXPECT_EQ(zone.generatorsPlaying, c.generatorsPlaying);
        EXPECT_EQ(edit.speedOffset(0), 25);
    }
    edit.setCueSpeed(10);
    EXPECT_EQ(zoneSpeed(live, 0), 35);
}

TEST_F(CueEditTest, RowsShowTheirZones)
{
    EXPECT_EQ(edit.zoneRow(0), KyZoneRow{});
    edit.chooseSequence(0, 1);
    edit.setZoneSpeed(0, -40);
    edit.setActive(0, false);
    edit.setMusic(0, true);
    edit.setPulses(0, 3);
    EXPECT_EQ(edit.zoneRow(0), (KyZoneRow{false, false, 1, true, -40, true, 3}));
    live.zoneEngine(0).beatsPerStep = 3;
    EXPECT_EQ(edit.zoneRow(0).pulsesItem, -1);

    // A sequence erased from the store stays on its zone, shown without a selection, until
    // the editor opens again.
    store.eraseSequence(1);
    EXPECT_FALSE(edit.zoneRow(0).empty);
    EXPECT_EQ(edit.zoneRow(0).sequenceRow, -1);
    edit.open();
    EXPECT_TRUE(edit.zoneRow(0).empty);

    edit.chooseSequence(2, 1);
    EXPECT_EQ(edit.zoneRow(2).sequenceRow, 1);
    edit.eraseZone(2);
    EXPECT_TRUE(edit.zoneRow(2).empty);
}

TEST_F(CueEditTest, LoadingKeepsThePlayStateAndAppliesTheStoredGeneratorState)
{
    struct Case {
        void (KyCue::*before)();
        std::uint8_t storedGenerators;
        bool playing, paused, fromFirstScene, generatorsPlaying, generatorsPaused;
    };
    const Case cases[] = {
        {&KyCue::play, 0, true, false, true, true, false},
        {&KyCue::pause, 1, true, true, false, false, true},
        {&KyCue::stop, 2, false, false, true, false, false},
    };
    const std::int32_t id = storeCue("Cue", 0, 20);
    store.findCue(id)->speed = 5;
    for (const Case& c : cases) {
        store.findCue(id)->generatorState = c.storedGenerators;
        live = KyCue();
        edit.rereadZones();
        (live.*c.before)();
        edit.load(0);
        EXPECT_EQ(live.id, id);
        const KySeqEngine& zone = live.zoneEngine(0);
        EXPECT_EQ(zone.playing, c.playing);
        EXPECT_EQ(zone.paused, c.paused);
        EXPECT_EQ(zone.sceneEnd, c.fromFirstScene);
        EXPECT_EQ(zone.generatorsPlaying, c.generatorsPlaying);
        EXPECT_EQ(zone.generatorsPaused, c.generatorsPaused);
        EXPECT_EQ(live.generatorState, c.storedGenerators);
        EXPECT_EQ(edit.speedOffset(0), 15);
        EXPECT_FALSE(edit.isNew());
    }
}

TEST_F(CueEditTest, ErasingLoadsTheCueThatTakesTheErasedPlace)
{
    struct Case {
        std::size_t erased;
        const char* loaded; // nullptr: a new cue
    };
    for (const Case& c : {Case{2, "second"}, Case{0, "second"}, Case{1, "third"}}) {
        store.replaceCues({});
        for (const char* name : {"first", "second", "third"})
            storeCue(name, 0);
        edit.erase(c.erased);
        EXPECT_EQ(store.cueCount(), 2u);
        EXPECT_EQ(live.name, c.loaded);
        EXPECT_EQ(store.indexOfCue(live), std::min<int>(int(c.erased), 1));
    }
    edit.erase(0);
    edit.erase(0);
    EXPECT_EQ(live.id, 0);
    EXPECT_TRUE(edit.isNew());
}

TEST_F(CueEditTest, SavingNeedsTheStoredCopyOtherwiseItIsSavedAsNew)
{
    storeCue("other", 0);
    EXPECT_TRUE(edit.isNew());
    EXPECT_FALSE(edit.save());

    edit.chooseSequence(0, 1);
    edit.saveAs("mine");
    EXPECT_FALSE(edit.isNew());
    EXPECT_EQ(store.cueCount(), 2u);
    EXPECT_EQ(live.id, store.cueAt(1).id);
    EXPECT_EQ(store.cueAt(1).name, "mine");

    edit.setZoneSpeed(0, 60);
    EXPECT_TRUE(edit.save());
    EXPECT_EQ(zoneSpeed(store.cueAt(1), 0), 60);
    EXPECT_EQ(store.cueAt(0).name, "other");

    // Once its stored copy is gone, saving changes no other cue.
    store.eraseCue(1);
    EXPECT_FALSE(edit.save());
    EXPECT_EQ(store.cueAt(0).name, "other");
    EXPECT_EQ(zoneSpeed(store.cueAt(0), 0), 0);
}

TEST_F(CueEditTest, RenamingReplacesTheLiveCueWithTheRenamedOne)
{
    storeCue("first", 0);
    const std::int32_t second = storeCue("second", 1, -30);
    edit.rename(1, "renamed");
    EXPECT_EQ(store.cueAt(1).name, "renamed");
    EXPECT_EQ(live.id, second);
    EXPECT_EQ(live.name, "renamed");
    EXPECT_EQ(edit.speedOffset(0), -30);
    EXPECT_FALSE(edit.isNew());
}

TEST_F(CueEditTest, NewAndRereadSetTheOffsetsAndWhetherTheCueIsNew)
{
    const std::int32_t id = storeCue("first", 0, 45);
    store.findCue(id)->speed = 15;
    live = *store.findCue(id); // as the direct-access window replaces it
    edit.rereadZones();
    EXPECT_EQ(edit.speedOffset(0), 30);
    EXPECT_FALSE(edit.isNew());

    edit.startNew();
    EXPECT_EQ(live.id, 0);
    EXPECT_EQ(live.speed, 0);
    EXPECT_EQ(edit.speedOffset(0), 0);
    EXPECT_TRUE(edit.isNew());
    EXPECT_TRUE(edit.zoneRow(0).empty);
}

TEST_F(CueEditTest, TheRefreshShowsTheLiveCueAndItsAmplitudeIsTheOneInUse)
{
    storeCue("b", 0);
    storeCue("a", 0);
    EXPECT_EQ(edit.refresh().liveRow, 0u);
    edit.load(1);
    edit.setGeneratorSpeed(-100);
    edit.setGeneratorAmplitude(30);
    EXPECT_NEAR(cueGlobals().generatorSpeed, 0.125, 1e-12);
    live.generatorAmplitude = 0.304;
    cueGlobals().generatorAmplitude = 1;
    KyCueEditView view = edit.refresh();
    EXPECT_DOUBLE_EQ(cueGlobals().generatorAmplitude, 0.3);
    EXPECT_EQ(view.liveRow, 1u);
    EXPECT_EQ(view.name, "a");
    EXPECT_EQ(view.generatorSpeedPosition, -100);
    EXPECT_EQ(view.amplitudePosition, 30);

    edit.close();
    EXPECT_EQ(store.cueAt(0).name, "a");
    EXPECT_EQ(edit.refresh().liveRow, 0u);
}

// Zone edits taken back one by one leave the stored cue's bytes as they were; made again, as
// they were edited.
TEST_F(CueEditTest, ZoneEditsTakenBackSaveTheOriginalBytesAndMadeAgainTheEditedOnes)
{
    storeCue("Wieczór", 0, 5);
    edit.open();
    edit.load(0);
    edit.mark();
    const vt::Bytes original = (edit.save(), cuesToBytes(store));
    std::vector<std::unique_ptr<KyChange>> changes;
    const std::vector<std::function<void()>> edits = {
        [&] { edit.chooseSequence(1, 2); },   [&] { edit.setZoneSpeed(0, 40); }, [&] { edit.setActive(0, false); },
        [&] { edit.setMusic(1, true); },      [&] { edit.setPulses(1, 3); },     [&] { edit.eraseZone(0); },
        [&] { edit.chooseSequence(0, 1); },
    };
    for (const auto& e : edits) {
        e();
        changes.push_back(edit.takeChange());
        ASSERT_NE(changes.back(), nullptr);
    }
    const vt::Bytes edited = (edit.save(), cuesToBytes(store));
    ASSERT_NE(edited, original);
    for (auto c = changes.rbegin(); c != changes.rend(); ++c)
        ASSERT_TRUE((*c)->undo());
    EXPECT_EQ((edit.save(), cuesToBytes(store)), original);
    EXPECT_EQ(edit.takeChange(), nullptr) << "an undo is no new edit";
    for (const auto& change : changes)
        ASSERT_TRUE(change->redo());
    EXPECT_EQ((edit.save(), cuesToBytes(store)), edited);
}

TEST_F(CueEditTest, AZoneChangeWhoseSequenceWasErasedIsRefused)
{
    edit.open();
    edit.chooseSequence(0, 1);
    const auto chosen = edit.takeChange();
    edit.setZoneSpeed(0, 30);
    const auto faster = edit.takeChange();
    // Erased through the sequence editor: the zone is released from it.
    store.eraseSequence(1);
    edit.rereadZones();
    edit.mark();
    // The speed would go back onto a sequence no longer stored.
    EXPECT_FALSE(faster->undo());
    EXPECT_EQ(live.zoneEngine(0).speed, 30);
    // Taking the choice back empties the zone; choosing the erased sequence again is refused.
    EXPECT_TRUE(chosen->undo());
    EXPECT_EQ(live.zoneEngine(0).sequence->id, 0);
    EXPECT_FALSE(chosen->redo());
    EXPECT_EQ(live.zoneEngine(0).sequence->id, 0);
}
