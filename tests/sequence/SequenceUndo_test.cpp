// Taking back and making again the sequence editor's edits: the working copy, the stored
// bytes it saves to and the universe the operator sees.

#include "common/Change.h"
#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "sequence/SequenceEdit.h"
#include "sequence/SequenceFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

struct UndoRig {
    KyDmxSpace dmx;
    KySeque store;
    KySequenceEdit edit{dmx, store};

    // One stored sequence of two scenes with channel 3, loaded into the editor.
    UndoRig()
    {
        edit.open();
        dmx.setManual(3, 40);
        edit.addScene();
        dmx.setManual(3, 90);
        edit.saveAs("alfa");
        edit.mark();
    }
    // Runs an edit and keeps what it changed.
    std::unique_ptr<KyChange> change(const std::function<void()>& edit_)
    {
        edit_();
        return edit.takeChange();
    }
    vt::Bytes saved()
    {
        EXPECT_TRUE(edit.save());
        return sequencesToBytes(store);
    }
    const KyScene& scene(std::size_t i) { return dmx.editedSequence()->sceneAt(i); }
};

} // namespace

TEST(SequenceUndo, EditsTakenBackSaveTheOriginalBytesAndMadeAgainTheEditedOnes)
{
    UndoRig rig;
    const vt::Bytes original = rig.saved();
    std::vector<std::unique_ptr<KyChange>> changes;
    changes.push_back(rig.change([&] { rig.dmx.setManual(3, 7); }));
    changes.push_back(rig.change([&] { rig.dmx.setManual16(10, 11, 0x1234); }));
    changes.push_back(rig.change([&] { rig.edit.addScene(); }));
    changes.push_back(rig.change([&] { rig.edit.stepTime(KySequenceEdit::kSecond, true); }));
    changes.push_back(rig.change([&] { rig.edit.setGlobalTime(true); }));
    changes.push_back(rig.change([&] { rig.edit.previousScene(); rig.edit.eraseScene(); }));
    changes.push_back(rig.change([&] { rig.edit.setFade(true); }));
    changes.push_back(rig.change([&] { rig.dmx.releaseChannel(3); }));
    for (const auto& change : changes)
        ASSERT_NE(change, nullptr);
    const vt::Bytes edited = rig.saved();
    ASSERT_NE(edited, original);

    for (auto c = changes.rbegin(); c != changes.rend(); ++c)
        ASSERT_TRUE((*c)->undo());
    EXPECT_EQ(rig.saved(), original);
    for (const auto& change : changes)
        ASSERT_TRUE(change->redo());
    EXPECT_EQ(rig.saved(), edited);
}

TEST(SequenceUndo, NothingChangedMakesNoChangeAndMovingBetweenScenesIsNoEdit)
{
    UndoRig rig;
    rig.edit.nextScene();
    rig.edit.setGlobalTime(true); // both scenes already last one second
    EXPECT_EQ(rig.edit.takeChange(), nullptr);
}

TEST(SequenceUndo, ARecordedGestureTakenBackRestoresTheSceneAndTheUniverse)
{
    UndoRig rig;
    editorPlayback(rig.dmx);
    ASSERT_EQ(rig.dmx.data()[3], 40);
    rig.edit.mark(); // the press that starts the gesture
    // One drag of a bar: many writes, one change.
    for (std::uint8_t v : {100, 150, 200})
        rig.dmx.setManual(3, v);
    rig.dmx.setManual(20, 55);
    const auto gesture = rig.edit.takeChange();
    ASSERT_NE(gesture, nullptr);

    ASSERT_TRUE(gesture->undo());
    EXPECT_EQ(rig.scene(0).statusOf(3).value, 40);
    EXPECT_FALSE(rig.scene(0).hasChannel(20));
    EXPECT_FALSE(rig.scene(1).hasChannel(20));
    EXPECT_EQ(rig.dmx.data()[3], 40);
    EXPECT_EQ(rig.dmx.data()[20], 0);
    EXPECT_EQ(rig.edit.takeChange(), nullptr) << "an undo is no new edit";

    ASSERT_TRUE(gesture->redo());
    EXPECT_EQ(rig.scene(0).statusOf(3).value, 200);
    EXPECT_EQ(rig.scene(0).statusOf(20).value, 55);
    EXPECT_EQ(rig.scene(1).statusOf(20).value, 0);
    EXPECT_EQ(rig.dmx.data()[3], 200);
    EXPECT_EQ(rig.dmx.data()[20], 55);
}

TEST(SequenceUndo, AChangeWhoseTargetIsGoneIsRefused)
{
    UndoRig rig;
    // Loading is an edit of the working copy: undone, the earlier copy comes back.
    rig.edit.startNew();
    rig.edit.mark();
    const auto load = rig.change([&] { rig.edit.load(0); });
    ASSERT_NE(load, nullptr);
    ASSERT_TRUE(load->undo());
    EXPECT_TRUE(rig.edit.isNew());
    EXPECT_EQ(rig.edit.workingCopy().sceneCount(), 1u);

    rig.store.eraseSequence(0);
    EXPECT_FALSE(load->redo()) << "the loaded sequence was erased";
    EXPECT_TRUE(rig.edit.isNew());

    // A change of a copy with another number of scenes than it left behind.
    const auto added = rig.change([&] { rig.edit.addScene(); });
    rig.edit.addScene();
    rig.edit.mark();
    EXPECT_FALSE(added->undo());
    EXPECT_EQ(rig.edit.workingCopy().sceneCount(), 3u);
}
