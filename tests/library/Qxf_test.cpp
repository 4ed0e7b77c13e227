#include "QxfSupport.h"
#include "library/LibraryFile.h"
#include "common/Cp1250.h"
#include "library/Qxf.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <chrono>
#include <iostream>

namespace {

template <class Bytes>
std::string text(const Bytes& bytes)
{
    return {bytes.begin(), bytes.end()};
}

std::string picture(const KyIcon& slot)
{
    return text(slot.picture);
}

const char* const kSmallDefinition = R"(<?xml version="1.0" encoding="UTF-8"?>
<FixtureDefinition xmlns="http://www.qlcplus.org/FixtureDefinition">
 <Manufacturer>Acme</Manufacturer>
 <Model>Wash &amp; Spot</Model>
 <Type>Moving Head</Type>
 <Channel Name="Dim" Preset="IntensityDimmer"/>
 <Channel Name="Dim fine" Preset="IntensityDimmerFine"/>
 <Channel Name="Wheel">
  <Group Byte="0">Colour</Group>
  <Colour>Red</Colour>
  <Capability Min="0" Max="9" Color="#ff0000" Color2="#0000ff">Red/Blue</Capability>
  <Capability Min="10" Max="19" Preset="ColorMacro" Res1="#00ff00">Green</Capability>
  <Capability Min="20" Max="300" Res="Others/rainbow.png">Scroll</Capability>
  <Capability Min="-5" Max="x">Bad numbers</Capability>
 </Channel>
 <Channel Name="Tilt fine"><Group Byte="1">Tilt</Group></Channel>
 <Mode Name="Basic">
  <Channel Number="0">Dim</Channel>
  <Channel Number="1">Wheel</Channel>
  <Channel Number="2">Dim fine</Channel>
  <Channel Number="3">Missing</Channel>
  <Head><Channel>0</Channel><Channel>1</Channel></Head>
 </Mode>
</FixtureDefinition>)";

TEST(QxfReader, ReadsChannelsCapabilitiesModesAndHeadsOfBothResourceForms)
{
    auto fixture = readQxf(kSmallDefinition);
    ASSERT_TRUE(fixture);
    EXPECT_EQ(fixture->maker, "Acme");
    EXPECT_EQ(fixture->model, "Wash & Spot");
    EXPECT_EQ(fixture->type, "Moving Head");
    ASSERT_EQ(fixture->channels.size(), 4u);
    const KyQxfChannel& wheel = fixture->channels[2];
    EXPECT_EQ(wheel.group, "Colour");
    EXPECT_EQ(wheel.colour, "Red");
    ASSERT_EQ(wheel.capabilities.size(), 4u);
    EXPECT_EQ(wheel.capabilities[0].colour, 0xff0000u);
    EXPECT_EQ(wheel.capabilities[0].colour2, 0x0000ffu);
    EXPECT_EQ(wheel.capabilities[1].colour, 0x00ff00u);
    EXPECT_EQ(wheel.capabilities[1].preset, "ColorMacro");
    EXPECT_EQ(wheel.capabilities[2].picture, "Others/rainbow.png");
    EXPECT_EQ(wheel.capabilities[2].max, 255);
    EXPECT_EQ(wheel.capabilities[3].min, 0);
    EXPECT_EQ(fixture->channels[3].byte, 1);
    ASSERT_EQ(fixture->modes.size(), 1u);
    EXPECT_EQ(fixture->modes[0].channels, (std::vector<std::string>{"Dim", "Wheel", "Dim fine", "Missing"}));
    EXPECT_EQ(fixture->modes[0].heads, (std::vector<std::vector<int>>{{0, 1}}));
}

TEST(QxfReader, RefusesWhatIsNoFixtureDefinition)
{
    for (std::string_view data : {std::string_view(""), std::string_view("<FixtureDefinition><Model>"),
                                  std::string_view("<Workspace/>"), std::string_view("\xff\xfe\x00<", 4)}) {
        std::string error;
        EXPECT_FALSE(readQxf(data, &error)) << data;
        EXPECT_FALSE(error.empty());
    }
    std::string error;
    EXPECT_FALSE(readQxfFile("/nonexistent/x.qxf", &error));
    EXPECT_EQ(error, "no such file");
}

TEST(QxfImport, NamesWhatItLeavesOutAndCutsTheName)
{
    auto fixture = readQxf(kSmallDefinition);
    ASSERT_TRUE(fixture);
    KyRecordingPictures pictures;
    KyQxfImport import = importQxfMode(*fixture, fixture->modes[0], &pictures, "acme.qxf");
    ASSERT_TRUE(import.imported());
    const KyDevice& d = import.device;
    EXPECT_EQ(d.name, "Acme Wash & Spot (Basic)");
    EXPECT_EQ(import.leftOut, (std::vector<std::string>{"Dim fine", "Missing (brak opisu kanału)"}));
    EXPECT_EQ(qxfLeftOutText(import), "Pominięto: Dim fine, Missing (brak opisu kanału)");
    EXPECT_EQ(d.description.back(), vt::utf8ToCp1250Lossy("Pominięto: Dim fine, Missing (brak opisu kanału)"));
    EXPECT_TRUE(d.intensity.active);
    EXPECT_EQ(d.intensity.channel, 1);
    ASSERT_TRUE(d.color1.wheel.active);
    EXPECT_EQ(d.color1.wheel.channel, 2);
    ASSERT_EQ(d.color1.slotCount(), 3u);
    EXPECT_EQ(picture(d.color1.slotAt(0)), "swatch #ff0000 #0000ff");
    EXPECT_EQ(d.color1.slotAt(1).value, 14);
    EXPECT_EQ(picture(d.color1.slotAt(2)), "gobo Others/rainbow.png");
    EXPECT_EQ(text(d.icon), "icon Moving Head");
    EXPECT_EQ(d.blackout.values, (std::map<std::int32_t, std::uint8_t>{{1, 0}}));

    // A long name gives way in the maker and model, so the mode shows; a mode too long for
    // that is cut with the rest.
    fixture->maker = "Manufacturer With A Long Name";
    import = importQxfMode(*fixture, fixture->modes[0], nullptr, "acme.qxf");
    EXPECT_EQ(import.device.name, vt::utf8ToCp1250Lossy("Manufacturer… (Basic)"));
    EXPECT_TRUE(import.device.color1.slotAt(0).picture.empty());
    fixture->modes[0].name = "Extended With Macros";
    import = importQxfMode(*fixture, fixture->modes[0], nullptr, "acme.qxf");
    EXPECT_EQ(import.device.name, "Manufacturer With A Long ");
}

TEST(QxfImport, RefusesAModeOverThirtyTwoChannelsOrWithNothingToHold)
{
    KyQxfFixture fixture;
    fixture.channels.push_back({"Dim", "IntensityDimmer"});
    fixture.channels.push_back({"Nothing", "NoFunction"});
    KyQxfMode big{"Big", std::vector<std::string>(33, "Dim")};
    KyQxfImport refused = importQxfMode(fixture, big, nullptr, "x.qxf");
    EXPECT_EQ(refused.refusal, KyQxfImport::Refusal::TooManyChannels);
    EXPECT_EQ(qxfRefusalText(refused), "Tryb ma 33 kanałów, urządzenie może mieć najwyżej 32");

    big.channels.pop_back();
    EXPECT_TRUE(importQxfMode(fixture, big, nullptr, "x.qxf").imported());

    KyQxfMode empty{"Empty", {"Nothing"}};
    EXPECT_EQ(importQxfMode(fixture, empty, nullptr, "x.qxf").refusal, KyQxfImport::Refusal::NoUsableChannel);
}

// Real definitions of different kinds, each checked for the blocks an operator looks in.
struct RealCase {
    const char* file;
    const char* mode;
    void (*check)(const KyQxfImport&);
};

void rgbPar(const KyQxfImport& i)
{
    const KyDevice& d = i.device;
    EXPECT_EQ(d.intensity.channel, 1);
    ASSERT_TRUE(d.color2.active);
    EXPECT_TRUE(d.color2.rgb);
    EXPECT_EQ(d.color2.component1.channel, 2);
    EXPECT_EQ(d.color2.component2.channel, 3);
    EXPECT_EQ(d.color2.component3.channel, 4);
    EXPECT_EQ(d.color2.component1.name, "Red");
    EXPECT_TRUE(d.effect1.wheel.active);
    EXPECT_EQ(d.effect1.wheel.channel, 5);
    ASSERT_TRUE(d.strobe.active);
    EXPECT_EQ(d.strobe.channel, 6);
    EXPECT_EQ(d.channelCount(), 6);
    EXPECT_TRUE(i.leftOut.empty());
}

void rgbwPar(const KyQxfImport& i)
{
    const KyDevice& d = i.device;
    EXPECT_EQ(d.intensity.channel, 1);
    EXPECT_EQ(d.strobe.channel, 2);
    EXPECT_EQ(d.color2.component1.channel, 3);
    EXPECT_EQ(d.color2.component3.channel, 5);
    ASSERT_EQ(d.dimmers.dimmCount(), 1u);
    EXPECT_EQ(d.dimmers.dimmAt(0).name, "White");
    EXPECT_EQ(d.dimmers.dimmAt(0).channel, 6);
    EXPECT_FALSE(d.dimmers.dimmAt(0).isIntensity);
    EXPECT_EQ(d.effect1.wheel.channel, 7);
    EXPECT_TRUE(i.leftOut.empty());
}

void spot16bit(const KyQxfImport& i)
{
    const KyDevice& d = i.device;
    ASSERT_TRUE(d.panTilt.active);
    EXPECT_FALSE(d.panTilt.mode8bit);
    EXPECT_EQ(d.panTilt.panChannel, 1);
    EXPECT_EQ(d.panTilt.panFineChannel, 2);
    EXPECT_EQ(d.panTilt.tiltChannel, 3);
    EXPECT_EQ(d.panTilt.tiltFineChannel, 4);
    EXPECT_TRUE(d.panTilt.control1.active);
    EXPECT_EQ(d.panTilt.control1.channel, 5);
    EXPECT_EQ(d.intensity.channel, 6);
    EXPECT_EQ(d.shutter.channel, 7);
    EXPECT_EQ(d.shutter.onValue, 11);
    EXPECT_EQ(d.shutter.offValue, 3);
    EXPECT_EQ(d.strobe.channel, 7);
    EXPECT_EQ(d.strobe.minValue, 16);
    EXPECT_EQ(d.strobe.maxValue, 131);
    ASSERT_EQ(d.color1.slotCount(), 8u);
    EXPECT_EQ(d.color1.wheel.channel, 8);
    EXPECT_EQ(d.color1.slotAt(1).name, "Color 1");
    EXPECT_EQ(d.color1.slotAt(1).value, 11);
    EXPECT_EQ(picture(d.color1.slotAt(1)), "swatch #d9261c");
    EXPECT_FALSE(d.color2.rgb);
    EXPECT_EQ(d.color2.component1.channel, 9);
    EXPECT_EQ(d.color2.component1.name, "Cyan");
    EXPECT_EQ(d.gobo1.wheel.channel, 12);
    EXPECT_EQ(picture(d.gobo1.slotAt(1)), "gobo Chauvet/gobo00069.svg");
    EXPECT_EQ(d.gobo1.control1.channel, 13);
    EXPECT_EQ(d.gobo2.wheel.channel, 14);
    EXPECT_EQ(d.effect1.wheel.channel, 17);
    EXPECT_EQ(d.effect1.control1.channel, 18);
    EXPECT_EQ(d.lampOn.values, (std::map<std::int32_t, std::uint8_t>{{21, 134}}));
    EXPECT_EQ(d.lampOff.values, (std::map<std::int32_t, std::uint8_t>{{21, 234}}));
    EXPECT_EQ(d.reset.values, (std::map<std::int32_t, std::uint8_t>{{21, 204}}));
    EXPECT_EQ(d.blackout.values, (std::map<std::int32_t, std::uint8_t>{{6, 0}}));
    EXPECT_EQ(d.channelCount(), 21);
}

void scanner(const KyQxfImport& i)
{
    const KyDevice& d = i.device;
    EXPECT_TRUE(d.panTilt.active);
    EXPECT_TRUE(d.panTilt.mode8bit);
    EXPECT_EQ(d.panTilt.panChannel, 1);
    EXPECT_EQ(d.panTilt.tiltChannel, 2);
    EXPECT_EQ(d.color1.wheel.channel, 3);
    EXPECT_EQ(d.color1.slotAt(0).name, "Open");
    EXPECT_EQ(d.color1.slotAt(0).value, 4);
    EXPECT_EQ(picture(d.color1.slotAt(13)), "swatch #ff0000 #0000ff");
    EXPECT_EQ(d.gobo1.wheel.channel, 4);
    EXPECT_EQ(d.gobo1.slotCount(), KyGobo::maxSlots);
    EXPECT_EQ(text(d.icon), "icon Scanner");
}

void dimmerPack(const KyQxfImport& i)
{
    const KyDevice& d = i.device;
    EXPECT_FALSE(d.intensity.active);
    ASSERT_EQ(d.dimmers.dimmCount(), 6u);
    for (std::size_t n = 0; n < 6; ++n) {
        EXPECT_EQ(d.dimmers.dimmAt(n).channel, static_cast<int>(n) + 1);
        EXPECT_EQ(d.dimmers.dimmAt(n).name, "Channel " + std::to_string(n + 1));
        EXPECT_TRUE(d.dimmers.dimmAt(n).isIntensity);
        EXPECT_EQ(d.blackout.values.at(static_cast<int>(n) + 1), 0);
    }
}

void cmyWash(const KyQxfImport& i)
{
    const KyDevice& d = i.device;
    ASSERT_TRUE(d.color2.active);
    EXPECT_FALSE(d.color2.rgb);
    EXPECT_EQ(d.color2.component1.name, "Cyan");
    EXPECT_EQ(d.color2.component2.name, "Magenta");
    EXPECT_EQ(d.color2.component3.name, "Yellow");
    EXPECT_TRUE(d.intensity.active);
    EXPECT_TRUE(d.optic.optic1.active);
    EXPECT_EQ(d.optic.optic1.name, "Zoom");
}

TEST(QxfImport, RealDefinitionsOfEveryKind)
{
    if (!haveQxfData())
        GTEST_SKIP() << "qlcplus-data is not installed (apt install qlcplus-data)";
    const RealCase cases[] = {
        {"Cameo/Cameo-LED-Mini-PAR-CAN-RGB-7x3W.qxf", "6-Channel", rgbPar},
        {"Cameo/Cameo-LED-Mini-PAR-CAN-RGBW-7x8W.qxf", "7-Channel", rgbwPar},
        {"Chauvet/Chauvet-Legend-330SR-Spot.qxf", "21 channel", spot16bit},
        {"Robe/Robe-ClubScan-150CT.qxf", "8bit", scanner},
        {"Botex/Botex-DPX-620-III.qxf", "Normal", dimmerPack},
        {"Briteq/Briteq-BT-575W.qxf", "16 Channel", cmyWash},
    };
    for (const RealCase& c : cases) {
        SCOPED_TRACE(c.file);
        auto fixture = readQxfFile(kQxfFolder + "/" + c.file);
        ASSERT_TRUE(fixture);
        auto mode = std::find_if(fixture->modes.begin(), fixture->modes.end(),
                                 [&](const KyQxfMode& m) { return m.name == c.mode; });
        ASSERT_NE(mode, fixture->modes.end());
        KyRecordingPictures pictures;
        KyQxfImport import = importQxfMode(*fixture, *mode, &pictures, c.file);
        ASSERT_TRUE(import.imported()) << qxfRefusalText(import);
        c.check(import);
    }
}

// Every definition Debian ships, every mode: imported and read back equal, or refused with
// its reason.
TEST(QxfImport, EveryDefinitionOfTheLibrary)
{
    if (!haveQxfData())
        GTEST_SKIP() << "qlcplus-data is not installed (apt install qlcplus-data)";
    auto start = std::chrono::steady_clock::now();
    int files = 0, unreadable = 0, modes = 0, imported = 0, tooBig = 0, nothing = 0, leftOut = 0;
    KyRecordingPictures pictures;
    for (const std::string& path : listQxfFiles(kQxfFolder)) {
        ++files;
        auto fixture = readQxfFile(path);
        if (!fixture) {
            ++unreadable;
            continue;
        }
        KyLibrary library;
        for (const KyQxfMode& mode : fixture->modes) {
            ++modes;
            KyQxfImport import = importQxfMode(*fixture, mode, &pictures, path);
            if (import.refusal == KyQxfImport::Refusal::TooManyChannels) {
                ++tooBig;
                EXPECT_GT(mode.channels.size(), 32u) << path;
                continue;
            }
            if (!import.imported()) {
                ++nothing;
                EXPECT_FALSE(qxfRefusalText(import).empty());
                continue;
            }
            ++imported;
            leftOut += import.leftOut.empty() ? 0 : 1;
            EXPECT_LE(import.device.channelCount(), static_cast<int>(mode.channels.size())) << path << " " << mode.name;
            EXPECT_LE(import.device.name.size(), kTypeNameLength);
            ASSERT_TRUE(library.addDevice(import.device));
        }
        KyLibrary again;
        ASSERT_EQ(libraryFromBytes(libraryToBytes(library), again), vt::LoadStatus::Complete) << path;
        ASSERT_EQ(again.deviceCount(), library.deviceCount());
        for (std::size_t n = 0; n < library.deviceCount(); ++n)
            EXPECT_EQ(*again.deviceAt(n), *library.deviceAt(n)) << path;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << files << " files (" << unreadable << " unreadable), " << modes << " modes: " << imported
              << " imported (" << leftOut << " with channels left out), " << tooBig << " over 32 channels, "
              << nothing << " with no channel to hold; " << seconds << " s\n";
    EXPECT_EQ(unreadable, 0);
    EXPECT_GE(imported * 100, (modes - tooBig) * 95);
}

} // namespace
