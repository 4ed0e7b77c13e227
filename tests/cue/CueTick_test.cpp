#include "app/Show.h"
#include "cue/Dmx_space.h"
#include "sequence/CueGlobals.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<KySequence> oneScene(std::initializer_list<std::pair<int, std::uint8_t>> values,
                                     std::uint32_t time = 20)
{
    auto seq = std::make_shared<KySequence>();
    KyScene scene;
    for (auto [channel, value] : values)
        scene.setStatus(channel, KyChStatus{value, 0, 0, 0, 0});
    scene.sceneTime = time;
    seq->appendScene(scene);
    return seq;
}

} // namespace

TEST(CueTick, HigherZonesWinAndInactiveZonesWriteNothing)
{
    KyDmxSpace dmx;
    KyCue& live = dmx.liveCue();
    live.zoneEngine(0) = KySeqEngine(oneScene({{5, 100}, {6, 1}}));
    live.zoneEngine(1) = KySeqEngine(oneScene({{5, 200}}));
    live.play();
    dmx.setChannel(9, 33); // nobody writes or holds it
    cueTick(live, dmx, false, false);
    EXPECT_EQ(dmx.data()[5], 200);
    EXPECT_EQ(dmx.data()[6], 1);
    EXPECT_EQ(dmx.data()[9], 0);

    live.zoneEngine(1).active = false;
    const std::uint32_t frozen = live.zoneEngine(1).tick;
    cueTick(live, dmx, false, false);
    EXPECT_EQ(dmx.data()[5], 100);
    EXPECT_EQ(live.zoneEngine(1).tick, frozen); // an inactive zone does not advance
}

TEST(CueTick, HeldChannelsAreUntouchedByEveryZone)
{
    KyDmxSpace dmx;
    KyCue& live = dmx.liveCue();
    for (int zone = 0; zone < KyCue::kZones; ++zone)
        live.zoneEngine(zone) = KySeqEngine(oneScene({{5, std::uint8_t(zone * 20)}, {7, 9}}));
    live.play();
    dmx.setManual(5, 50);
    for (int t = 0; t < 5; ++t) {
        cueTick(live, dmx, false, false);
        EXPECT_EQ(dmx.data()[5], 50);
        EXPECT_EQ(dmx.data()[7], 9);
    }
}

TEST(CueTick, PlaceholdersLeaveOnlyHeldChannelsAndAStoppedCueShowsSceneZero)
{
    KyDmxSpace dmx;
    KyCue& live = dmx.liveCue();
    dmx.setManual(3, 70);
    for (int i = 0; i < 512; ++i)
        if (i != 3)
            dmx.setChannel(i, 1);
    cueTick(live, dmx, true, true);
    for (int i = 0; i < 512; ++i)
        ASSERT_EQ(dmx.data()[static_cast<std::size_t>(i)], i == 3 ? 70 : 0) << i;

    auto seq = oneScene({{4, 10}}, 2);
    KyScene second;
    second.setStatus(4, KyChStatus{20, 0, 0, 0, 0});
    seq->appendScene(second);
    live.zoneEngine(0) = KySeqEngine(seq);
    live.play();
    cueTick(live, dmx, false, false);
    cueTick(live, dmx, false, false);
    cueTick(live, dmx, false, false);
    EXPECT_EQ(dmx.data()[4], 20);
    live.stop();
    for (int t = 0; t < 3; ++t) {
        cueTick(live, dmx, false, false);
        EXPECT_EQ(dmx.data()[4], 10);
    }
    live.play();
    cueTick(live, dmx, false, false); // scene 0 once, then scene 1
    cueTick(live, dmx, false, false);
    EXPECT_EQ(dmx.data()[4], 20);
}

TEST(CueTick, TheShowTickPlaysTheLiveCueWithItsMusicInputs)
{
    KyShow show(DataPaths::in("/nonexistent"));
    auto seq = oneScene({{0, 1}});
    KyScene second;
    second.setStatus(0, KyChStatus{2, 0, 0, 0, 0});
    seq->appendScene(second);
    KySeqEngine& zone = show.dmx.liveCue().zoneEngine(4);
    zone = KySeqEngine(seq);
    zone.music = true;
    zone.beatsPerStep = 2;
    zone.play();
    show.musicMode = true;
    show.tick();
    show.inputChanged = true;
    show.tick();
    show.inputChanged = true; // without a module each frame clears it
    show.tick();              // the second pulse changes the scene
    show.tick();
    EXPECT_EQ(show.dmx.data()[0], 2);

    show.musicMode = false; // now it runs on time
    for (int t = 0; t < 20; ++t)
        show.tick();
    EXPECT_EQ(show.dmx.data()[0], 1);
}
