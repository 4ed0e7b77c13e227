// The sequence editor's work on the show without its window: the working copy, its scenes
// and times, the stored sequences and the editor's playback step.

#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "sequence/SequenceEdit.h"

#include <gtest/gtest.h>

namespace {

struct EditRig {
    KyDmxSpace dmx;
    KySeque store;
    KySequenceEdit edit{dmx, store};

    EditRig() { edit.open(); }

    KySequence& working() { return *dmx.editedSequence(); }
    // Records a value into the current scene, as a function window would.
    void record(int channel, std::uint8_t value) { dmx.setManual(channel, value); }
    // A working copy of `scenes` scenes, each `time` ticks long.
    void scenes(std::size_t count, std::uint32_t time = 20)
    {
        KyScene scene;
        scene.sceneTime = time;
        working().scenes.assign(count, scene);
    }
};

std::vector<std::uint32_t> timesOf(const KySequence& sequence)
{
    std::vector<std::uint32_t> times;
    for (const KyScene& scene : sequence.scenes)
        times.push_back(scene.sceneTime);
    return times;
}

} // namespace

TEST(SequenceEdit, OpeningRecordsIntoAFreshOneSecondSceneAndClosingSortsTheStore)
{
    EditRig rig;
    rig.store.addSequence([] { KySequence s; s.name = "beta"; return s; }());
    rig.store.addSequence([] { KySequence s; s.name = "Alfa"; return s; }());
    rig.working().name = "old";
    rig.dmx.currentScene = 4;
    rig.edit.open();
    EXPECT_TRUE(rig.dmx.recordingMode);
    EXPECT_TRUE(rig.edit.isNew());
    EXPECT_EQ(rig.edit.currentScene(), 0);
    EXPECT_EQ(rig.working().id, 0);
    EXPECT_EQ(rig.working().name, "");
    EXPECT_EQ(timesOf(rig.working()), std::vector<std::uint32_t>{20});
    EXPECT_EQ(rig.working().sceneAt(0).entryCount(), 0u);

    rig.edit.startPreview();
    rig.dmx.currentScene = 0;
    rig.edit.close();
    EXPECT_FALSE(rig.dmx.recordingMode);
    EXPECT_FALSE(rig.edit.previewPlaying());
    EXPECT_EQ(rig.store.sequenceAt(0).name, "Alfa");
    // Writes after closing hold the channel instead of recording it.
    rig.record(3, 9);
    EXPECT_TRUE(rig.dmx.isHeld(3));
    EXPECT_FALSE(rig.working().sceneAt(0).hasChannel(3));
}

TEST(SequenceEdit, ScenesWrapAddCopiesAndEraseKeepsOne)
{
    EditRig rig;
    rig.record(10, 200);
    rig.working().sceneAt(0).sceneTime = 7;
    ASSERT_TRUE(rig.edit.addScene());
    EXPECT_EQ(rig.edit.currentScene(), 1);
    EXPECT_EQ(rig.working().sceneAt(1).statusOf(10).value, 200); // a copy of the look
    EXPECT_EQ(rig.working().sceneAt(1).sceneTime, 7u);
    rig.edit.addScene();
    rig.record(10, 50); // into the third scene only

    rig.edit.nextScene();
    EXPECT_EQ(rig.edit.currentScene(), 0);
    rig.edit.previousScene();
    EXPECT_EQ(rig.edit.currentScene(), 2);
    rig.edit.previousScene();
    EXPECT_EQ(rig.edit.currentScene(), 1);

    // Erasing the last scene moves to the new last one; a middle one keeps the index.
    rig.dmx.currentScene = 2;
    ASSERT_TRUE(rig.edit.eraseScene());
    EXPECT_EQ(rig.edit.currentScene(), 1);
    rig.dmx.currentScene = 0;
    ASSERT_TRUE(rig.edit.eraseScene());
    EXPECT_EQ(rig.edit.currentScene(), 0);
    ASSERT_EQ(rig.working().sceneCount(), 1u);
    EXPECT_FALSE(rig.edit.eraseScene());
    EXPECT_EQ(rig.working().sceneCount(), 1u);

    rig.scenes(KySequenceEdit::kMaxScenes);
    EXPECT_FALSE(rig.edit.addScene());
    EXPECT_EQ(rig.working().sceneCount(), 255u);

    // A working copy without scenes starts again from a new one-second scene.
    rig.working().scenes.clear();
    rig.edit.previousScene();
    EXPECT_EQ(rig.edit.currentScene(), 0);
    ASSERT_TRUE(rig.edit.addScene());
    EXPECT_EQ(timesOf(rig.working()), std::vector<std::uint32_t>{20});
}

TEST(SequenceEdit, TimeStepsStayInsideTheLimits)
{
    struct Case {
        std::uint32_t time, step;
        bool up;
        std::uint32_t expected; // the time unchanged when refused
    };
    constexpr auto min = KySequenceEdit::kMinute, sek = KySequenceEdit::kSecond, tenth = KySequenceEdit::kTenth;
    const Case cases[] = {
        {20, sek, true, 40},         {20, min, true, 1220},        {20, sek, false, 20},
        {21, sek, false, 1},         {1, tenth, false, 1},         {2, tenth, false, 1},
        {59990, sek, true, 59990},   {59990, tenth, true, 59991},  {58800, min, true, 60000},
        {58801, min, true, 58801},   {60000, tenth, true, 60000},  {1200, min, false, 1200},
        {0xFFFFFFFF, tenth, true, 0xFFFFFFFF}, {70000, min, false, 68800},
    };
    for (const Case& c : cases) {
        EditRig rig;
        rig.scenes(2, c.time);
        EXPECT_EQ(rig.edit.stepTime(c.step, c.up), c.expected != c.time) << c.time << " by " << c.step;
        EXPECT_EQ(timesOf(rig.working()), (std::vector<std::uint32_t>{c.expected, c.time})) << c.time;
    }
}

TEST(SequenceEdit, GlobalTimeSharesTheCurrentScenesTime)
{
    EditRig rig;
    rig.scenes(3);
    rig.working().sceneAt(1).sceneTime = 45;
    rig.dmx.currentScene = 1;
    rig.edit.setGlobalTime(true);
    EXPECT_EQ(timesOf(rig.working()), (std::vector<std::uint32_t>{45, 45, 45}));
    rig.edit.stepTime(KySequenceEdit::kSecond, true);
    EXPECT_EQ(timesOf(rig.working()), (std::vector<std::uint32_t>{65, 65, 65}));
    rig.edit.setGlobalTime(false);
    rig.edit.stepTime(KySequenceEdit::kTenth, false);
    EXPECT_EQ(timesOf(rig.working()), (std::vector<std::uint32_t>{65, 64, 65}));
}

TEST(SequenceEdit, TimeTextsShowMinutesSecondsAndHundredths)
{
    using Texts = std::array<std::string, 3>;
    EXPECT_EQ(sceneTimeTexts(20), (Texts{"0", "01", "00"}));
    EXPECT_EQ(sceneTimeTexts(1), (Texts{"0", "00", "05"}));
    EXPECT_EQ(sceneTimeTexts(0), (Texts{"0", "00", "00"}));
    EXPECT_EQ(sceneTimeTexts(1219), (Texts{"1", "00", "95"}));
    EXPECT_EQ(sceneTimeTexts(60000), (Texts{"50", "00", "00"}));
}

TEST(SequenceEdit, SaveAsThenSaveKeepsTheIdAndTheLaterEdits)
{
    EditRig rig;
    rig.store.nextSequenceId = 6;
    rig.record(10, 200);
    EXPECT_FALSE(rig.edit.save()); // new: it needs a name first
    EXPECT_EQ(rig.store.sequenceCount(), 0u);

    rig.edit.saveAs("Intro");
    ASSERT_EQ(rig.store.sequenceCount(), 1u);
    EXPECT_EQ(rig.store.sequenceAt(0).id, 7);
    EXPECT_EQ(rig.working().id, 7);
    EXPECT_EQ(rig.working().name, "Intro");
    EXPECT_FALSE(rig.edit.isNew());

    rig.record(11, 30);
    rig.edit.addScene();
    ASSERT_TRUE(rig.edit.save());
    ASSERT_EQ(rig.store.sequenceCount(), 1u);
    const KySequence& stored = rig.store.sequenceAt(0);
    EXPECT_EQ(stored.id, 7);
    EXPECT_EQ(stored.sceneCount(), 2u);
    EXPECT_EQ(stored.sceneAt(0).statusOf(11).value, 30);
    EXPECT_NE(&stored, &rig.working()); // the store keeps its own copy
}

TEST(SequenceEdit, LoadingTakesACopyWithItsId)
{
    EditRig rig;
    rig.scenes(3);
    rig.record(5, 99);
    rig.edit.saveAs("A");
    rig.edit.startNew();
    EXPECT_TRUE(rig.edit.isNew());
    EXPECT_EQ(rig.working().sceneCount(), 1u);

    rig.dmx.currentScene = 0;
    rig.edit.load(0);
    EXPECT_FALSE(rig.edit.isNew());
    EXPECT_EQ(rig.working().id, 1);
    EXPECT_EQ(rig.working().sceneCount(), 3u);
    rig.record(5, 1); // edits stay in the working copy until saved
    EXPECT_EQ(rig.store.sequenceAt(0).sceneAt(0).statusOf(5).value, 99);
    rig.edit.load(4); // beyond the store: nothing happens
    EXPECT_EQ(rig.working().sceneAt(0).statusOf(5).value, 1);
}

TEST(SequenceEdit, ErasingTheLastStoredSequenceStartsANewWorkingCopy)
{
    EditRig rig;
    rig.record(5, 99);
    rig.edit.saveAs("A");
    rig.edit.erase(0);
    EXPECT_EQ(rig.store.sequenceCount(), 0u);
    EXPECT_TRUE(rig.edit.isNew());
    EXPECT_EQ(rig.working().id, 0);
    EXPECT_EQ(timesOf(rig.working()), std::vector<std::uint32_t>{20});
    EXPECT_EQ(rig.working().sceneAt(0).entryCount(), 0u);

    EXPECT_FALSE(rig.edit.save());
    rig.edit.saveAs("B");
    EXPECT_EQ(rig.store.sequenceAt(0).id, 2);
}

// After the edited sequence was erased while others remain, saving must not write it over
// another stored sequence: it has to be stored anew.
TEST(SequenceEdit, SavingAnErasedSequenceLeavesTheOthersAlone)
{
    EditRig rig;
    rig.record(5, 11);
    rig.edit.saveAs("A");
    rig.edit.startNew();
    rig.record(5, 22);
    rig.edit.saveAs("B");
    rig.edit.erase(1);
    EXPECT_EQ(rig.working().id, 2); // the working copy stays as it was
    EXPECT_FALSE(rig.edit.save());
    ASSERT_EQ(rig.store.sequenceCount(), 1u);
    EXPECT_EQ(rig.store.sequenceAt(0).id, 1);
    EXPECT_EQ(rig.store.sequenceAt(0).sceneAt(0).statusOf(5).value, 11);
}

TEST(SequenceEdit, RenamingTheEditedSequenceKeepsItsEditsAndAnotherOneIsLoaded)
{
    EditRig rig;
    rig.record(5, 11);
    rig.edit.saveAs("A");
    rig.edit.startNew();
    rig.record(6, 22);
    rig.edit.saveAs("B");
    rig.record(6, 33); // unsaved

    rig.edit.rename(1, "B2");
    EXPECT_EQ(rig.store.sequenceAt(1).name, "B2");
    EXPECT_EQ(rig.working().name, "B2");
    EXPECT_EQ(rig.working().sceneAt(0).statusOf(6).value, 33);

    rig.edit.startNew();
    rig.edit.rename(0, "A2");
    EXPECT_FALSE(rig.edit.isNew());
    EXPECT_EQ(rig.working().id, 1);
    EXPECT_EQ(rig.working().name, "A2");
    EXPECT_EQ(rig.working().sceneAt(0).statusOf(5).value, 11);
}

TEST(SequenceEdit, RecordingPropagatesToEveryScene)
{
    EditRig rig;
    rig.edit.addScene();
    rig.edit.addScene();
    rig.dmx.currentScene = 0;
    rig.record(10, 180);
    EXPECT_EQ(rig.working().sceneAt(0).statusOf(10).value, 180);
    EXPECT_EQ(rig.working().sceneAt(1).statusOf(10).value, 0);
    EXPECT_TRUE(rig.working().sceneAt(2).hasChannel(10));
    rig.dmx.releaseChannel(10);
    for (const KyScene& scene : rig.working().scenes)
        EXPECT_FALSE(scene.hasChannel(10));
}

TEST(SequenceEdit, PlaybackWritesTheCurrentSceneOrFollowsThePreview)
{
    EditRig rig;
    rig.scenes(2, 2);
    rig.dmx.currentScene = 1;
    rig.working().sceneAt(0).setStatus(3, KyChStatus{30, 0, 0, 0, 0});
    rig.working().sceneAt(1).setStatus(3, KyChStatus{31, 0, 0, 0, 0});
    rig.dmx.recordingMode = false;
    rig.dmx.setManual(3, 200); // held, yet the edited scene overwrites it
    rig.dmx.setChannel(7, 70);  // written earlier: nothing clears it
    editorPlayback(rig.dmx);
    EXPECT_EQ(rig.dmx.data()[3], 31);
    EXPECT_EQ(rig.dmx.data()[7], 70);
    rig.dmx.releaseChannel(3);

    // The preview starts from the first scene and the current scene follows it.
    rig.edit.stopPreview();
    rig.edit.startPreview();
    std::vector<int> shown;
    for (int tick = 0; tick < 6; ++tick) {
        editorPlayback(rig.dmx);
        shown.push_back(rig.edit.currentScene());
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 1, 0, 0, 1}));
    rig.edit.pausePreview();
    editorPlayback(rig.dmx);
    editorPlayback(rig.dmx);
    EXPECT_EQ(rig.edit.currentScene(), 1);
    rig.edit.stopPreview();
    EXPECT_EQ(rig.edit.currentScene(), 0);

    rig.working().scenes.clear();
    editorPlayback(rig.dmx); // nothing to write
    EXPECT_EQ(rig.dmx.data()[3], 31);
}

TEST(SequenceEdit, SceneContentsListChannelsInOrder)
{
    KyScene scene;
    scene.setStatus(40, KyChStatus{7, 0, 0, 0, 0});
    scene.setStatus(2, KyChStatus{255, 0, 0, 0, 0});
    using Contents = std::vector<std::pair<std::int32_t, std::uint8_t>>;
    EXPECT_EQ(sceneContents(scene), (Contents{{2, 255}, {40, 7}}));
    EXPECT_TRUE(sceneContents(KyScene{}).empty());
}
