#include "generator/FigureEdit.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

KyGenerator record(int amplitude, int amplitudeModifier, int speed, int speedModifier)
{
    KyGenerator g;
    g.amplitude = amplitude;
    g.amplitudeModifier = amplitudeModifier;
    g.speed = speed;
    g.speedModifier = speedModifier;
    return g;
}

} // namespace

TEST(FigureEdit, AmplitudeFoldsTheOtherAxisModifierIntoItsAmplitude)
{
    KyGenerator pan = record(128, 30, 255, 100);
    KyGenerator tilt = record(128, 50, 255, 100);
    setAxisAmplitude(pan, tilt, 100);
    EXPECT_EQ(pan.amplitude, 100);
    EXPECT_EQ(pan.amplitudeModifier, 100);
    EXPECT_EQ(tilt.amplitude, 64);
    EXPECT_EQ(tilt.amplitudeModifier, 100);

    KyGenerator odd = record(101, 33, 255, 100); // 33.33 truncates
    setAxisAmplitude(tilt, odd, 7);
    EXPECT_EQ(odd.amplitude, 33);
}

TEST(FigureEdit, SpeedFoldsTheOtherSpeedAndBothPhases)
{
    KyGenerator pan = record(128, 100, 100, 100);
    pan.phase = 10;
    pan.phaseModifier = 30;
    KyGenerator tilt = record(128, 100, 200, 50); // runs at 100
    tilt.phase = 20;
    tilt.phaseModifier = 40;
    tilt.partnerSpeed = 400; // left as it was: the tilt's modifier is not scaled

    setAxisSpeed(pan, tilt, 250);
    EXPECT_EQ(pan.speed, 250);
    EXPECT_EQ(pan.speedModifier, 100);
    EXPECT_EQ(tilt.speed, 100);
    EXPECT_EQ(tilt.speedModifier, 100);
    EXPECT_DOUBLE_EQ(pan.partnerSpeed, 100);
    EXPECT_DOUBLE_EQ(tilt.partnerSpeed, 400);
    // The faster pan scales its modifier by 250 / 100: 10 + 75.
    EXPECT_EQ(pan.phase, 85);
    EXPECT_EQ(tilt.phase, 60);
    EXPECT_EQ(pan.phaseModifier, 0);
    EXPECT_EQ(tilt.phaseModifier, 0);
}

TEST(FigureEdit, PhaseFoldsTheOtherAxisPhase)
{
    KyGenerator pan;
    pan.phaseModifier = 90;
    KyGenerator tilt;
    tilt.phase = 350;
    tilt.phaseModifier = 30;
    tilt.partnerSpeed = 255;
    setAxisPhase(pan, tilt, 45);
    EXPECT_EQ(pan.phase, 45);
    EXPECT_EQ(pan.phaseModifier, 0);
    EXPECT_EQ(tilt.phase, 20);
    EXPECT_EQ(tilt.phaseModifier, 0);
}

TEST(FigureEdit, AxisViewShowsTruncatedEffectiveValues)
{
    KyGenerator g = record(100, 55, 255, 86);
    g.direction = 0;
    g.phase = 30;
    EXPECT_EQ(axisView(g), (KyAxisView{0, 55, 219, 30}));
    // A damaged file's factors do not fit an int; the view saturates.
    KyGenerator damaged = record(INT_MAX, INT_MAX, INT_MIN, INT_MAX);
    const KyAxisView view = axisView(damaged);
    EXPECT_EQ(view.amplitude, INT_MAX);
    EXPECT_EQ(view.speed, INT_MIN);
}

TEST(FigureEdit, DividedPhaseOffsetSharesOutAFullTurn)
{
    const struct {
        int heads, offset;
    } cases[] = {{4, 90}, {3, 120}, {7, 51}, {1, 0}, {359, 1}, {360, 0}, {0, 0}, {-4, 0}, {999, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(dividedPhaseOffset(c.heads), c.offset) << c.heads;
}
