#include "LfoShapes.h"
#include "LfoRandom.h"

#include <gtest/gtest.h>

namespace vorl
{
TEST(LfoShapes, ValuesAtKeyPhases)
{
    struct Case
    {
        double phase;
        int shape;
        float expected;
    };
    const Case cases[] = {
        {0.0, 0, 0.0f},  {0.25, 0, 1.0f},  {0.75, 0, -1.0f}, // sine
        {0.0, 1, -1.0f}, {0.25, 1, 0.0f},  {0.5, 1, 1.0f},   // triangle
        {0.49, 2, 1.0f}, {0.5, 2, -1.0f},  {0.99, 2, -1.0f}, // square
        {0.0, 3, -1.0f}, {0.75, 3, 0.5f},                    // rising saw
        {0.0, 4, 1.0f},  {0.75, 4, -0.5f},                   // falling saw
        {0.3, 5, 0.0f},  {0.3, 6, 0.0f},   {0.3, 9, 0.0f},   // random shapes belong to the caller
        {1.25, 0, 1.0f}, {-0.75, 0, 1.0f}, {-0.5, 1, 1.0f},  // only the fraction counts
    };
    for (const Case& c : cases)
        EXPECT_NEAR(shapeValue(c.phase, c.shape), c.expected, 1e-6f)
            << "shape " << c.shape << " phase " << c.phase;
}

TEST(LfoShapes, SyncedStartPhaseIsTheTop)
{
    for (int shape = 0; shape <= 3; ++shape)
        EXPECT_NEAR(shapeValue(shapePhaseOffset(shape), shape), 1.0f, 1e-6f) << "shape " << shape;
}

TEST(LfoShapes, AdvancePhaseStaysInTheUnitRange)
{
    EXPECT_NEAR(advancePhase(0.99, 960.0, 48000.0), 0.01, 1e-12);
    EXPECT_NEAR(advancePhase(0.01, -960.0, 48000.0), 0.99, 1e-12);
    EXPECT_EQ(advancePhase(0.25, 0.0, 48000.0), 0.25);

    const double oddSteps[][2] = {{2.5, 1.0}, {-3.7, 1.0}, {1e9, 48000.0}, {8.0, 22050.0}, {0.01, 192000.0}};
    for (const auto& step : oddSteps)
    {
        double phase = 0.999;
        for (int i = 0; i < 1000; ++i)
        {
            phase = advancePhase(phase, step[0], step[1]);
            ASSERT_GE(phase, 0.0);
            ASSERT_LT(phase, 1.0);
        }
    }
}

TEST(LfoShapes, SlowestRateStillAdvancesAtTheHighestSampleRate)
{
    // 0.01 Hz at 192 kHz is a step of about 5e-8 cycles per sample.
    double phase = 0.9;
    for (int i = 0; i < 192000; ++i)
        phase = advancePhase(phase, 0.01, 192000.0);
    EXPECT_NEAR(phase, 0.91, 1e-6);
}
} // namespace vorl
