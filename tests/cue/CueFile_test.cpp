#include "cue/CueFile.h"
#include "sequence/CueGlobals.h"
#include "sequence/SequenceFile.h"

#include <gtest/gtest.h>

namespace {

class CueFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cueGlobals() = KyCueGlobals{};
        for (int i = 0; i < 3; ++i) {
            KySequence seq;
            seq.name = "s" + std::to_string(i);
            store.addSequence(seq);
        }
    }
    void TearDown() override { cueGlobals() = KyCueGlobals{}; }
    KySeque store;
};

vt::Bytes withMagic(const vt::ByteWriter& body)
{
    vt::Bytes bytes = {'v', 't', '2', ' ', 'c', 'u', 'e', 0};
    bytes.insert(bytes.end(), body.data().begin(), body.data().end());
    return bytes;
}

void zoneRecord(vt::ByteWriter& w, bool versioned, int sequenceId, int speed)
{
    if (versioned)
        w.i32(1);
    w.i32(sequenceId);
    w.i32(speed);
    w.i32(2);
    w.u8(1);
    w.u8(1);
}

} // namespace

TEST_F(CueFileTest, EmptyStoreAndEmptyNameCueSizes)
{
    KySeque empty;
    EXPECT_EQ(cuesToBytes(empty).size(), 20u);
    vt::Bytes expected = {'v', 't', '2', ' ', 'c', 'u', 'e', 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(cuesToBytes(empty), expected);
    KyCue cue;
    store.addCue(cue);
    store.addCue(cue);
    EXPECT_EQ(cuesToBytes(store).size(), 20u + 2 * 216u);
}

TEST_F(CueFileTest, RoundTripKeepsZonesSpeedsAndGeneratorValues)
{
    KyCue cue;
    cue.zoneEngine(0) = KySeqEngine(store.sharedSequenceAt(0));
    cue.zoneEngine(0).speed = 20;
    cue.zoneEngine(1) = KySeqEngine(store.sharedSequenceAt(1));
    cue.zoneEngine(1).active = false;
    cue.zoneEngine(2) = KySeqEngine(store.sharedSequenceAt(2));
    cue.zoneEngine(2).speed = -40;
    cue.zoneEngine(2).music = true;
    cue.zoneEngine(2).beatsPerStep = 8;
    cue.speed = 35;
    cue.generatorSpeed = 2.4921875;
    cue.generatorAmplitude = 0.3;
    cue.name = "wejście";
    cue.stop();
    store.addCue(cue);
    store.nextCueId = 12;

    KySeque back;
    back.replaceSequences(store.sequences());
    ASSERT_EQ(cuesFromBytes(back, cuesToBytes(store)), vt::LoadStatus::Complete);
    EXPECT_EQ(back.nextCueId, 12);
    ASSERT_EQ(back.cueCount(), 1u);
    const KyCue& read = back.cueAt(0);
    EXPECT_EQ(read.id, 1);
    EXPECT_EQ(read.name, "wejście");
    EXPECT_EQ(read.speed, 35);
    EXPECT_EQ(read.generatorSpeed, 2.4921875);
    EXPECT_EQ(read.generatorAmplitude, 0.3);
    EXPECT_EQ(read.playState, KyCue::Playing);
    EXPECT_EQ(cueGlobals().generatorSpeed, 2.4921875); // the last cue read sets it
    for (int i = 0; i < KyCue::kZones; ++i) {
        const KySeqEngine& a = cue.zoneEngine(i);
        const KySeqEngine& b = read.zoneEngine(i);
        if (a.sequence->id != 0) {
            EXPECT_EQ(a.sequence, b.sequence) << i;
        }
        EXPECT_EQ(b.sequence->id, a.sequence->id) << i;
        EXPECT_EQ(a.speed, b.speed) << i;
        EXPECT_EQ(a.beatsPerStep, b.beatsPerStep) << i;
        EXPECT_EQ(a.active, b.active) << i;
        EXPECT_EQ(a.music, b.music) << i;
        EXPECT_FALSE(b.playing) << i;
        EXPECT_FALSE(b.sceneEnd) << i; // a new engine, not the stopped one
    }
    EXPECT_EQ(cuesToBytes(back), cuesToBytes(store));
}

TEST_F(CueFileTest, VersionOneHoldsGeneratorValuesInHundredths)
{
    vt::ByteWriter w;
    w.i32(1);
    w.i32(0);
    w.i32(1);
    w.i32(1); // cue version 1
    w.i32(5);
    w.i32(1);
    zoneRecord(w, true, 7, 10); // sequence 7 is not stored
    w.i32(50);
    w.i32(200);
    w.i32(-30);
    w.str("v1");
    KySeque back;
    back.replaceSequences(store.sequences());
    ASSERT_EQ(cuesFromBytes(back, withMagic(w)), vt::LoadStatus::Complete);
    const KyCue& cue = back.cueAt(0);
    EXPECT_EQ(cue.generatorAmplitude, 0.5);
    EXPECT_EQ(cue.generatorSpeed, 2.0);
    EXPECT_EQ(cue.speed, -30);
    EXPECT_EQ(cue.zoneEngine(0).sequence->id, 0);
    EXPECT_EQ(cue.zoneEngine(0).speed, 0);
    EXPECT_FALSE(cue.zoneEngine(0).music);
}

TEST_F(CueFileTest, OlderLayoutAndExtraZonesAreRead)
{
    vt::ByteWriter w;
    w.i32(4); // nextCueId
    w.i32(2);
    for (int id : {1, 2}) {
        w.i32(id);
        w.i32(12); // more zones than a cue has
        for (int z = 0; z < 12; ++z)
            zoneRecord(w, false, z == 11 ? 1 : 2, z);
        w.i32(5);
        w.str("old");
    }
    KySeque back;
    back.replaceSequences(store.sequences());
    ASSERT_EQ(cuesFromBytes(back, w.data()), vt::LoadStatus::Complete);
    EXPECT_EQ(back.nextCueId, 4);
    ASSERT_EQ(back.cueCount(), 2u);
    const KyCue& second = back.cueAt(1);
    EXPECT_EQ(second.id, 2);
    EXPECT_EQ(second.name, "old");
    EXPECT_EQ(second.generatorSpeed, 1.0);
    EXPECT_EQ(second.zoneEngine(9).sequence->id, 2);
    EXPECT_EQ(second.zoneEngine(9).speed, 9);
    EXPECT_EQ(second.zoneEngine(9).beatsPerStep, 2u);
    EXPECT_TRUE(second.zoneEngine(9).music);
}

TEST_F(CueFileTest, ACueCutShortIsNotStored)
{
    KyCue cue;
    cue.name = "pierwszy";
    store.addCue(cue);
    cue.name = "drugi";
    store.addCue(cue);
    const vt::Bytes whole = cuesToBytes(store);
    for (std::size_t cut : {whole.size() - 1, whole.size() - 100}) {
        KySeque back;
        vt::Bytes bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_EQ(cuesFromBytes(back, bytes), vt::LoadStatus::Incomplete);
        ASSERT_EQ(back.cueCount(), 1u);
        EXPECT_EQ(back.cueAt(0).name, "pierwszy");
    }
}

TEST_F(CueFileTest, CountersBelowStoredIdsAreRaisedSoNoIdIsHandedOutTwice)
{
    KyCue cue;
    store.addCue(cue);
    store.addCue(cue);
    // Counters damaged down to 1 while sequences 1-3 and cues 1-2 are in the files.
    store.nextSequenceId = 1;
    store.nextCueId = 1;
    KySeque reread;
    ASSERT_EQ(sequencesFromBytes(reread, sequencesToBytes(store)), vt::LoadStatus::Complete);
    ASSERT_EQ(cuesFromBytes(reread, cuesToBytes(store)), vt::LoadStatus::Complete);
    EXPECT_EQ(reread.nextSequenceId, 3);
    EXPECT_EQ(reread.nextCueId, 2);
}
