#include "generator/Generator.h"

#include <gtest/gtest.h>

TEST(Generator, DerivedValues)
{
    KyGenerator g;
    EXPECT_DOUBLE_EQ(g.effectiveAmplitude(), 128);
    EXPECT_DOUBLE_EQ(g.effectiveSpeed(), 255);
    KyGenerator damaged; // factors whose product leaves the int range
    damaged.speed = damaged.amplitude = 65536;
    damaged.speedModifier = damaged.amplitudeModifier = 33554432;
    EXPECT_DOUBLE_EQ(damaged.effectiveSpeed(), 0x1p41 * 0.01);
    EXPECT_DOUBLE_EQ(damaged.effectiveAmplitude(), 0x1p41 * 0.01);

    struct Case { int phase, modifier, speed, speedModifier; double partner; int expected; };
    const Case cases[] = {
        {350, 30, 200, 100, 100, 50},   // the faster axis scales its modifier: 350 + 60
        {350, 30, 100, 100, 200, 20},   // the slower axis does not
        {10, -50, 100, 100, 100, -40},  // the remainder keeps the dividend's sign
        {0, 30, 100, 100, 0, 0},        // a partner at speed 0 gives no undefined result
    };
    for (const Case& c : cases) {
        g.phase = c.phase;
        g.phaseModifier = c.modifier;
        g.speed = c.speed;
        g.speedModifier = c.speedModifier;
        g.partnerSpeed = c.partner;
        EXPECT_EQ(g.effectivePhase(), c.expected) << c.phase << " " << c.modifier << " " << c.partner;
    }
}

TEST(Generator, SettersResetOrClampTheirModifier)
{
    KyGenerator g;
    g.amplitudeModifier = 40;
    g.setAmplitude(90);
    EXPECT_EQ(g.amplitudeModifier, 100);
    g.setAmplitudeModifier(130);
    EXPECT_EQ(g.amplitudeModifier, 100);
    g.setAmplitudeModifier(-5);
    EXPECT_EQ(g.amplitudeModifier, 0);
    g.setSpeedModifier(0);
    EXPECT_EQ(g.speedModifier, 1);
}

TEST(GeneratorRecord, VersionFourIsThirtyTwoBytesInItsFieldOrder)
{
    KyGenerator g;
    g.enabled = 1;
    g.phaseModifier = -3;
    g.phaseFlip = 1;
    g.phase = 270;
    vt::ByteWriter out;
    writeGenerator(out, g);
    const vt::Bytes expected = {4, 0, 0, 0,   1, 1,   100, 0, 0, 0,   100, 0, 0, 0,   0xFD, 0xFF, 0xFF, 0xFF,
                                1, 1,   128, 0, 0, 0,   255, 0, 0, 0,   14, 1, 0, 0};
    EXPECT_EQ(out.data(), expected);

    KyGenerator back = KyGenerator{};
    back.enabled = 0;
    vt::ByteReader in(out.data());
    ASSERT_EQ(readGenerator(in, back), GeneratorRead::Ok);
    EXPECT_TRUE(back.sameStoredFields(g));
    EXPECT_TRUE(in.atEnd());
}

TEST(GeneratorRecord, OlderVersionsLeaveTheFieldsTheyLackAsTheyWere)
{
    // Versions 1 and 2: enabled, speedModifier, amplitudeModifier, direction, amplitude,
    // speed, phase (and masterDirection for 2). Version 3 adds phaseModifier, not the flip.
    auto record = [](int version) {
        vt::ByteWriter w;
        w.i32(version);
        w.u8(1);                 // enabled
        if (version == 3)
            w.u8(0);             // masterDirection
        w.i32(50);               // speedModifier
        w.i32(60);               // amplitudeModifier
        if (version == 3)
            w.i32(15);           // phaseModifier
        w.u8(0);                 // direction
        w.i32(70);               // amplitude
        w.i32(80);               // speed
        w.i32(90);               // phase
        if (version == 2)
            w.u8(0);             // masterDirection
        return w.take();
    };
    for (int version : {1, 2, 3}) {
        KyGenerator g; // defaults: masterDirection 1, phaseModifier 0, phaseFlip 0
        g.phaseFlip = 1;
        auto bytes = record(version);
        vt::ByteReader in(bytes);
        ASSERT_EQ(readGenerator(in, g), GeneratorRead::Ok) << version;
        EXPECT_TRUE(in.atEnd()) << version;
        EXPECT_EQ(g.enabled, 1);
        EXPECT_EQ(g.speedModifier, 50);
        EXPECT_EQ(g.amplitudeModifier, 60);
        EXPECT_EQ(g.direction, 0);
        EXPECT_EQ(g.amplitude, 70);
        EXPECT_EQ(g.speed, 80);
        EXPECT_EQ(g.phase, 90);
        EXPECT_EQ(g.masterDirection, version == 1 ? 1 : 0) << version;
        EXPECT_EQ(g.phaseModifier, version == 3 ? 15 : 0) << version;
        EXPECT_EQ(g.phaseFlip, 1) << version;
    }
}

TEST(GeneratorRecord, UnknownVersionsAndShortDataLeaveTheRecordUnchanged)
{
    for (int version : {0, 5, -1}) {
        vt::ByteWriter w;
        w.i32(version);
        KyGenerator g;
        vt::ByteReader in(w.data());
        EXPECT_EQ(readGenerator(in, g), GeneratorRead::UnsupportedVersion) << version;
    }
    vt::ByteWriter w;
    KyGenerator source;
    source.amplitude = 5;
    writeGenerator(w, source);
    auto bytes = w.take();
    bytes.pop_back();
    KyGenerator g;
    vt::ByteReader in(bytes);
    EXPECT_EQ(readGenerator(in, g), GeneratorRead::Truncated);
    EXPECT_EQ(g.amplitude, 128);
}
