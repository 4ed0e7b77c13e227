#include "cue/Dmx_space.h"

#include <gtest/gtest.h>

TEST(DmxSpace, HeldValueSurvivesTicksAndReleasedChannelDropsAtTheNextOne)
{
    KyDmxSpace dmx;
    dmx.setManual(10, 200);
    for (int tick = 0; tick < 5; ++tick)
        dmx.keepHeldOnly();
    EXPECT_EQ(dmx.data()[10], 200);
    EXPECT_TRUE(dmx.isHeld(10));

    dmx.releaseChannel(10);
    EXPECT_EQ(dmx.data()[10], 200); // stays until the next clearing
    dmx.keepHeldOnly();
    EXPECT_EQ(dmx.data()[10], 0);
}

TEST(DmxSpace, HeldChannelsAreCountedOnce)
{
    KyDmxSpace dmx;
    EXPECT_EQ(dmx.heldCount(), 0);
    dmx.setManual(10, 200);
    dmx.setManual(10, 100);
    dmx.setManual16(20, 21, 0x1234);
    EXPECT_EQ(dmx.heldCount(), 3);
    dmx.releaseChannel(10);
    EXPECT_EQ(dmx.heldCount(), 2);
}

TEST(DmxSpace, EngineWritesLastOneTick)
{
    KyDmxSpace dmx;
    dmx.setChannel(7, 99);
    EXPECT_FALSE(dmx.isHeld(7));
    dmx.keepHeldOnly();
    EXPECT_EQ(dmx.data()[7], 0);
}

TEST(DmxSpace, SetManual16SplitsCoarseAndFine)
{
    KyDmxSpace dmx;
    dmx.setManual16(20, 21, 0x1234);
    EXPECT_EQ(dmx.data()[20], 0x12);
    EXPECT_EQ(dmx.data()[21], 0x34);
    EXPECT_TRUE(dmx.isHeld(20));
    EXPECT_TRUE(dmx.isHeld(21));
}

TEST(DmxSpace, IndexesOutsideTheUniverseAreDropped)
{
    KyDmxSpace dmx;
    const KyDmxSpace::Universe before = dmx.data();
    for (int bad : {-1, 512, 100000, -100000}) {
        dmx.setChannel(bad, 1);
        dmx.setManual(bad, 1);
        dmx.setManual16(bad, bad, 0xFFFF);
        dmx.releaseChannel(bad);
        EXPECT_FALSE(dmx.isHeld(bad));
    }
    dmx.setManual16(511, 512, 0xABCD); // the part inside is written
    EXPECT_EQ(dmx.data()[511], 0xAB);
    auto expected = before;
    expected[511] = 0xAB;
    EXPECT_EQ(dmx.data(), expected);
}

class Recording : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 3; ++i)
            dmx.editedSequence()->appendScene(KyScene{});
        dmx.recordingMode = true;
    }
    KyScene& scene(int i) { return dmx.editedSequence()->sceneAt(static_cast<std::size_t>(i)); }
    KyDmxSpace dmx;
};

TEST_F(Recording, WriteGoesIntoTheCurrentSceneAndZerosIntoScenesLackingIt)
{
    scene(2).setStatus(10, KyChStatus{77, 0, 0, 0, 0});
    dmx.currentScene = 1;
    dmx.setManual(10, 150);
    EXPECT_EQ(dmx.data()[10], 150); // the operator sees it
    EXPECT_FALSE(dmx.isHeld(10));    // but it is recorded, not held
    EXPECT_EQ(scene(1).statusOf(10).value, 150);
    EXPECT_TRUE(scene(0).hasChannel(10));
    EXPECT_EQ(scene(0).statusOf(10).value, 0);
    EXPECT_EQ(scene(2).statusOf(10).value, 77); // a scene that had the channel keeps it
    EXPECT_EQ(scene(0).generators().count(10), 1u);
}

TEST_F(Recording, ReleaseRemovesTheChannelFromEveryScene)
{
    dmx.setManual(10, 5);
    dmx.releaseChannel(10);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(scene(i).hasChannel(10));
        EXPECT_EQ(scene(i).generators().count(10), 0u);
    }
}

TEST_F(Recording, SixteenBitWriteRecordsCoarseAndFine)
{
    dmx.setManual16(30, 31, 0x8001);
    EXPECT_EQ(scene(0).statusOf(30), (KyChStatus{0x80, 2, 0, 31, 0}));
    EXPECT_EQ(scene(0).statusOf(31), (KyChStatus{0x01, 1, 0, 0, 0}));
    EXPECT_EQ(scene(2).statusOf(30), (KyChStatus{0, 2, 0, 31, 0}));
}

TEST_F(Recording, LinkPairOnSixteenBitMarksFourChannels)
{
    dmx.setManual16(0, 1, 0x1000);  // pan coarse, fine
    dmx.setManual16(2, 3, 0x2000);  // tilt coarse, fine
    dmx.linkPair(0, 2);
    EXPECT_EQ(scene(0).statusOf(0).pairRole, 1);
    EXPECT_EQ(scene(0).statusOf(1).pairRole, 1);
    EXPECT_EQ(scene(0).statusOf(2).pairRole, 2);
    EXPECT_EQ(scene(0).statusOf(3).pairRole, 2);
    for (int ch = 0; ch < 4; ++ch)
        EXPECT_EQ(scene(0).statusOf(ch).pairChannel, 2) << ch;
    EXPECT_EQ(scene(1).statusOf(0).pairRole, 0); // only the current scene is linked
}

TEST_F(Recording, LinkPairOnEightBitMarksTwo)
{
    dmx.setManual(4, 10);
    dmx.setManual(5, 20);
    dmx.linkPair(4, 5);
    EXPECT_EQ(scene(0).statusOf(4), (KyChStatus{10, 0, 1, 0, 5}));
    EXPECT_EQ(scene(0).statusOf(5), (KyChStatus{20, 0, 2, 0, 5}));
}

TEST_F(Recording, NoSceneToRecordIntoStillShowsTheValue)
{
    dmx.currentScene = 7;
    dmx.setManual(10, 40);
    EXPECT_EQ(dmx.data()[10], 40);
    EXPECT_FALSE(scene(0).hasChannel(10));
}
