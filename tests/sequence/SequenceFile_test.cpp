#include "cue/Seque.h"
#include "sequence/SequenceFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A 16-bit pan/tilt head at 10-13 (pan coarse, pan fine, tilt coarse, tilt fine) and a
// dimmer at 20, with the pan generator switched on.
KyScene panTiltScene(std::uint8_t pan, std::uint32_t time)
{
    KyScene s;
    s.setStatus(10, KyChStatus{pan, 2, 1, 11, 12});
    s.setStatus(11, KyChStatus{0x80, 1, 1, 0, 12});
    s.setStatus(12, KyChStatus{0x40, 2, 2, 13, 12});
    s.setStatus(13, KyChStatus{0x01, 1, 2, 0, 12});
    s.setStatus(20, KyChStatus{255, 0, 0, 0, 0});
    s.generatorFor(10).enabled = 1;
    s.generatorFor(10).phaseModifier = 90;
    s.generatorFor(12).phaseFlip = 1;
    s.sceneTime = time;
    return s;
}

void expectSameScenes(const KySequence& a, const KySequence& b)
{
    ASSERT_EQ(a.scenes.size(), b.scenes.size());
    for (std::size_t i = 0; i < a.scenes.size(); ++i) {
        const KyScene& x = a.scenes[i];
        const KyScene& y = b.scenes[i];
        EXPECT_EQ(x.channels(), y.channels());
        EXPECT_EQ(x.sceneTime, y.sceneTime);
        ASSERT_EQ(x.generators().size(), y.generators().size());
        for (auto [it, jt] = std::pair(x.generators().begin(), y.generators().begin()); it != x.generators().end();
             ++it, ++jt) {
            EXPECT_EQ(it->first, jt->first);
            EXPECT_TRUE(it->second.sameStoredFields(jt->second));
        }
    }
}

vt::Bytes magic()
{
    return {'v', 't', '2', ' ', 's', 'e', 'q', 0};
}

} // namespace

TEST(SequenceFile, EmptyStoreIsTwentyBytes)
{
    KySeque store;
    vt::Bytes expected = magic();
    expected.insert(expected.end(), {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(sequencesToBytes(store), expected);
}

TEST(SequenceFile, OneSceneOneChannelSequenceIsNinetyBytesInFieldOrder)
{
    KySeque store;
    KySequence seq;
    KyScene scene;
    scene.setStatus(5, KyChStatus{100, 0, 0, 0, 0});
    seq.appendScene(scene);
    seq.name = "ab";
    seq.fade = true;
    store.addSequence(seq);

    vt::ByteWriter w;
    w.i32(1);   // sequence version
    w.i32(1);   // id
    w.i32(1);   // scenes
    w.i32(2);   // scene version
    w.i32(1);   // channels
    w.i32(5);
    w.i32(2);   // channel record version
    w.u8(100);  // value
    w.u8(0);    // kind
    w.i32(0);   // fineChannel
    w.u8(0);    // pairRole
    w.i32(0);   // pairChannel
    w.u32(20);  // sceneTime
    w.i32(1);   // generators
    w.i32(5);
    writeGenerator(w, KyGenerator{});
    w.u8(1);    // fade
    w.str("ab");
    ASSERT_EQ(w.data().size(), 90u);

    vt::Bytes expected = magic();
    expected.insert(expected.end(), {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0});
    expected.insert(expected.end(), w.data().begin(), w.data().end());
    EXPECT_EQ(sequencesToBytes(store), expected);
}

TEST(SequenceFile, RoundTripOfPanTiltScenesKeepsEverything)
{
    KySeque store;
    KySequence moving;
    moving.name = "ruch";
    moving.fade = true;
    moving.appendScene(panTiltScene(0x10, 40));
    moving.appendScene(panTiltScene(0xF0, 60000));
    store.addSequence(moving);
    store.addSequence(KySequence{}); // no scenes, empty name
    store.addSequence(moving);
    store.eraseSequence(0);
    store.nextSequenceId = 9;

    KySeque back;
    ASSERT_EQ(sequencesFromBytes(back, sequencesToBytes(store)), vt::LoadStatus::Complete);
    EXPECT_EQ(back.nextSequenceId, 9);
    ASSERT_EQ(back.sequenceCount(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(back.sequenceAt(i).id, store.sequenceAt(i).id);
        EXPECT_EQ(back.sequenceAt(i).name, store.sequenceAt(i).name);
        EXPECT_EQ(back.sequenceAt(i).fade, store.sequenceAt(i).fade);
        expectSameScenes(back.sequenceAt(i), store.sequenceAt(i));
    }
    EXPECT_EQ(sequencesToBytes(back), sequencesToBytes(store));
}

TEST(SequenceFile, OlderLayoutIsReadCompletely)
{
    vt::ByteWriter w;
    w.i32(3); // nextSequenceId
    w.i32(2); // count
    for (int id : {3, 0}) {
        w.i32(id);
        w.i32(1); // one scene
        w.i32(2); // two channels
        w.i32(7);
        w.u8(200);
        w.u8(2);
        w.i32(8);
        w.i32(8);
        w.u8(17);
        w.u8(1);
        w.i32(0);
        w.u32(33);
        w.u8(0);
        w.str("old");
    }
    KySeque store;
    ASSERT_EQ(sequencesFromBytes(store, w.data()), vt::LoadStatus::Complete);
    EXPECT_EQ(store.nextSequenceId, 3);
    ASSERT_EQ(store.sequenceCount(), 1u); // id 0 is dropped
    KySequence& seq = store.sequenceAt(0);
    EXPECT_EQ(seq.id, 3);
    EXPECT_EQ(seq.name, "old");
    KyScene& scene = seq.sceneAt(0);
    EXPECT_EQ(scene.sceneTime, 33u);
    EXPECT_EQ(scene.statusOf(7), (KyChStatus{200, 2, 0, 8, 0}));
    EXPECT_EQ(scene.statusOf(8), (KyChStatus{17, 1, 0, 0, 0}));
    EXPECT_TRUE(scene.generators().empty());
    EXPECT_EQ(&scene.generatorFor(7), &KyScene{}.generatorFor(7));
}

TEST(SequenceFile, VersionOneRecordsInTheCurrentLayout)
{
    vt::ByteWriter w;
    w.raw("vt2 seq", 8);
    w.i32(1);
    w.i32(1);
    w.i32(1);
    w.i32(1);  // sequence version
    w.i32(1);  // id
    w.i32(1);  // scenes
    w.i32(1);  // scene version 1: no generator entries
    w.i32(1);
    w.i32(4);
    w.i32(1);  // channel record version 1: no pair fields
    w.u8(9);
    w.u8(0);
    w.i32(0);
    w.u32(20);
    w.u8(1);
    w.str("");
    KySeque store;
    ASSERT_EQ(sequencesFromBytes(store, w.data()), vt::LoadStatus::Complete);
    ASSERT_EQ(store.sequenceCount(), 1u);
    EXPECT_EQ(store.sequenceAt(0).sceneAt(0).statusOf(4), (KyChStatus{9, 0, 0, 0, 0}));
    EXPECT_TRUE(store.sequenceAt(0).fade);
}

TEST(SequenceFile, MagicWithANonZeroEighthByteIsTheOlderLayout)
{
    vt::Bytes bytes = magic();
    bytes[7] = 1;
    bytes.insert(bytes.end(), {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    KySeque store;
    // Read from byte 0: the counter is "vt2 " and the count "seq\x01", far beyond the data.
    EXPECT_EQ(sequencesFromBytes(store, bytes), vt::LoadStatus::Incomplete);
    EXPECT_EQ(store.nextSequenceId, 0x20327476);
    EXPECT_EQ(store.sequenceCount(), 0u);
}

TEST(SequenceFile, ASequenceCutShortIsNotStored)
{
    KySeque store;
    KySequence seq;
    seq.appendScene(panTiltScene(1, 20));
    seq.name = "first";
    store.addSequence(seq);
    seq.name = "second";
    store.addSequence(seq);
    const vt::Bytes whole = sequencesToBytes(store);
    for (std::size_t cut : {whole.size() - 1, whole.size() - 40, whole.size() / 2 + 10}) {
        KySeque back;
        vt::Bytes bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_EQ(sequencesFromBytes(back, bytes), vt::LoadStatus::Incomplete) << cut;
        ASSERT_EQ(back.sequenceCount(), 1u) << cut;
        EXPECT_EQ(back.sequenceAt(0).name, "first");
    }
}

TEST(SequenceFile, UnknownGeneratorVersionMarksTheFileDamaged)
{
    KySeque store;
    KySequence seq;
    KyScene scene;
    scene.setStatus(1, KyChStatus{});
    seq.appendScene(scene);
    store.addSequence(seq);
    vt::Bytes bytes = sequencesToBytes(store);
    bytes[bytes.size() - 4 - 1 - 32] = 9; // the generator record's version
    KySeque back;
    EXPECT_EQ(sequencesFromBytes(back, bytes), vt::LoadStatus::Incomplete);
    EXPECT_EQ(back.sequenceCount(), 0u);
}

TEST(SequenceFile, MissingFileEmptiesTheListAndKeepsTheCounter)
{
    auto path = std::filesystem::temp_directory_path() / ("vt-seq-" + std::to_string(::getpid()));
    std::filesystem::remove(path);
    KySeque store;
    store.addSequence(KySequence{});
    EXPECT_EQ(loadSequences(store, path.string()), vt::LoadStatus::Missing);
    EXPECT_EQ(store.sequenceCount(), 0u);
    EXPECT_EQ(store.nextSequenceId, 1);

    store.addSequence(KySequence{});
    ASSERT_TRUE(saveSequences(store, path.string()));
    KySeque back;
    EXPECT_EQ(loadSequences(back, path.string()), vt::LoadStatus::Complete);
    EXPECT_EQ(back.sequenceCount(), 1u);
    std::filesystem::remove(path);
}

// The scenes of a file are read into one arena; an editor's copy of a sequence is on the heap
// and outlives the store, and a sequence still held (as a cue's engine holds it) keeps the
// arena until it is let go.
TEST(SequenceFile, ScenesOfAFileLiveInOneArenaThatGoesWithTheirSequences)
{
    KySeque written;
    for (std::uint8_t n : {1, 2}) {
        KySequence seq;
        seq.scenes = {panTiltScene(n, 10), panTiltScene(std::uint8_t(n + 100), 20)};
        written.addSequence(seq);
    }
    const vt::Bytes bytes = sequencesToBytes(written);
    const std::size_t before = vt::BulkArena::liveCount();
    KySequence copy;
    std::shared_ptr<KySequence> held;
    {
        KySeque loaded;
        ASSERT_EQ(sequencesFromBytes(loaded, bytes), vt::LoadStatus::Complete);
        EXPECT_EQ(vt::BulkArena::liveCount(), before + 1);
        const auto arena = loaded.sequenceAt(0).scenes.get_allocator().arena();
        ASSERT_TRUE(arena);
        for (const auto& seq : loaded.sequences())
            for (const KyScene& scene : seq->scenes) {
                EXPECT_TRUE(arena->contains(&scene));
                EXPECT_TRUE(arena->contains(scene.values().data()));
                EXPECT_TRUE(arena->contains(&scene.generatorFor(10)));
            }
        copy = loaded.sequenceAt(0);
        EXPECT_FALSE(arena->contains(copy.scenes.data()));
        EXPECT_FALSE(arena->contains(copy.scenes[1].values().data()));
        EXPECT_FALSE(arena->contains(&copy.scenes[1].generatorFor(10)));
        held = loaded.sharedSequenceAt(1);
    }
    EXPECT_EQ(vt::BulkArena::liveCount(), before + 1);
    expectSameScenes(*held, *written.sharedSequenceAt(1));
    held.reset();
    EXPECT_EQ(vt::BulkArena::liveCount(), before);
    expectSameScenes(copy, *written.sharedSequenceAt(0));
}
