#include "cue/Seque.h"

#include <gtest/gtest.h>

TEST(Scene, SetStatusKeepsAnExistingGeneratorEntryAndAddsADefaultOne)
{
    KyScene scene;
    scene.setStatus(4, KyChStatus{10, 0, 0, 0, 0});
    scene.generatorFor(4).amplitude = 33;
    scene.setStatus(4, KyChStatus{20, 0, 0, 0, 0});
    scene.setStatus(9, KyChStatus{1, 0, 0, 0, 0});
    EXPECT_EQ(scene.statusOf(4).value, 20);
    EXPECT_EQ(scene.generatorFor(4).amplitude, 33);
    EXPECT_EQ(scene.generatorFor(9).amplitude, 128);
    ASSERT_EQ(scene.generators().size(), scene.channels().size());

    scene.removeChannel(4);
    EXPECT_FALSE(scene.hasChannel(4));
    EXPECT_EQ(scene.generators().count(4), 0u);
    EXPECT_EQ(scene.entryCount(), 1u);
    EXPECT_EQ(scene.entryAt(0), (std::pair<std::int32_t, KyChStatus>{9, KyChStatus{1, 0, 0, 0, 0}}));
}

TEST(Scene, AbsentChannelsReadAsZeroAndShareOneDefaultGenerator)
{
    KyScene a, b;
    EXPECT_EQ(a.statusOf(3), KyChStatus{});
    KyGenerator& first = a.generatorFor(3);
    EXPECT_EQ(&first, &b.generatorFor(77));
    EXPECT_EQ(first.amplitude, 128);
}

TEST(Scene, EnginePairsFollowEditsAndCopies)
{
    // A 16-bit pan/tilt pair: pan 0/1, tilt 2/3.
    KyScene scene;
    scene.setStatus(0, KyChStatus{0x12, 2, 1, 1, 2});
    scene.setStatus(2, KyChStatus{0x56, 2, 2, 3, 2});
    scene.setStatus(1, KyChStatus{0x34, 1, 1, 0, 2});
    scene.setStatus(3, KyChStatus{0x78, 1, 2, 0, 2});
    ASSERT_EQ(scene.entryCount(), 4u);
    EXPECT_EQ(scene.shape().finePosition[0], 1u); // the fine byte recorded after its coarse one
    ASSERT_EQ(scene.pairCount(), 1u);
    const auto pair = scene.pairAt(0);
    EXPECT_EQ(pair.pan, 0);
    EXPECT_EQ(pair.panFine, 1);
    EXPECT_EQ(pair.tilt, 2);
    EXPECT_EQ(pair.tiltFine, 3);
    EXPECT_TRUE(pair.wide);
    EXPECT_EQ(pair.panGenerator, &scene.generatorFor(0));
    EXPECT_EQ(pair.tiltGenerator, &scene.generatorFor(2));

    // A copy's pairs point at the copy's own generator records, also after the vector
    // holding it grows.
    KySequence seq;
    for (int i = 0; i < 20; ++i)
        seq.appendScene(scene);
    for (auto& s : seq.scenes) {
        EXPECT_EQ(s.pairAt(0).panGenerator, &s.generatorFor(0));
        EXPECT_EQ(s.pairAt(0).tiltGenerator, &s.generatorFor(2));
    }
    KyScene assigned;
    assigned = scene;
    EXPECT_EQ(assigned.pairAt(0).panGenerator, &assigned.generatorFor(0));
    EXPECT_NE(assigned.revision(), scene.revision());

    // A move keeps the records where they are; the scene left behind is empty and no
    // longer passes for the moved one.
    const std::uint64_t revision = assigned.revision();
    const KyGenerator* panRecord = &assigned.generatorFor(0);
    KyScene moved = std::move(assigned);
    EXPECT_EQ(moved.pairAt(0).panGenerator, panRecord);
    EXPECT_EQ(moved.revision(), revision);
    EXPECT_NE(assigned.revision(), revision);
    EXPECT_EQ(assigned.entryCount(), 0u);

    const std::uint64_t before = scene.revision();
    scene.removeChannel(0);
    EXPECT_EQ(scene.pairCount(), 0u);
    EXPECT_NE(scene.revision(), before);
}

TEST(Sequence, ResetAndSceneTimesReachEveryScene)
{
    KySequence seq;
    KyScene scene;
    scene.setStatus(5, KyChStatus{});
    seq.appendScene(scene);
    seq.appendScene(scene);
    seq.sceneAt(1).generatorFor(5).angle = 2.0;
    seq.sceneAt(1).generatorFor(5).lastAngle = 2.0;
    seq.resetGenerators();
    EXPECT_EQ(seq.sceneAt(1).generatorFor(5).angle, 0.0);
    EXPECT_EQ(seq.sceneAt(1).generatorFor(5).lastAngle, 0.0);
    seq.setAllSceneTimes(7);
    EXPECT_EQ(seq.sceneAt(0).sceneTime, 7u);
    seq.removeChannelEverywhere(5);
    EXPECT_FALSE(seq.sceneAt(1).hasChannel(5));
}

TEST(SequenceStore, IdsAreNeverHandedOutTwice)
{
    KySeque store;
    KySequence working;
    working.id = 42;
    working.name = "w";
    store.addSequence(working);
    store.addSequence(working);
    EXPECT_EQ(working.id, 42);
    EXPECT_EQ(store.sequenceAt(0).id, 1);
    EXPECT_EQ(store.sequenceAt(1).id, 2);
    EXPECT_EQ(store.sequenceAt(1).name, "w");

    store.addSequence(working);
    store.eraseSequence(1);
    store.addSequence(working);
    EXPECT_EQ(store.sequenceAt(2).id, 4);
    EXPECT_EQ(store.findSequence(2), nullptr);
    EXPECT_EQ(store.findSequence(3), store.sharedSequenceAt(1).get());
    EXPECT_EQ(store.findSharedSequence(4), store.sharedSequenceAt(2));
}

TEST(SequenceStore, ErasingASequenceEmptiesTheZonesOfStoredCues)
{
    KySeque store;
    store.addSequence(KySequence{});
    store.addSequence(KySequence{});
    KyCue cue;
    cue.zoneEngine(0) = KySeqEngine(store.sharedSequenceAt(0));
    cue.zoneEngine(0).speed = 30;
    cue.zoneEngine(1) = KySeqEngine(store.sharedSequenceAt(1));
    store.addCue(cue);

    auto erased = store.sharedSequenceAt(0);
    store.eraseSequence(0);
    const KySeqEngine& zone1 = store.cueAt(0).zoneEngine(0);
    EXPECT_NE(zone1.sequence, erased);
    EXPECT_EQ(zone1.sequence->id, 0);
    EXPECT_EQ(zone1.speed, 0);
    EXPECT_EQ(store.cueAt(0).zoneEngine(1).sequence, store.sharedSequenceAt(0));
}

TEST(SequenceStore, SortsByNameIgnoringCase)
{
    KySeque store;
    for (const char* name : {"beta", "Alfa", "gamma"}) {
        KySequence s;
        s.name = name;
        store.addSequence(s);
    }
    store.sortSequences();
    EXPECT_EQ(store.sequenceAt(0).name, "Alfa");
    EXPECT_EQ(store.sequenceAt(1).name, "beta");
    EXPECT_EQ(store.sequenceAt(2).name, "gamma");
}
