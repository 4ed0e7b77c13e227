#include "generator/GeneratorScale.h"

#include <gtest/gtest.h>

#include <cmath>

// 0.00875 has no exact binary form, so -100 lands a rounding error below 0.125.
TEST(GeneratorScale, SpeedPositionToFactor)
{
    EXPECT_NEAR(generatorSpeedFactor(-100), 0.125, 1e-12);
    EXPECT_NEAR(generatorSpeedFactor(-40), 0.65, 1e-12);
    EXPECT_EQ(generatorSpeedFactor(0), 1.0);
    EXPECT_NEAR(generatorSpeedFactor(100), 3.984375, 1e-12);
    EXPECT_NEAR(generatorSpeedFactor(-250), 0.125, 1e-12);
    EXPECT_NEAR(generatorSpeedFactor(250), 3.984375, 1e-12);
}

TEST(GeneratorScale, SpeedFactorToPosition)
{
    struct Case {
        double factor;
        int position;
    };
    for (Case c : {Case{2.0, 34}, Case{0.125, -100}, Case{4.0, 101}, Case{3.984375, 100}, Case{1.0, 0},
                   Case{0.5, -57}, Case{0.5625, -50}, Case{2.4921875, 50}, Case{0.01, -100},
                   Case{9.0, 101}, Case{std::nan(""), -100}})
        EXPECT_EQ(generatorSpeedPosition(c.factor), c.position) << c.factor;
}

TEST(GeneratorScale, EverySpeedPositionSurvivesTheRoundTrip)
{
    for (int p = -100; p <= 100; ++p)
        EXPECT_EQ(generatorSpeedPosition(generatorSpeedFactor(p)), p);
}

TEST(GeneratorScale, AmplitudeBothWays)
{
    EXPECT_DOUBLE_EQ(generatorAmplitudeFactor(100), 1.0);
    EXPECT_DOUBLE_EQ(generatorAmplitudeFactor(37), 0.37);
    EXPECT_EQ(generatorAmplitudePosition(0.375), 38);
    EXPECT_EQ(generatorAmplitudePosition(0.374), 37);
    EXPECT_EQ(generatorAmplitudePosition(0.29), 29);
    EXPECT_EQ(generatorAmplitudePosition(7.0), 100);
    EXPECT_EQ(generatorAmplitudePosition(std::nan("")), 0);
    for (int p = 0; p <= 100; ++p)
        EXPECT_EQ(generatorAmplitudePosition(generatorAmplitudeFactor(p)), p);
}
