#include "library/Device.h"

#include <functional>
#include <gtest/gtest.h>

TEST(Device, NewTypeHasTheDefaults)
{
    KyDevice d;
    EXPECT_EQ(d.id, 0);
    EXPECT_EQ(d.intensity.name, "INTENSYWNO\x8C\xC6"); // "INTENSYWNOŚĆ"
    EXPECT_EQ(d.strobe.name, "STROBO");
    EXPECT_TRUE(d.panTilt.mode8bit);
    EXPECT_TRUE(d.color2.rgb);
    EXPECT_EQ(d.gobo1.control2.channel, 1);
    EXPECT_EQ(d.optic.optic4.maxValue, 255);
    EXPECT_EQ(d.channelCount(), 0);
}

struct ChannelCountCase {
    const char* what;
    std::function<void(KyDevice&)> set;
    int expected;
};

class ChannelCount : public ::testing::TestWithParam<ChannelCountCase> {};

TEST_P(ChannelCount, IsTheHighestChannelInUse)
{
    KyDevice d;
    GetParam().set(d);
    EXPECT_EQ(d.channelCount(), GetParam().expected) << GetParam().what;
}

void panTilt8bit(KyDevice& d)
{
    d.panTilt.active = true;
    d.panTilt.panChannel = 1;
    d.panTilt.tiltChannel = 2;
    d.panTilt.panFineChannel = 9;
    d.panTilt.tiltFineChannel = 10;
}

INSTANTIATE_TEST_SUITE_P(Device, ChannelCount, ::testing::Values(
    ChannelCountCase{"intensity 3, strobe 7",
        [](KyDevice& d) {
            d.intensity.active = d.strobe.active = true;
            d.intensity.channel = 3;
            d.strobe.channel = 7;
        }, 7},
    ChannelCountCase{"inactive blocks count nothing",
        [](KyDevice& d) {
            d.shutter.channel = 30;
            d.optic.optic2.channel = 30;
            d.color2.component1.channel = 30;
        }, 0},
    ChannelCountCase{"pan/tilt 8-bit ignores the fine channels", panTilt8bit, 2},
    ChannelCountCase{"pan/tilt 16-bit",
        [](KyDevice& d) {
            panTilt8bit(d);
            d.panTilt.mode8bit = false;
        }, 10},
    ChannelCountCase{"pan/tilt controllers count when inactive",
        [](KyDevice& d) {
            panTilt8bit(d);
            d.panTilt.control1.channel = 12;
        }, 12},
    ChannelCountCase{"wheel controllers count only when active",
        [](KyDevice& d) {
            d.gobo1.wheel.active = true;
            d.gobo1.wheel.channel = 4;
            d.gobo1.control1.channel = 12;
            d.effect2.control2.active = true; // on a wheel that is not active
            d.effect2.control2.channel = 20;
        }, 4},
    ChannelCountCase{"active wheel controller",
        [](KyDevice& d) {
            d.color1.wheel.active = d.color1.control2.active = true;
            d.color1.control2.channel = 14;
        }, 14},
    ChannelCountCase{"inactive reset list",
        [](KyDevice& d) {
            d.reset.setValue(4, 0);
            d.reset.setValue(17, 0);
        }, 0},
    ChannelCountCase{"active reset list",
        [](KyDevice& d) {
            d.reset.setValue(4, 0);
            d.reset.setValue(17, 0);
            d.reset.active = true;
        }, 17},
    ChannelCountCase{"active but empty lamp list",
        [](KyDevice& d) { d.lampOff.active = true; }, 0},
    ChannelCountCase{"mixer components follow the mixer",
        [](KyDevice& d) {
            d.color2.active = true;
            d.color2.component3.channel = 6;
        }, 6},
    ChannelCountCase{"one active optic",
        [](KyDevice& d) {
            d.optic.optic3.active = true;
            d.optic.optic3.channel = 9;
        }, 9},
    ChannelCountCase{"every dimmer-pack entry",
        [](KyDevice& d) {
            KyDimm entry;
            entry.channel = 20;
            d.dimmers.dimms.push_back(entry);
        }, 20}));

TEST(Device, SetValueKeepsChannelsUniqueAndInOrder)
{
    KyChValue list;
    list.setValue(9, 1);
    list.setValue(2, 1);
    EXPECT_EQ(list.setValue(5, 100), 1u);
    EXPECT_EQ(list.setValue(5, 0), 1u);
    EXPECT_EQ(list.entryCount(), 3u);
    EXPECT_EQ(list.entryAt(1), (std::pair<std::int32_t, std::uint8_t>(5, 0)));
    list.eraseEntry(0);
    EXPECT_EQ(list.entryAt(0).first, 5);
    EXPECT_EQ(list.highestChannel(), 9);
}

TEST(Device, WheelAndDimmerPackStopAtTheirLimits)
{
    KyGobo wheel;
    for (int i = 0; i < 25; ++i)
        wheel.addSlot(KyIcon{"s", {}, i});
    EXPECT_EQ(wheel.slotCount(), 24u);
    EXPECT_EQ(wheel.slotAt(23).value, 23);

    KyDimmers pack;
    for (int i = 0; i < 33; ++i) {
        KyDimm entry;
        entry.channel = i + 1;
        pack.addDimm(entry);
    }
    EXPECT_EQ(pack.dimmCount(), 32u);
    EXPECT_TRUE(pack.dimmAt(0).active);
    pack.eraseDimm(0);
    EXPECT_EQ(pack.dimmAt(0).channel, 2);
}

TEST(Device, SlotsSortStablyByValue)
{
    KyGobo wheel;
    wheel.addSlot(KyIcon{"A", {}, 200});
    wheel.addSlot(KyIcon{"B", {}, 10});
    wheel.addSlot(KyIcon{"C", {}, 10});
    wheel.sortSlots();
    EXPECT_EQ(wheel.slotAt(0).name + wheel.slotAt(1).name + wheel.slotAt(2).name, "BCA");
}
