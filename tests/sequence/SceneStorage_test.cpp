// The scene's compact storage: records kept in ascending channel order whatever order the
// editors and files give them in, shapes shared between scenes and never changed under
// another scene, and engines that keep their fade's steps writing what the others write.

#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "functions/FunctionRig.h"
#include "functions/PanTilt.h"
#include "functions/SceneGenerators.h"
#include "sequence/SequenceEdit.h"
#include "sequence/SequenceFile.h"

#include <gtest/gtest.h>

namespace {

// sequences.vt2 as written from ordered maps of the records, the plainest way there is.
vt::Bytes writtenFromMaps(const KySeque& store)
{
    vt::ByteWriter out;
    out.raw("vt2 seq", 8);
    for (std::int32_t v : {1, store.nextSequenceId, std::int32_t(store.sequenceCount())})
        out.i32(v);
    for (const auto& seq : store.sequences()) {
        for (std::int32_t v : {1, seq->id, std::int32_t(seq->sceneCount())})
            out.i32(v);
        for (const KyScene& scene : seq->scenes) {
            const KyScene::ChannelMap channels = scene.channels();
            const KyScene::GeneratorMap generators = scene.generators();
            out.i32(2);
            out.i32(std::int32_t(channels.size()));
            for (const auto& [channel, s] : channels) {
                out.i32(channel);
                out.i32(2);
                out.u8(s.value);
                out.u8(s.kind);
                out.i32(s.fineChannel);
                out.u8(s.pairRole);
                out.i32(s.pairChannel);
            }
            out.u32(scene.sceneTime);
            out.i32(std::int32_t(generators.size()));
            for (const auto& [channel, g] : generators) {
                out.i32(channel);
                writeGenerator(out, g);
            }
        }
        out.boolean(seq->fade);
        out.str(seq->name);
    }
    return out.take();
}

// A scene record's bytes in the current layout, from (channel, value, kind) triples and
// generator channels, in the order given.
vt::Bytes sceneRecord(std::initializer_list<std::array<int, 3>> channels, std::initializer_list<int> generators)
{
    vt::ByteWriter out;
    out.i32(2);
    out.i32(std::int32_t(channels.size()));
    for (const auto& [channel, value, kind] : channels) {
        out.i32(channel);
        out.i32(2);
        out.u8(std::uint8_t(value));
        out.u8(std::uint8_t(kind));
        out.i32(kind == 2 ? channel + 1 : 0);
        out.u8(0);
        out.i32(0);
    }
    out.u32(20);
    out.i32(std::int32_t(generators.size()));
    for (int channel : generators) {
        KyGenerator g;
        g.amplitude = channel;
        out.i32(channel);
        writeGenerator(out, g);
    }
    return out.take();
}

// A file of one sequence (id 1) holding the given scene records.
vt::Bytes fileOf(std::initializer_list<vt::Bytes> scenes)
{
    vt::ByteWriter out;
    out.raw("vt2 seq", 8);
    for (std::int32_t v : {1, 1, 1, 1, 1, std::int32_t(scenes.size())})
        out.i32(v);
    for (const auto& scene : scenes)
        out.raw(scene.data(), scene.size());
    out.boolean(false);
    out.str("s");
    return out.take();
}

} // namespace

TEST(SceneStorage, ASceneEditedThroughTheEditorsKeepsTheFilesByteOrder)
{
    FunctionRig rig;
    auto head = rig.install(rig.addType(headType(true, 1, 3)), 41); // pan 40/41, tilt 42/43
    rig.select({0});
    KySeque store;
    KySequenceEdit edit(rig.dmx, store);
    edit.open();
    // Channels come in out of order, in the middle and at both ends of what is there.
    rig.dmx.setManual(300, 9);
    rig.dmx.setManual(5, 7);
    rig.dmx.setManual(100, 1);
    ASSERT_TRUE(edit.addScene());
    writePad(rig.dmx, rig.icons.selectedDevices(), {0x1234, 0xABCD});
    switchGenerators(rig.dmx, rig.icons.selectedDevices(), true);
    setPhaseModifiers(rig.dmx, rig.icons.selectedDevices(), 45);
    rig.dmx.setManual16(200, 201, 0x0102);
    rig.dmx.setManual(6, 3);
    ASSERT_TRUE(edit.addScene());
    rig.dmx.releaseChannel(5);
    rig.dmx.setManual(2, 250);
    rig.dmx.setManual(300, 10); // a value of its own in this scene, the rest stays
    edit.saveAs("Ruch");

    const KyScene& last = store.sequenceAt(0).sceneAt(2);
    std::vector<std::int32_t> order;
    last.forEachEntry([&](std::int32_t channel, const KyChStatus&) { order.push_back(channel); });
    EXPECT_EQ(order, (std::vector<std::int32_t>{2, 6, 40, 41, 42, 43, 100, 200, 201, 300}));
    EXPECT_EQ(last.statusOf(40), (KyChStatus{0x12, 2, 1, 41, 42}));
    EXPECT_EQ(last.generators().size(), order.size());
    EXPECT_TRUE(last.generatorFor(42).enabled);

    const vt::Bytes bytes = sequencesToBytes(store);
    EXPECT_EQ(bytes, writtenFromMaps(store));
    KySeque again;
    ASSERT_EQ(sequencesFromBytes(again, bytes), vt::LoadStatus::Complete);
    EXPECT_EQ(sequencesToBytes(again), bytes);
}

TEST(SceneStorage, FilesReadAsOrderedMapsOfTheirEntries)
{
    // Entries out of order, a repeated channel (the last record counts), a generator entry
    // without its channel and a channel without its generator entry.
    const vt::Bytes file = fileOf({sceneRecord({{9, 1, 0}, {3, 2, 0}, {9, 5, 0}, {7, 4, 2}}, {9, 3, 3, 50, 8})});
    KySeque store;
    ASSERT_EQ(sequencesFromBytes(store, file), vt::LoadStatus::Complete);
    const KyScene& scene = store.sequenceAt(0).sceneAt(0);
    EXPECT_EQ(KyScene::ChannelMap(scene.channels()),
              (KyScene::ChannelMap{{3, {2, 0, 0, 0, 0}}, {7, {4, 2, 0, 8, 0}}, {9, {5, 0, 0, 0, 0}}}));
    std::vector<std::pair<std::int32_t, std::int32_t>> generators;
    for (const auto& [channel, g] : scene.generators())
        generators.emplace_back(channel, g.amplitude);
    EXPECT_EQ(generators, (std::vector<std::pair<std::int32_t, std::int32_t>>{{3, 3}, {8, 8}, {9, 9}, {50, 50}}));
    EXPECT_EQ(&scene.generatorFor(7), &KyScene{}.generatorFor(7)); // no entry of its own

    // Written back in ascending order, entries and generator entries each as they are.
    const vt::Bytes expected =
        fileOf({sceneRecord({{3, 2, 0}, {7, 4, 2}, {9, 5, 0}}, {3, 8, 9, 50})});
    EXPECT_EQ(sequencesToBytes(store), expected);

    // Recording the channel that had only a generator entry takes that entry as its own.
    KyScene edited = scene;
    edited.setStatus(8, KyChStatus{11, 0, 0, 0, 0});
    EXPECT_EQ(edited.generatorFor(8).amplitude, 8);
    EXPECT_EQ(edited.generators().size(), 4u);
    edited.setStatus(7, KyChStatus{4, 2, 0, 8, 0});
    EXPECT_EQ(edited.generators().size(), 5u);
    EXPECT_EQ(edited.generatorFor(7).amplitude, 128);
    edited.removeChannel(50);
    EXPECT_EQ(edited.generators().count(50), 0u);
}

TEST(SceneStorage, ScenesOfOneShapeShareItAndAnEditLeavesTheOthersAlone)
{
    const vt::Bytes scene = sceneRecord({{1, 10, 0}, {4, 20, 2}, {5, 30, 1}}, {1, 4, 5});
    KySeque store;
    ASSERT_EQ(sequencesFromBytes(store, fileOf({scene, scene, sceneRecord({{1, 10, 0}}, {1})})),
              vt::LoadStatus::Complete);
    KySequence& seq = store.sequenceAt(0);
    EXPECT_EQ(seq.sceneAt(0).sharedShape(), seq.sceneAt(1).sharedShape());
    EXPECT_NE(seq.sceneAt(1).sharedShape(), seq.sceneAt(2).sharedShape());

    seq.sceneAt(0).setStatus(1, KyChStatus{99, 0, 0, 0, 0}); // a value alone keeps the shape
    EXPECT_EQ(seq.sceneAt(0).sharedShape(), seq.sceneAt(1).sharedShape());
    seq.sceneAt(0).setStatus(4, KyChStatus{20, 2, 1, 5, 4}); // a pair role makes a new one
    EXPECT_NE(seq.sceneAt(0).sharedShape(), seq.sceneAt(1).sharedShape());
    seq.sceneAt(0).generatorFor(4).enabled = 1;
    EXPECT_EQ(seq.sceneAt(0).pairCount(), 1u);

    const KyScene& untouched = seq.sceneAt(1);
    EXPECT_EQ(untouched.statusOf(1).value, 10);
    EXPECT_EQ(untouched.statusOf(4), (KyChStatus{20, 2, 0, 5, 0}));
    EXPECT_EQ(untouched.pairCount(), 0u);
    EXPECT_FALSE(untouched.generatorFor(4).enabled);
}

TEST(SceneStorage, AppendedScenesOfTheSameChannelsShareAShape)
{
    KyScene first, second, other;
    first.setStatus(3, KyChStatus{10, 0, 0, 0, 0});
    second.setStatus(3, KyChStatus{20, 0, 0, 0, 0});
    other.setStatus(4, KyChStatus{20, 0, 0, 0, 0});
    KySequence seq;
    for (const KyScene* s : {&first, &second, &other})
        seq.appendScene(*s);
    EXPECT_EQ(seq.sceneAt(0).sharedShape(), seq.sceneAt(1).sharedShape());
    EXPECT_NE(seq.sceneAt(1).sharedShape(), seq.sceneAt(2).sharedShape());
    EXPECT_EQ(seq.sceneAt(1).statusOf(3).value, 20);
}

TEST(SceneStorage, EnginesKeepingTheirFadeStepsWriteWhatTheOthersWrite)
{
    // Two engines on one sequence: the live cue's first zone, which keeps its steps between
    // ticks, and a copy of it, which makes them at every tick. Edits of either scene and
    // speed changes in the middle of a fade must reach both alike.
    auto seq = std::make_shared<KySequence>();
    seq->fade = true;
    for (int i = 0; i < 3; ++i) {
        KyScene s;
        s.setStatus(10, KyChStatus{std::uint8_t(40 * i), 2, 0, 11, 0});
        s.setStatus(11, KyChStatus{std::uint8_t(90 * i), 1, 0, 0, 0});
        for (int channel = 20; channel < 60; ++channel)
            s.setStatus(channel, KyChStatus{std::uint8_t(channel * (i + 1)), 0, 0, 0, 0});
        s.sceneTime = 8;
        seq->appendScene(s);
    }
    KyDmxSpace kept, made;
    KySeqEngine& keeping = kept.liveCue().zoneEngine(0);
    keeping = KySeqEngine(seq);
    KySeqEngine making = keeping;
    keeping.play();
    making.play();
    for (int t = 0; t < 60; ++t) {
        if (t == 5)
            seq->sceneAt(1).setStatus(30, KyChStatus{255, 0, 0, 0, 0}); // the next scene
        if (t == 12)
            seq->sceneAt(1).setStatus(11, KyChStatus{7, 1, 0, 0, 0}); // the current one's fine byte
        if (t == 20)
            keeping.speed = making.speed = -60;
        if (t == 33)
            seq->sceneAt(2).removeChannel(25);
        kept.keepHeldOnly();
        made.keepHeldOnly();
        keeping.step(kept, false, false);
        making.step(made, false, false);
        ASSERT_EQ(kept.data(), made.data()) << "tick " << t;
    }
}
