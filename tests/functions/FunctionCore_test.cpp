// The arithmetic and the writes behind the function windows, without widgets.

#include "FunctionRig.h"
#include "functions/Colours.h"
#include "functions/Dimming.h"
#include "functions/PanTilt.h"
#include "functions/ReadBack.h"
#include "functions/SceneGenerators.h"

#include <climits>
#include <gtest/gtest.h>

TEST(Dimming, PositionToValueThroughTheBlocksRange)
{
    struct Case {
        int min, max;
        bool invert;
        int position, value;
    };
    const Case cases[] = {
        {10, 200, false, 128, 105}, {10, 200, false, 0, 10},  {10, 200, false, 255, 200},
        {10, 200, true, 128, 105},  {10, 200, true, 0, 200},  {10, 200, true, 255, 10},
        {0, 255, false, 77, 77},    {200, 10, false, 255, 10}, {200, 10, false, 128, 105},
        {0, 0, true, 255, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(valueForPosition(dimmerOn(1, std::uint8_t(c.min), std::uint8_t(c.max), c.invert), c.position),
                  c.value)
            << c.min << ".." << c.max << (c.invert ? " inverted" : "") << " at " << c.position;
}

TEST(Dimming, ReadBackPutsTheBarWhereItShowsTheValue)
{
    const KyDimmer plain = dimmerOn(1, 10, 200);
    EXPECT_EQ(readBackPosition(plain, 105, 0), 127);
    EXPECT_EQ(readBackPosition(dimmerOn(1, 10, 200, true), 105, 0), 128);
    // A bar that already gives the value stays, even where another position would too.
    EXPECT_EQ(readBackPosition(plain, 105, 128), std::nullopt);
    // An empty range leaves the bar alone; a value below the range asks for a negative
    // position, which the bar clamps.
    EXPECT_EQ(readBackPosition(dimmerOn(1, 50, 50), 7, 33), std::nullopt);
    EXPECT_EQ(readBackPosition(plain, 0, 100), -13);
}

TEST(Targets, DeviceChannelsLandOnTheirUniverseIndex)
{
    EXPECT_EQ(universeIndex(1, 1), 0);
    EXPECT_EQ(universeIndex(17, 1), 16);
    EXPECT_EQ(universeIndex(20, 5), 23);
    EXPECT_EQ(universeIndex(512, 1), 511);
    // Beyond the universe, as a type that gained channels gives, and damaged addresses.
    EXPECT_EQ(universeIndex(510, 4), -1);
    EXPECT_EQ(universeIndex(0, 1), -1);
    EXPECT_EQ(universeIndex(INT_MAX, INT_MAX), -1);
    EXPECT_EQ(universeIndex(INT_MIN, 1), -1);
}

TEST(Targets, ListsSkipDevicesWithoutThemAndReleaseWhatTheyHeld)
{
    FunctionRig rig;
    KyDevice withReset;
    withReset.reset.active = true;
    withReset.reset.setValue(5, 200);
    KyDevice inactiveReset = withReset;
    inactiveReset.reset.active = false;
    auto a = rig.addType(withReset, "A");
    auto b = rig.addType(inactiveReset, "B");
    rig.install(a, 1);
    rig.install(b, 10);
    rig.install(a, 20);
    rig.select({0, 1, 2});

    pressChValues(rig.dmx, rig.icons.selectedDevices(), &KyDevice::reset);
    EXPECT_EQ(rig.at(4), 200);
    EXPECT_EQ(rig.at(23), 200);
    EXPECT_EQ(rig.at(13), 0);
    EXPECT_TRUE(rig.dmx.isHeld(4) && rig.dmx.isHeld(23));

    releaseChValues(rig.dmx, rig.icons.selectedDevices(), &KyDevice::reset);
    rig.dmx.keepHeldOnly();
    EXPECT_EQ(rig.at(4), 0);
    EXPECT_EQ(rig.at(23), 0);

    auto withResetOnly = selectionWith(rig.icons, [](const KyDevice& t) { return t.reset.active; });
    ASSERT_EQ(withResetOnly.size(), 2u);
    EXPECT_EQ(withResetOnly[1]->startAddress, 20);
}

TEST(Targets, BlockWritesUseEachDevicesOwnStartAddress)
{
    FunctionRig rig;
    KyDevice dimmer;
    dimmer.intensity = dimmerOn(1);
    auto type = rig.addType(dimmer);
    rig.install(type, 1);
    rig.install(type, 17);
    rig.install(type, 512);
    rig.select({0, 1, 2});
    const KyBlockOf intensity = [](const KyDevice& t) { return &t.intensity; };

    writeBlock(rig.dmx, rig.icons.sameTypeSelection(), intensity, 99);
    EXPECT_EQ(rig.at(0), 99);
    EXPECT_EQ(rig.at(16), 99);
    EXPECT_EQ(rig.at(511), 99);
    releaseBlock(rig.dmx, rig.icons.sameTypeSelection(), intensity);
    EXPECT_FALSE(rig.dmx.isHeld(0) || rig.dmx.isHeld(16) || rig.dmx.isHeld(511));
}

TEST(ReadBack, HoldButtonsFollowTheMaskOrTheRecordedSequence)
{
    FunctionRig rig;
    rig.dmx.setManual(3, 10);
    KyFunctionSnapshot live = takeFunctionSnapshot(rig.dmx);
    EXPECT_STREQ(holdState(live, {3}).caption, "Man");
    EXPECT_TRUE(holdState(live, {3}).down);
    EXPECT_STREQ(holdState(live, {4}).caption, "Auto");
    EXPECT_TRUE(holdState(live, {4, 3}).down);
    EXPECT_FALSE(holdState(live, {-1}).down);

    rig.record(0);
    KyFunctionSnapshot empty = takeFunctionSnapshot(rig.dmx);
    EXPECT_STREQ(holdState(empty, {3}).caption, "PRG");
    EXPECT_FALSE(holdState(empty, {3}).down);

    rig.record(2, 1);
    rig.dmx.setManual(7, 1);
    KyFunctionSnapshot recording = takeFunctionSnapshot(rig.dmx);
    KyHoldState state = holdState(recording, {7});
    EXPECT_STREQ(state.caption, "PRG");
    EXPECT_TRUE(state.down && state.red);
    EXPECT_FALSE(holdState(recording, {3}).down); // held, but not recorded

    rig.dmx.previewEngine().play();
    rig.dmx.previewEngine().pause();
    EXPECT_TRUE(takeFunctionSnapshot(rig.dmx).previewRunning);
    rig.dmx.previewEngine().stop();
    EXPECT_FALSE(takeFunctionSnapshot(rig.dmx).previewRunning);
}

namespace {

std::array<std::uint8_t, 4> firstFour(const FunctionRig& rig)
{
    return {rig.at(0), rig.at(1), rig.at(2), rig.at(3)};
}

} // namespace

TEST(PanTilt, SixteenBitSplitWithInversionAndSwap)
{
    struct Case {
        bool panInverted, tiltInverted, swapped;
        std::array<std::uint8_t, 4> written;
    };
    const Case cases[] = {
        {false, false, false, {0x12, 0x34, 0xAB, 0xCD}},
        {true, false, false, {0xED, 0xCB, 0xAB, 0xCD}},
        {false, true, false, {0x12, 0x34, 0x54, 0x32}},
        {false, false, true, {0xAB, 0xCD, 0x12, 0x34}},
        // The inversion follows the pad axis onto the swapped channels.
        {true, false, true, {0xAB, 0xCD, 0xED, 0xCB}},
        {true, true, true, {0x54, 0x32, 0xED, 0xCB}},
    };
    for (const Case& c : cases) {
        FunctionRig rig;
        auto head = rig.install(rig.addType(headType(true)), 1);
        head->panInverted = c.panInverted;
        head->tiltInverted = c.tiltInverted;
        head->panTiltSwapped = c.swapped;
        rig.select({0});
        writePad(rig.dmx, rig.icons.selectedDevices(), {0x1234, 0xABCD});
        EXPECT_EQ(firstFour(rig), c.written) << c.panInverted << c.tiltInverted << c.swapped;
        EXPECT_EQ(padPointOf(rig.dmx.data(), *head), (KyPadPoint{0x1234, 0xABCD}));
    }
}

TEST(PanTilt, EightBitHeadsMoveByOneCoarseStepPerArrow)
{
    FunctionRig rig;
    auto head = rig.install(rig.addType(headType(false, 1, 2)), 1);
    rig.select({0});
    writePad(rig.dmx, rig.icons.selectedDevices(), {32767, 0});
    EXPECT_EQ(rig.at(0), 127);
    KyPadPoint shown = padPointOf(rig.dmx.data(), *head);
    EXPECT_EQ(shown, (KyPadPoint{32512, 0}));

    struct Case {
        KyPadArrow arrow;
        int pan, tilt;
    };
    for (const Case& c : {Case{KyPadArrow::Right, 128, 0}, Case{KyPadArrow::Left, 126, 0},
                          Case{KyPadArrow::Down, 127, 1}}) {
        writePad(rig.dmx, rig.icons.selectedDevices(), arrowTarget(shown, c.arrow, true, 16));
        EXPECT_EQ(rig.at(0), c.pan);
        EXPECT_EQ(rig.at(1), c.tilt);
    }
    EXPECT_EQ(arrowTarget({100, 100}, KyPadArrow::Up, false, 64), (KyPadPoint{100, 36}));
    EXPECT_EQ(arrowTarget({100, 100}, KyPadArrow::Right, false, 64), (KyPadPoint{164, 100}));
}

TEST(PanTilt, PadSkipsOtherDevicesAndReleaseCoversFineChannels)
{
    FunctionRig rig;
    KyDevice lamp;
    lamp.intensity = dimmerOn(1);
    rig.install(rig.addType(headType(true)), 1);
    rig.install(rig.addType(lamp, "Lampa"), 10);
    rig.install(rig.addType(headType(false, 1, 2), "Skaner"), 20);
    rig.select({0, 1, 2});
    writePad(rig.dmx, rig.icons.selectedDevices(), {32767, 32767});
    EXPECT_EQ(firstFour(rig), (std::array<std::uint8_t, 4>{0x7F, 0xFF, 0x7F, 0xFF}));
    EXPECT_EQ(rig.at(9), 0);
    EXPECT_EQ(rig.at(19), 0x7F);
    EXPECT_EQ(rig.at(20), 0x7F);

    releasePanTilt(rig.dmx, rig.icons.selectedDevices());
    for (int i : {0, 1, 2, 3, 19, 20})
        EXPECT_FALSE(rig.dmx.isHeld(i)) << i;
}

TEST(PanTilt, RecordingMarksThePadAxesAsAPair)
{
    FunctionRig rig;
    auto head = rig.install(rig.addType(headType(true)), 1);
    head->panTiltSwapped = true;
    rig.select({0});
    rig.record(1);
    writePad(rig.dmx, rig.icons.selectedDevices(), {1, 2});
    const KyScene& scene = rig.dmx.editedSequence()->sceneAt(0);
    // Swapped: the pad's X, which is the pan of the pair, drives the tilt channels.
    EXPECT_EQ(scene.statusOf(2).pairRole, 1);
    EXPECT_EQ(scene.statusOf(3).pairRole, 1);
    EXPECT_EQ(scene.statusOf(0).pairRole, 2);
    EXPECT_EQ(scene.statusOf(0).pairChannel, 0);
}

TEST(PanTilt, SpeedBarAndModifierMapEachOtherBack)
{
    const std::pair<int, int> bar[] = {{-100, 10}, {-15, 86}, {0, 100}, {50, 550}, {100, 1000}, {300, 1000}};
    for (auto [position, modifier] : bar) {
        EXPECT_EQ(speedModifierFor(position), modifier) << position;
        EXPECT_EQ(speedPositionFor(modifier), std::min(position, 100)) << position;
    }
    for (int position = 0; position <= 100; ++position)
        EXPECT_EQ(speedPositionFor(speedModifierFor(position)), position);
    // Below 0 the integer steps are coarser than the bar's: -99 gives 10 like -100.
    EXPECT_EQ(speedPositionFor(speedModifierFor(-99)), -100);
    EXPECT_EQ(speedPositionFor(95), -5);
    EXPECT_EQ(speedPositionFor(5), -100);
    EXPECT_EQ(speedPositionFor(5000), 100);
}

namespace {

// Heads whose pan and tilt the recorded scene holds, selected in installation order.
struct RecordedHeads : FunctionRig {
    std::vector<std::shared_ptr<KyClubDevice>> heads;

    explicit RecordedHeads(int count, bool wide = false)
    {
        auto type = addType(headType(wide, 1, 2));
        for (int i = 0; i < count; ++i)
            heads.push_back(install(type, 1 + 10 * i));
        record(1);
        for (int i = 0; i < count; ++i)
            icons.toggleSelection(static_cast<std::size_t>(i));
        writePad(dmx, icons.selectedDevices(), {0, 0});
    }
    KyScene& scene() { return dmx.editedSequence()->sceneAt(0); }
    KyGenerator& pan(int head) { return scene().generatorFor(10 * head); }
    KyGenerator& tilt(int head) { return scene().generatorFor(10 * head + 1); }
    KyDevices selection() const { return icons.selectedDevices(); }
};

} // namespace

TEST(SceneGenerators, DivideSpreadsThePhaseOverTheHeads)
{
    RecordedHeads rig(4);
    divideEffect(rig.dmx, rig.selection(), 30);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rig.pan(i).phaseModifier, 30 * i);
        EXPECT_EQ(rig.tilt(i).phaseModifier, 30 * i);
    }
}

TEST(SceneGenerators, BarsSetBothAxesAndKeepPartnerSpeeds)
{
    RecordedHeads rig(2);
    rig.pan(0).speed = 200;
    setAmplitudeModifiers(rig.dmx, rig.selection(), 140);
    setSpeedModifiers(rig.dmx, rig.selection(), -15);
    EXPECT_EQ(rig.pan(1).amplitudeModifier, 100);
    EXPECT_EQ(rig.tilt(0).speedModifier, 86);
    EXPECT_DOUBLE_EQ(rig.tilt(0).partnerSpeed, 200 * 0.86);
    EXPECT_DOUBLE_EQ(rig.pan(0).partnerSpeed, 255 * 0.86);

    setPhaseModifiers(rig.dmx, rig.selection(), 45);
    EXPECT_EQ(rig.tilt(1).phaseModifier, 45);

    setMasterDirection(rig.dmx, rig.selection(), 1); // already right: nothing turns
    EXPECT_EQ(rig.pan(0).direction, 1);
    setMasterDirection(rig.dmx, rig.selection(), 0);
    EXPECT_EQ(rig.pan(0).masterDirection, 0);
    EXPECT_EQ(rig.tilt(0).masterDirection, 0);
    EXPECT_EQ(rig.pan(0).direction, 0);
    EXPECT_EQ(rig.tilt(1).direction, 0);
}

TEST(SceneGenerators, SwitchingOnAndLoadingTakeThePhaseFlipFromDifferentAxes)
{
    RecordedHeads rig(1);
    auto& head = *rig.heads[0];
    head.panTiltSwapped = true;
    head.panInverted = true;

    switchGenerators(rig.dmx, rig.selection(), true);
    EXPECT_TRUE(rig.pan(0).enabled && rig.tilt(0).enabled);
    EXPECT_EQ(rig.pan(0).phaseFlip, 1);
    EXPECT_EQ(rig.tilt(0).phaseFlip, 0);
    switchGenerators(rig.dmx, rig.selection(), false);
    EXPECT_FALSE(rig.pan(0).enabled || rig.tilt(0).enabled);

    KyPanTiltGen figure;
    figure.pan.amplitude = 11;
    figure.tilt.amplitude = 22;
    loadFigure(rig.dmx, rig.selection(), figure);
    // The figure's pan record lands on the channel the swapped head pans with, its tilt.
    EXPECT_EQ(rig.tilt(0).amplitude, 11);
    EXPECT_EQ(rig.pan(0).amplitude, 22);
    EXPECT_TRUE(rig.pan(0).enabled && rig.tilt(0).enabled);
    EXPECT_EQ(rig.tilt(0).phaseFlip, 1);
    EXPECT_EQ(rig.pan(0).phaseFlip, 0);
}

TEST(SceneGenerators, OnlyWhileRecordingIntoAScene)
{
    RecordedHeads rig(1);
    rig.dmx.recordingMode = false;
    switchGenerators(rig.dmx, rig.selection(), true);
    EXPECT_FALSE(rig.pan(0).enabled);
    EXPECT_FALSE(generatorView(rig.dmx, *rig.heads[0]).editable);

    rig.dmx.recordingMode = true;
    rig.dmx.currentScene = 3;
    setAmplitudeModifiers(rig.dmx, rig.selection(), 10);
    KyGeneratorView view = generatorView(rig.dmx, *rig.heads[0]);
    EXPECT_FALSE(view.pan.has_value());
    rig.dmx.currentScene = 0;
    EXPECT_EQ(rig.pan(0).amplitudeModifier, 100);

    switchGenerators(rig.dmx, rig.selection(), true);
    view = generatorView(rig.dmx, *rig.heads[0]);
    EXPECT_TRUE(view.editable && view.on);
    ASSERT_TRUE(view.pan.has_value());
    EXPECT_EQ(view.pan->enabled, 1);
    rig.dmx.recordingMode = false; // they run on, out of reach
    view = generatorView(rig.dmx, *rig.heads[0]);
    EXPECT_TRUE(!view.editable && view.on);
}

// Channels a scene lacks read as one shared default record; editing a head that is not in
// the scene, or a scene read from an old file without generator entries, must not change it.
TEST(SceneGenerators, TheSharedDefaultRecordIsNeverWritten)
{
    RecordedHeads rig(1);
    auto stranger = rig.install(rig.addType(headType(false, 5, 6), "Obcy"), 100);
    rig.select({0, 1});
    KyScene& scene = rig.scene();
    KyScene::ChannelMap channels = scene.channels();
    scene.assign(channels, {}); // as an old file holds it: no generator entries
    const KyGenerator before = scene.generatorFor(400);

    switchGenerators(rig.dmx, rig.selection(), true);
    setAmplitudeModifiers(rig.dmx, rig.selection(), 5);
    divideEffect(rig.dmx, rig.selection(), 90);

    EXPECT_TRUE(scene.generatorFor(400).sameStoredFields(before));
    EXPECT_EQ(scene.generatorFor(400).enabled, 0);
    EXPECT_EQ(scene.generators().size(), 2u);
    EXPECT_EQ(rig.pan(0).enabled, 1);
    EXPECT_EQ(rig.pan(0).amplitudeModifier, 5);
    EXPECT_FALSE(generatorView(rig.dmx, *stranger).editable);
}

TEST(Colours, MixerGivesComplementsToTheOtherMode)
{
    FunctionRig rig;
    KyDevice rgb;
    rgb.color2.active = true;
    rgb.color2.component1 = dimmerOn(1);
    rgb.color2.component2 = dimmerOn(2);
    rgb.color2.component3 = dimmerOn(3);
    KyDevice cmy = rgb;
    cmy.color2.rgb = false;
    KyDevice none;
    none.intensity = dimmerOn(1);
    rig.install(rig.addType(none, "Bez"), 20);
    rig.install(rig.addType(cmy, "CMY"), 10);
    rig.install(rig.addType(rgb, "RGB"), 1);
    rig.select({0, 1, 2});
    auto values = [&](int start) {
        return KyComponents{rig.at(start - 1), rig.at(start), rig.at(start + 1)};
    };

    writeMixer(rig.dmx, rig.icons.selectedDevices(), true, {10, 20, 30});
    EXPECT_EQ(values(1), (KyComponents{10, 20, 30}));
    EXPECT_EQ(values(10), (KyComponents{245, 235, 225}));
    EXPECT_EQ(rig.at(19), 0);
    writeMixer(rig.dmx, rig.icons.selectedDevices(), false, {10, 20, 30});
    EXPECT_EQ(values(10), (KyComponents{10, 20, 30}));

    writeColour(rig.dmx, rig.icons.selectedDevices(), {255, 0, 0});
    EXPECT_EQ(values(1), (KyComponents{255, 0, 0}));
    EXPECT_EQ(values(10), (KyComponents{0, 255, 255}));
    EXPECT_EQ(mixerColour(rig.dmx.data(), *rig.library.club.clubDevices[1]), (KyComponents{255, 0, 0}));
}

TEST(Colours, PaletteSlotsByValue)
{
    FunctionRig rig;
    KyDevice type;
    type.color1.wheel = dimmerOn(3);
    for (int value : {0, 20, 40, 40, 80, 100, 120, 140, 160})
        type.color1.addSlot(KyIcon{"", {}, value});
    EXPECT_EQ(slotShowing(type.color1, 40), 2);
    EXPECT_EQ(slotShowing(type.color1, 41), -1);

    auto t = rig.addType(type);
    rig.install(t, 1);
    rig.install(t, 30);
    rig.select({0, 1});
    selectSlot(rig.dmx, rig.icons.sameTypeSelection(), &KyDevice::color1, 8);
    EXPECT_EQ(rig.at(2), 160);
    EXPECT_EQ(rig.at(31), 160);
    selectSlot(rig.dmx, rig.icons.sameTypeSelection(), &KyDevice::color1, 9); // no such slot
    EXPECT_EQ(rig.at(2), 160);
}
