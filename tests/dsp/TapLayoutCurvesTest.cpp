#include "DecayCurve.h"
#include "LfoRandom.h"
#include "WaveValue.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vorl
{
namespace
{
TEST(DecayCurveValue, CosineMiddleAndOuterQuartersReachPlusMinus140)
{
    struct Case
    {
        float dial;
        float curve;
    };
    const Case cases[] = {{50.636662f, -70.0f},
                          {0.0f, -100.0f},
                          {100.0f, 0.0f},
                          {200.0f, 100.0f},
                          {250.0f, 100.0f + 40.0f * (1.0f - std::cos(0.25f * 3.14159265f))},
                          {300.0f, 140.0f},
                          {-50.0f, -100.0f - 40.0f * (1.0f - std::cos(0.25f * 3.14159265f))},
                          {-100.0f, -140.0f}};
    for (const auto& c : cases)
        EXPECT_NEAR(decayCurveValue(c.dial), c.curve, 1e-3f) << "dial " << c.dial;
}

TEST(DecayCurveGain, StartsAtUnityAndEndsAtTheCurvesLevel)
{
    EXPECT_EQ(decayCurveGain(0.0f, 0.0f), 1.0f);
    EXPECT_EQ(decayCurveGain(-1.0f, -140.0f), 1.0f);
    EXPECT_NEAR(decayCurveGain(1.0f, 0.0f), 0.1f, 1e-6f);
    EXPECT_NEAR(decayCurveGain(2.0f, 0.0f), 0.1f, 1e-6f); // x is limited to 1
    EXPECT_NEAR(20.0f * std::log10(decayCurveGain(0.5f, 140.0f)), -3.0f, 1e-4f);
    EXPECT_NEAR(20.0f * std::log10(decayCurveGain(1.0f, -140.0f)), -45.0f, 1e-4f);
}

TEST(WaveValue, PeriodicShapesAtQuarterCycles)
{
    // At 1 Hz, 250 ms is a quarter cycle; depth 100 % gives the shape's own value.
    struct Case
    {
        int shape;
        float timeMs;
        float value;
    };
    const Case cases[] = {{0, 250.0f, 1.0f}, {0, 750.0f, -1.0f}, {1, 0.0f, -1.0f},   {1, 250.0f, 0.0f},
                          {1, 500.0f, 1.0f}, {2, 100.0f, 1.0f},  {2, 600.0f, -1.0f}, {3, 0.0f, 1.0f},
                          {3, 250.0f, 0.5f}, {4, 250.0f, -0.5f}, {7, 250.0f, 0.0f},  {42, 250.0f, 1.0f}};
    for (const auto& c : cases)
        EXPECT_NEAR(waveValue(c.timeMs, 1.0f, c.shape, 100.0f, 7u, 0.0f), c.value, 1e-5f)
            << "shape " << c.shape << " at " << c.timeMs << " ms";
}

TEST(WaveValue, DepthScalesAndZeroDepthIsSilent)
{
    EXPECT_NEAR(waveValue(250.0f, 1.0f, 0, 40.0f, 0u, 0.0f), 0.4f, 1e-6f);
    EXPECT_EQ(waveValue(250.0f, 1.0f, 0, 0.0f, 0u, 0.0f), 0.0f);
    EXPECT_EQ(waveValue(250.0f, 1.0f, 5, -10.0f, 0u, 0.0f), 0.0f);
}

TEST(WaveValue, SyncedShapesStartOnTheBeatAtTheirPeak)
{
    for (const int shape : {0, 1, 2})
        EXPECT_NEAR(waveValue(0.0f, 2.0f, shape, 100.0f, 0u, shapePhaseOffset(shape)), 1.0f, 1e-5f)
            << "shape " << shape;
}

TEST(WaveValue, RandomShapesFollowTheSeededSequence)
{
    const uint32_t seed = 0xC0FFEEu;
    // 2 Hz: 1.75 s is step 3, three quarters of the way to step 4.
    EXPECT_EQ(waveValue(1750.0f, 2.0f, 5, 100.0f, seed, 0.0f), rnd(3, seed));
    const float a = rnd(3, seed);
    const float b = rnd(4, seed);
    EXPECT_NEAR(waveValue(1875.0f, 2.0f, 6, 100.0f, seed, 0.0f), a + (b - a) * 0.75f, 1e-6f);
    // Before time zero the random position holds at step 0.
    EXPECT_EQ(waveValue(-500.0f, 2.0f, 5, 100.0f, seed, 0.0f), rnd(0, seed));
}
} // namespace
} // namespace vorl
