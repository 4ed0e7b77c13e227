// The generator window's edits of the selected heads' records in the scene being recorded.

#include "FunctionRig.h"
#include "functions/PanTilt.h"
#include "functions/SceneGenerators.h"

#include <gtest/gtest.h>

namespace {

// Two 8-bit heads, pan on channel 1 and tilt on 2, at addresses 1 and 11, recorded into
// one scene; the first has pan and tilt swapped.
struct Heads : FunctionRig {
    std::shared_ptr<KyClubDevice> swapped, plain;

    Heads()
    {
        auto type = addType(headType(false, 1, 2), "Skaner");
        swapped = install(type, 1);
        plain = install(type, 11);
        swapped->panTiltSwapped = true;
        record(1);
        select({0, 1});
        writePad(dmx, icons.selectedDevices(), {0, 0});
    }
    KyScene& scene() { return dmx.editedSequence()->sceneAt(0); }
    KyGenerator& at(int channel) { return scene().generatorFor(channel); }
};

} // namespace

TEST(AxisTargets, ASwappedHeadsPanAxisDrivesItsTiltChannel)
{
    Heads rig;
    rig.at(0).amplitudeModifier = 50; // the swapped head's pan channel, its tilt axis
    editAxis(rig.dmx, rig.icons.selectedDevices(), KyAxis::Pan, setAxisAmplitude, 100);
    EXPECT_EQ(rig.at(1).amplitude, 100);
    EXPECT_EQ(rig.at(0).amplitude, 64);
    EXPECT_EQ(rig.at(0).amplitudeModifier, 100);
    EXPECT_EQ(rig.at(10).amplitude, 100);
    EXPECT_EQ(rig.at(11).amplitude, 128);

    editAxis(rig.dmx, rig.icons.selectedDevices(), KyAxis::Tilt, setAxisDirection, 0);
    EXPECT_EQ(rig.at(0).direction, 0);
    EXPECT_EQ(rig.at(1).direction, 1);
    EXPECT_EQ(rig.at(11).direction, 0);

    const auto records = axisRecords(rig.dmx, *rig.swapped);
    ASSERT_TRUE(records.has_value());
    EXPECT_EQ(records->pan.amplitude, 100);
    EXPECT_EQ(records->tilt.direction, 0);
}

// The Pan/Tilt window compares with the pan channel's record, the generator window with the
// pan axis's: on a swapped head whose two records disagree they turn the figure differently.
TEST(AxisTargets, MasterDirectionIsComparedOnThePanAxis)
{
    Heads rig;
    rig.select({0});
    rig.at(1).masterDirection = 0;
    setMasterDirection(rig.dmx, rig.icons.selectedDevices(), 1);
    EXPECT_EQ(rig.at(0).direction, 1);

    setAxisMasterDirection(rig.dmx, rig.icons.selectedDevices(), 1);
    EXPECT_EQ(rig.at(0).masterDirection, 1);
    EXPECT_EQ(rig.at(1).masterDirection, 1);
    EXPECT_EQ(rig.at(0).direction, 0);
    EXPECT_EQ(rig.at(1).direction, 0);
}

TEST(AxisTargets, HeadsOutsideTheSceneAreLeftAlone)
{
    Heads rig;
    auto stranger = rig.install(rig.library.deviceAt(0), 100);
    rig.select({2});
    const KyGenerator shared = rig.at(99);
    editAxis(rig.dmx, rig.icons.selectedDevices(), KyAxis::Pan, setAxisSpeed, 7);
    setAxisMasterDirection(rig.dmx, rig.icons.selectedDevices(), 0);
    EXPECT_TRUE(rig.at(99).sameStoredFields(shared));
    EXPECT_EQ(rig.at(99).speed, 255);
    // It still shows, as the default record.
    ASSERT_TRUE(axisRecords(rig.dmx, *stranger).has_value());

    rig.dmx.currentScene = 1;
    EXPECT_FALSE(axisRecords(rig.dmx, *stranger).has_value());
}
