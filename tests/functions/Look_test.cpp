// A device's look read from a frame through its type's blocks, and the halo it gives off.

#include "FunctionRig.h"
#include "functions/Look.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace {

constexpr std::int32_t kStart = 10;

// A frame holding `values` on the device channels of a device starting at kStart.
KyDmxSpace::Universe frameWith(const std::map<std::int32_t, std::uint8_t>& values)
{
    KyDmxSpace::Universe frame{};
    for (auto [channel, value] : values)
        frame[static_cast<std::size_t>(kStart + channel - 2)] = value;
    return frame;
}

KyClubDevice installed(const KyDevice& type, std::int32_t start = kStart)
{
    KyClubDevice device(std::make_shared<KyDevice>(type));
    device.startAddress = start;
    return device;
}

KyDevice rgbPar(bool rgb = true)
{
    KyDevice type;
    type.color2.active = true;
    type.color2.rgb = rgb;
    type.color2.component1 = dimmerOn(1);
    type.color2.component2 = dimmerOn(2);
    type.color2.component3 = dimmerOn(3);
    type.intensity = dimmerOn(4);
    return type;
}

KyIcon slot(std::int32_t value)
{
    KyIcon icon;
    icon.value = value;
    return icon;
}

// Wheel on channel 1 with slots at 0, 16 and 32 (white, red, blue), out of order as a type
// whose wheel page was never left keeps them; shutter on 2 (open 255, closed 0).
KyDevice wheelHead()
{
    KyDevice type;
    type.color1.wheel = dimmerOn(1);
    for (std::int32_t value : {32, 0, 16})
        type.color1.addSlot(slot(value));
    type.shutter.active = true;
    type.shutter.channel = 2;
    type.shutter.onValue = 255;
    type.shutter.offValue = 0;
    return type;
}
const std::vector<KyRgb> kWheelColours = {{40, 60, 240}, {255, 255, 255}, {230, 30, 30}};

// Pack of three: 1 and 3 light the device, 2 drives something else.
KyDevice dimmerPack()
{
    KyDevice type;
    for (std::int32_t channel : {1, 2, 3}) {
        KyDimm entry;
        static_cast<KyDimmer&>(entry) = dimmerOn(channel);
        entry.isIntensity = channel != 2;
        type.dimmers.addDimm(entry);
    }
    return type;
}

} // namespace

TEST(Look, ColourAndBrightnessFromTheBlocks)
{
    KyDevice scaledIntensity;
    scaledIntensity.intensity = dimmerOn(1, 50, 150);
    KyDevice invertedIntensity;
    invertedIntensity.intensity = dimmerOn(1, 0, 255, true);
    KyDevice packUnderIntensity = dimmerPack();
    packUnderIntensity.intensity = dimmerOn(4);
    KyDevice strobe;
    strobe.strobe = dimmerOn(1);
    strobe.strobe.offValue = 5;

    struct Case {
        const char* what;
        KyDevice type;
        std::map<std::int32_t, std::uint8_t> frame;
        KyRgb colour;
        int brightness;
        bool strobing = false;
    };
    const Case cases[] = {
        {"RGB par", rgbPar(), {{1, 255}, {2, 128}, {3, 0}, {4, 255}}, {255, 128, 0}, 255},
        {"RGB par at half", rgbPar(), {{1, 0}, {2, 0}, {3, 200}, {4, 128}}, {0, 0, 200}, 128},
        {"CMY: no cyan is red", rgbPar(false), {{1, 0}, {2, 255}, {3, 255}, {4, 255}}, {255, 0, 0}, 255},
        {"CMY: nothing in is white", rgbPar(false), {{4, 255}}, {255, 255, 255}, 255},
        {"wheel on its first slot", wheelHead(), {{1, 0}, {2, 255}}, {255, 255, 255}, 255},
        {"wheel past a slot", wheelHead(), {{1, 20}, {2, 255}}, {230, 30, 30}, 255},
        {"wheel at a slot", wheelHead(), {{1, 32}, {2, 255}}, {40, 60, 240}, 255},
        {"wheel past the last slot", wheelHead(), {{1, 255}, {2, 255}}, {40, 60, 240}, 255},
        {"shutter closed", wheelHead(), {{1, 16}, {2, 0}}, {230, 30, 30}, 0},
        {"shutter between its values", wheelHead(), {{1, 16}, {2, 100}}, {230, 30, 30}, 255},
        {"intensity over its range", scaledIntensity, {{1, 100}}, {255, 255, 255}, 127},
        {"intensity below its range", scaledIntensity, {{1, 10}}, {255, 255, 255}, 0},
        {"intensity above its range", scaledIntensity, {{1, 200}}, {255, 255, 255}, 255},
        {"inverted intensity", invertedIntensity, {{1, 55}}, {255, 255, 255}, 200},
        {"brightest intensity entry of a pack", dimmerPack(), {{1, 60}, {2, 255}, {3, 90}}, {255, 255, 255}, 90},
        {"pack without light", dimmerPack(), {{2, 255}}, {255, 255, 255}, 0},
        {"pack under the intensity", packUnderIntensity, {{1, 255}, {4, 128}}, {255, 255, 255}, 128},
        {"nothing that colours or dims", KyDevice{}, {{1, 77}}, {255, 255, 255}, 255},
        {"strobe at its stop value", strobe, {{1, 5}}, {255, 255, 255}, 255, false},
        {"strobe running", strobe, {{1, 200}}, {255, 255, 255}, 255, true},
    };
    for (const Case& c : cases) {
        const KyLook look = deviceLook(installed(c.type), frameWith(c.frame), kWheelColours);
        EXPECT_EQ(look.colour, c.colour) << c.what;
        EXPECT_EQ(look.brightness, c.brightness) << c.what;
        EXPECT_EQ(look.strobing, c.strobing) << c.what;
        EXPECT_FALSE(look.aims) << c.what;
    }
}

TEST(Look, WheelAndMixerTogetherFilterTheLight)
{
    KyDevice type = rgbPar();
    type.color1 = wheelHead().color1;
    type.color1.wheel.channel = 5;
    const KyLook look = deviceLook(installed(type), frameWith({{1, 255}, {2, 255}, {3, 0}, {4, 255}, {5, 16}}),
                                   kWheelColours);
    EXPECT_EQ(look.colour, (KyRgb{230, 30, 0}));
}

TEST(Look, WheelWithoutKnownColoursOrBelowEverySlotShowsWhite)
{
    KyDevice type = wheelHead();
    for (std::size_t i = 0; i < type.color1.slotCount(); ++i)
        type.color1.slotAt(i).value += 10; // 42, 10, 26
    const KyRgb white;
    EXPECT_EQ(deviceLook(installed(type), frameWith({{1, 5}, {2, 255}}), kWheelColours).colour, white);
    // Colours reckoned before the wheel gained slots: the new ones show white.
    const std::vector<KyRgb> fewer(kWheelColours.begin(), kWheelColours.begin() + 1);
    EXPECT_EQ(deviceLook(installed(type), frameWith({{1, 30}, {2, 255}}), fewer).colour, white);
    EXPECT_EQ(deviceLook(installed(type), frameWith({{1, 200}, {2, 255}}), fewer).colour, (KyRgb{40, 60, 240}));
}

TEST(Look, HeadDirectionWithInversionSwapAndFineBytes)
{
    struct Case {
        const char* what;
        bool wide;
        bool panInverted, tiltInverted, swapped;
        std::map<std::int32_t, std::uint8_t> frame;
        KyPadPoint pad;
    };
    // Pan on channel 1 (fine 2), tilt on 3 (fine 4).
    const Case cases[] = {
        {"8 bit", false, false, false, false, {{1, 255}, {2, 99}, {3, 64}}, {65280, 16384}},
        {"8 bit, pan inverted", false, true, false, false, {{1, 255}, {3, 64}}, {255, 16384}},
        {"8 bit, tilt inverted", false, false, true, false, {{1, 255}, {3, 64}}, {65280, 49151}},
        {"8 bit, swapped", false, false, false, true, {{1, 255}, {3, 64}}, {16384, 65280}},
        {"swapped and pan inverted", false, true, false, true, {{1, 255}, {3, 64}}, {49151, 65280}},
        {"16 bit", true, false, false, false, {{1, 0x12}, {2, 0x34}, {3, 0xAB}, {4, 0xCD}}, {0x1234, 0xABCD}},
        {"16 bit, pan inverted", true, true, false, false, {{1, 0x12}, {2, 0x34}}, {65535 - 0x1234, 0}},
    };
    for (const Case& c : cases) {
        KyClubDevice head = installed(headType(c.wide));
        head.panInverted = c.panInverted;
        head.tiltInverted = c.tiltInverted;
        head.panTiltSwapped = c.swapped;
        const KyLook look = deviceLook(head, frameWith(c.frame));
        EXPECT_TRUE(look.aims) << c.what;
        EXPECT_EQ(look.pad, c.pad) << c.what;
    }
}

TEST(Look, ChannelsPastTheUniverseReadDark)
{
    KyDevice type;
    type.intensity = dimmerOn(5);
    KyDmxSpace::Universe frame;
    frame.fill(255);
    EXPECT_EQ(deviceLook(installed(type, 509), frame).brightness, 0);
    EXPECT_EQ(deviceLook(installed(type, 508), frame).brightness, 255);
}

TEST(Look, HaloIsTheLightAtFullColourAndItsStrength)
{
    struct Case {
        const char* what;
        KyRgb colour;
        int brightness;
        bool strobing, flickerOn;
        KyHalo halo;
    };
    const Case cases[] = {
        {"white at full", {255, 255, 255}, 255, false, true, {{255, 255, 255}, 255}},
        {"dim red", {128, 0, 0}, 255, false, true, {{255, 0, 0}, 128}},
        {"orange at half", {255, 128, 0}, 128, false, true, {{255, 128, 0}, 128}},
        {"black gives no light", {0, 0, 0}, 255, false, true, {{0, 0, 0}, 0}},
        {"dark", {255, 255, 255}, 0, false, false, {{255, 255, 255}, 0}},
        {"strobe on", {0, 0, 255}, 255, true, true, {{0, 0, 255}, 255}},
        {"strobe off", {0, 0, 255}, 255, true, false, {{0, 0, 0}, 0}},
    };
    for (const Case& c : cases) {
        KyLook look;
        look.colour = c.colour;
        look.brightness = static_cast<std::uint8_t>(c.brightness);
        look.strobing = c.strobing;
        EXPECT_EQ(haloOf(look, c.flickerOn), c.halo) << c.what;
    }
}
