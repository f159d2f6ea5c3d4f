#include "ValueCurves.h"

#include <gtest/gtest.h>

namespace vorl
{
namespace
{
struct CurvePoint
{
    float in;
    float expected;
};

TEST(ValueCurves, TimeCurveHitsItsBreakpointsAndClamps)
{
    const CurvePoint cases[] = {{-50.0f, 1.0f},    {0.0f, 1.0f},       {320.0f, 30.0f},
                                {537.0f, 301.0f},  {650.0f, 1000.0f},  {651.0f, 1002.0f},
                                {999.0f, 1996.0f}, {1000.0f, 2000.0f}, {1500.0f, 2000.0f}};
    for (const auto& c : cases)
        EXPECT_EQ(timeSliderToMs(c.in), c.expected) << "slider " << c.in;
}

TEST(ValueCurves, InverseTimeCurveRoundsToWholeSliderUnits)
{
    const CurvePoint cases[] = {{0.5f, 0.0f},      {1.0f, 0.0f},       {30.0f, 320.0f},   {300.0f, 537.0f},
                                {1000.0f, 650.0f}, {2000.0f, 1000.0f}, {5000.0f, 1000.0f}};
    for (const auto& c : cases)
        EXPECT_EQ(msToTimeSlider(c.in), c.expected) << c.in << " ms";
}

TEST(ValueCurves, TimeCurveRoundTripsEveryWholeSliderValueItCanRepresent)
{
    // Each slider value maps to whole milliseconds; reading them back must land on a slider value
    // that gives the same milliseconds (several slider values share one ms near the bottom).
    for (int v = 0; v <= 1000; ++v)
    {
        const float ms = timeSliderToMs(static_cast<float>(v));
        EXPECT_EQ(timeSliderToMs(msToTimeSlider(ms)), ms) << "slider " << v;
    }
}

TEST(ValueCurves, RateCurveMatchesItsDefaults)
{
    EXPECT_EQ(hzToRateSlider(1.2f), 523.0f);
    EXPECT_NEAR(rateSliderToHz(523.0f), 1.2004f, 1e-4f);
    EXPECT_EQ(hzToRateSlider(3.0f), 753.0f);
    EXPECT_NEAR(rateSliderToHz(753.0f), 2.9958f, 1e-4f);
    EXPECT_FLOAT_EQ(rateSliderToHz(0.0f), 0.15f);
    EXPECT_NEAR(rateSliderToHz(1000.0f), 8.0f, 1e-4f);
    // Below the range the inverse stops at 0; above it there is no clamp.
    EXPECT_EQ(hzToRateSlider(0.01f), 0.0f);
    EXPECT_GT(hzToRateSlider(20.0f), 1000.0f);
}

TEST(ValueCurves, PitchRateCurveIsExactlyZeroAtTheBottom)
{
    EXPECT_EQ(pitchRateSliderToHz(0.0f), 0.0f);
    EXPECT_EQ(pitchRateSliderToHz(-10.0f), 0.0f);
    EXPECT_NEAR(pitchRateSliderToHz(1.0f), 0.01104f, 1e-5f);
    EXPECT_NEAR(pitchRateSliderToHz(500.0f), 0.7982f, 1e-4f);
    EXPECT_NEAR(pitchRateSliderToHz(1000.0f), 8.0f, 1e-4f);
    EXPECT_NEAR(pitchRateSliderToHz(2000.0f), 8.0f, 1e-4f);
    EXPECT_EQ(pitchRateHzToSlider(1.0f), 543.0f);
    EXPECT_EQ(pitchRateHzToSlider(0.0f), 0.0f);
    EXPECT_EQ(pitchRateHzToSlider(8.0f), 1000.0f);
    EXPECT_EQ(pitchRateHzToSlider(100.0f), 1000.0f);
}

TEST(ValueCurves, LengthCurveGivesWholeMilliseconds)
{
    EXPECT_EQ(lengthSliderToMs(0.0f), 10.0f);
    EXPECT_EQ(lengthSliderToMs(757.0f), 2408.0f);
    EXPECT_EQ(lengthSliderToMs(1000.0f), 14000.0f);
}

TEST(ValueCurves, FilterCurvesSpanTheirRanges)
{
    EXPECT_FLOAT_EQ(highPassSliderToHz(0.0f), 20.0f);
    EXPECT_NEAR(highPassSliderToHz(434.59f), 200.0f, 0.05f);
    EXPECT_NEAR(highPassSliderToHz(1000.0f), 4000.0f, 0.5f);
    EXPECT_FLOAT_EQ(lowPassSliderToHz(0.0f), 500.0f);
    EXPECT_NEAR(lowPassSliderToHz(656.65f), 5999.9f, 0.5f);
    EXPECT_NEAR(lowPassSliderToHz(1000.0f), 22000.0f, 2.0f);
}
} // namespace
} // namespace vorl
