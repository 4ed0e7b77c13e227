#include "cue/Dmx_space.h"
#include "sequence/CueGlobals.h"
#include "sequence/SeqEngine.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;
const double step255 = 255 * 2 * pi * 0.000625; // one tick at speed 255, S = 1

// An 8-bit head: pan at 0, tilt at 1, both generators on.
KyScene head8(std::uint8_t pan, std::uint8_t tilt, std::uint32_t time = 3)
{
    KyScene s;
    s.setStatus(0, KyChStatus{pan, 0, 1, 0, 1});
    s.setStatus(1, KyChStatus{tilt, 0, 2, 0, 1});
    s.generatorFor(0).enabled = 1;
    s.generatorFor(1).enabled = 1;
    s.sceneTime = time;
    return s;
}

// A 16-bit head: pan 10/11, tilt 12/13.
KyScene head16(std::uint16_t pan, std::uint16_t tilt)
{
    KyScene s;
    s.setStatus(10, KyChStatus{std::uint8_t(pan >> 8), 2, 1, 11, 12});
    s.setStatus(11, KyChStatus{std::uint8_t(pan & 0xFF), 1, 1, 0, 12});
    s.setStatus(12, KyChStatus{std::uint8_t(tilt >> 8), 2, 2, 13, 12});
    s.setStatus(13, KyChStatus{std::uint8_t(tilt & 0xFF), 1, 2, 0, 12});
    s.generatorFor(10).enabled = 1;
    s.generatorFor(12).enabled = 1;
    return s;
}

class GeneratorStep : public ::testing::Test {
protected:
    void SetUp() override { cueGlobals() = KyCueGlobals{}; }
    void TearDown() override { cueGlobals() = KyCueGlobals{}; }

    KySeqEngine playing(vt::BulkVector<KyScene> scenes)
    {
        auto seq = std::make_shared<KySequence>();
        seq->scenes = std::move(scenes);
        KySeqEngine engine(seq);
        engine.play();
        engine.playGenerators();
        return engine;
    }
    void tick(KySeqEngine& engine)
    {
        dmx.keepHeldOnly();
        engine.step(dmx, false, false);
        engine.generatorStep(dmx);
    }
    KyGenerator& gen(KySeqEngine& engine, int scene, int channel)
    {
        return engine.sequence->sceneAt(std::size_t(scene)).generatorFor(channel);
    }
    KyDmxSpace dmx;
};

} // namespace

TEST(GeneratorOutput, EightAndSixteenBitAxesWithAndWithoutFlip)
{
    struct Case { double angle; bool flip; bool wide; int base; int expected; };
    const Case cases[] = {
        {0, false, false, 100, 100},
        {pi / 2, false, false, 100, 228},
        {3 * pi / 2, false, false, 100, 0},          // -28 clamped
        {0, true, false, 100, 100},
        {pi / 2, true, false, 100, 0},
        {3 * pi / 2, true, false, 100, 228},
        {pi / 4, false, false, 100, 190},            // 100 + 90.5 truncated
        {0, false, true, 0x8000, 0x8000},
        {pi / 2, false, true, 0x8000, 0xFFFF},       // 0x10000 clamped
        {3 * pi / 2, false, true, 0x8000, 0},
        {pi / 4, false, true, 0x8000, 0x8000 + 23170},
        {pi / 2, true, true, 0x8000, 0},
        {3 * pi / 2, true, true, 0x8000, 0xFFFF},
    };
    for (const Case& c : cases) {
        KyGenerator g;
        g.enabled = 1;
        g.angle = c.angle;
        g.phaseFlip = c.flip;
        EXPECT_EQ(g.outputValue(c.base, c.wide, 1.0), c.expected) << c.angle << " " << c.flip << " " << c.wide;
    }
    KyGenerator g;
    g.angle = pi / 2;
    EXPECT_EQ(g.outputValue(100, false, 0.5), 164);
    EXPECT_EQ(g.outputValue(100, false, std::nan("")), 0); // a damaged factor stays in range
}

TEST(GeneratorOutput, AdvanceFollowsDirectionWrapsAndScalesWithTheSpeedFactor)
{
    KyGenerator g;
    g.advance(1.0);
    EXPECT_DOUBLE_EQ(g.angle, step255);
    EXPECT_EQ(g.lastAngle, g.angle);
    g.direction = 0;
    g.advance(1.0);
    g.advance(1.0);
    EXPECT_NEAR(g.angle, -step255, 1e-12);

    KyGenerator wrap;
    wrap.lastAngle = 2 * pi - 0.1;
    wrap.advance(1.0);
    EXPECT_NEAR(wrap.angle, step255 - 0.1, 1e-12);

    // At S = 0.125 eight ticks cover one tick's way at S = 1.
    KyGenerator slow;
    for (int i = 0; i < 8; ++i)
        slow.advance(0.125);
    EXPECT_NEAR(slow.angle, step255, 1e-12);
}

TEST_F(GeneratorStep, FiguresMoveAroundTheScenePosition)
{
    KySeqEngine engine = playing({head8(100, 50, 50)});
    tick(engine);
    // The first tick of the scene continues (the scene follows itself) and advances once.
    EXPECT_DOUBLE_EQ(gen(engine, 0, 0).angle, step255);
    EXPECT_EQ(dmx.data()[0], int(std::trunc(std::sin(step255) * 128 + 100)));
    EXPECT_EQ(dmx.data()[1], int(std::trunc(std::sin(step255) * 128 + 50)));
    EXPECT_EQ(gen(engine, 0, 0).partnerSpeed, 255);

    engine.stopGenerators();
    EXPECT_EQ(gen(engine, 0, 0).angle, 0.0);
    EXPECT_EQ(gen(engine, 0, 1).lastAngle, 0.0);
    tick(engine);
    EXPECT_EQ(dmx.data()[0], 100); // stopped generators write nothing of their own
}

TEST_F(GeneratorStep, IdenticalScenesContinueTheFigureAndAChangedAxisRestartsIt)
{
    // Scenes of 3 ticks: the third tick's step moves to scene 1, and its generator step is
    // the first one of scene 1.
    KySeqEngine same = playing({head8(100, 100), head8(100, 100)});
    tick(same);
    tick(same);
    const double before = gen(same, 0, 0).angle;
    EXPECT_DOUBLE_EQ(before, 2 * step255);
    tick(same);
    ASSERT_EQ(same.sceneIndex, 1);
    EXPECT_DOUBLE_EQ(gen(same, 1, 0).angle, before + step255);
    EXPECT_DOUBLE_EQ(gen(same, 1, 1).angle, before + step255);

    KyScene changed = head8(100, 100);
    changed.generatorFor(1).speed = 100;
    KySeqEngine restart = playing({head8(100, 100), changed});
    tick(restart);
    tick(restart);
    tick(restart); // first tick of scene 1: both axes start again from 0 and stand still
    ASSERT_EQ(restart.sceneIndex, 1);
    EXPECT_EQ(gen(restart, 1, 0).angle, 0.0);
    EXPECT_EQ(gen(restart, 1, 1).angle, 0.0);
    EXPECT_EQ(dmx.data()[0], 100);
    EXPECT_EQ(dmx.data()[1], 100);
    tick(restart);
    EXPECT_DOUBLE_EQ(gen(restart, 1, 0).angle, step255);
}

TEST_F(GeneratorStep, PausedFiguresStandStillButStayDisplaced)
{
    KySeqEngine engine = playing({head8(100, 100, 1000)});
    for (int i = 0; i < 3; ++i)
        tick(engine);
    engine.pauseGenerators();
    const double angle = gen(engine, 0, 0).angle;
    const int displaced = gen(engine, 0, 0).outputValue(100, false, 1.0);
    ASSERT_NE(displaced, 100);
    for (int i = 0; i < 3; ++i) {
        tick(engine);
        EXPECT_EQ(gen(engine, 0, 0).angle, angle);
        EXPECT_EQ(dmx.data()[0], displaced);
    }
}

TEST_F(GeneratorStep, HeldChannelsAndAmplitudeZero)
{
    KySeqEngine engine = playing({head8(100, 100, 1000)});
    dmx.setManual(0, 7); // the pan held by hand
    for (int i = 0; i < 4; ++i)
        tick(engine);
    EXPECT_EQ(dmx.data()[0], 7);
    EXPECT_NE(dmx.data()[1], 100); // the tilt still moves

    cueGlobals().generatorAmplitude = 0.0;
    const double angle = gen(engine, 0, 1).angle;
    tick(engine);
    EXPECT_EQ(dmx.data()[1], 100);
    EXPECT_GT(gen(engine, 0, 1).angle, angle);
}

TEST_F(GeneratorStep, SixteenBitPairsUseCoarseAndFine)
{
    KyScene scene = head16(0x4000, 0x1234);
    scene.generatorFor(10).phase = 90;
    KySeqEngine engine = playing({scene});
    engine.pauseGenerators(); // keeps the angle at 0
    tick(engine);
    EXPECT_EQ(dmx.data()[10], 0xC0); // 0x4000 + 32768
    EXPECT_EQ(dmx.data()[11], 0x00);
    EXPECT_EQ(dmx.data()[12], 0x12); // phase 0 at angle 0: the scene's position
    EXPECT_EQ(dmx.data()[13], 0x34);

    dmx.setManual(11, 5); // a held fine byte stops the whole pan axis
    tick(engine);
    EXPECT_EQ(dmx.data()[10], 0x40);
    EXPECT_EQ(dmx.data()[11], 5);
}
