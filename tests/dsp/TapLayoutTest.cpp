#include "TapLayout.h"
#include "AllocationCounter.h"
#include "DecayCurve.h"
#include "LayoutDerivation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vorl
{
namespace
{
// Even spacing, no bend, flat gain stages: each test switches on what it looks at.
TapLayoutInputs plainInputs()
{
    TapLayoutInputs in;
    in.startMs = 100.0f;
    in.endMs = 100.0f;
    in.lengthMs = 1000.0f;
    in.predelayMs = 0.0f;
    in.tapCount = 64;
    in.vorl = 0.0f;
    in.reverse = false;
    in.curve = 0.0f;
    in.decayMode = 0;
    in.decaySteps = 4;
    in.decayFalloff = 0.0f;
    in.dynamicSmoothing = false;
    in.waveOn = false;
    return in;
}

float dB(float gain)
{
    return 20.0f * std::log10(gain);
}

class TapLayoutTest : public ::testing::Test
{
protected:
    TapLayoutResult run(const TapLayoutInputs& in)
    {
        TapLayoutResult result;
        layout.compute(in, result);
        return result;
    }

    TapLayout layout;
};

TEST_F(TapLayoutTest, SingleTapSitsAtThePredelayWithFullGain)
{
    auto in = plainInputs();
    in.tapCount = 1;
    in.predelayMs = 250.0f;
    in.dynamicSmoothing = true;
    in.decayFalloff = 40.0f;
    const auto r = run(in);
    ASSERT_EQ(r.count, 1);
    EXPECT_EQ(r.taps[0].timeMs, 250.0f);
    EXPECT_EQ(r.taps[0].gain, 1.0f);
    EXPECT_EQ(r.taps[0].stereoOffset, 0.0f);
}

TEST_F(TapLayoutTest, EvenSpacingStopsWhenTheCursorReachesTheLength)
{
    const auto r = run(plainInputs());
    ASSERT_EQ(r.count, 10);
    for (int j = 0; j < r.count; ++j)
        EXPECT_FLOAT_EQ(r.taps[static_cast<size_t>(j)].timeMs, 100.0f * static_cast<float>(j)) << "tap " << j;
    EXPECT_EQ(r.taps[0].timeMs, 0.0f); // no predelay: the first tap repeats the input at once
}

TEST_F(TapLayoutTest, SpacingGlidesFromStartToEnd)
{
    auto in = plainInputs();
    in.startMs = 10.0f;
    in.endMs = 200.0f;
    const auto r = run(in);
    ASSERT_GE(r.count, 3);
    float previousGap = 0.0f;
    for (int j = 1; j < r.count; ++j)
    {
        const float gap = r.taps[static_cast<size_t>(j)].timeMs - r.taps[static_cast<size_t>(j - 1)].timeMs;
        EXPECT_GT(gap, previousGap) << "tap " << j;
        previousGap = gap;
    }
    EXPECT_FLOAT_EQ(r.taps[1].timeMs, 10.0f);
}

TEST_F(TapLayoutTest, GapsStayAtLeastFourMillisecondsAtZeroVorl)
{
    // 64 taps: raw spacing floor of 4 ms. 8 taps: the floor is 0.5 ms before shaping, but the
    // minimum-gap rule still spaces the final taps 4 ms apart.
    for (const int taps : {64, 8})
    {
        auto in = plainInputs();
        in.startMs = 1.0f;
        in.endMs = 1.0f;
        in.tapCount = taps;
        const auto r = run(in);
        ASSERT_EQ(r.count, taps);
        for (int j = 1; j < r.count; ++j)
            EXPECT_FLOAT_EQ(r.taps[static_cast<size_t>(j)].timeMs - r.taps[static_cast<size_t>(j - 1)].timeMs,
                            4.0f)
                << taps << " taps, tap " << j;
    }
}

TEST_F(TapLayoutTest, VorlBendsThePatternAlongItsPowerCurve)
{
    auto in = plainInputs();
    in.startMs = 50.0f;
    in.endMs = 50.0f;
    in.lengthMs = 2000.0f;
    in.predelayMs = 100.0f;

    in.vorl = 60.0f;
    const auto positive = run(in);
    in.vorl = -60.0f;
    const auto negative = run(in);
    ASSERT_EQ(positive.count, 40);
    ASSERT_EQ(negative.count, 40);

    // 1 - (1 - t)^p spreads the beginning and packs the end; t^p does the opposite. Where taps
    // pack together the minimum gap 4 - 3.6a - 0.25a^2 = 1.75 ms (a = 0.6) takes over.
    auto gap = [](const TapLayoutResult& r, int j)
    { return r.taps[static_cast<size_t>(j + 1)].timeMs - r.taps[static_cast<size_t>(j)].timeMs; };
    EXPECT_GT(gap(positive, 0), 100.0f);
    EXPECT_NEAR(gap(positive, 38), 1.75f, 1e-3f);
    EXPECT_NEAR(gap(negative, 0), 1.75f, 1e-3f);
    EXPECT_GT(gap(negative, 38), 100.0f);

    // Negative Vorl moves even the first tap one minimum gap past the predelay.
    EXPECT_NEAR(negative.taps[0].timeMs, 101.75f, 1e-3f);
    // Positive Vorl measures its gaps back from the end of the span, which it never passes.
    EXPECT_NEAR(positive.taps[39].timeMs, 2100.0f - 1.75f, 1e-3f);
    EXPECT_LE(negative.taps[39].timeMs, 2100.0f);
}

TEST_F(TapLayoutTest, LongestPatternFitsInTheLineForEveryBend)
{
    auto in = plainInputs();
    in.predelayMs = 2000.0f;
    in.lengthMs = 14000.0f;
    in.startMs = 200.0f;
    in.endMs = 400.0f;
    for (const float vorl : {-100.0f, -50.0f, 0.0f, 50.0f, 100.0f})
    {
        in.vorl = vorl;
        const auto r = run(in);
        ASSERT_GT(r.count, 1);
        // Positive Vorl may ease the first taps a little before the predelay: its gaps are
        // measured back from the end.
        const float earliest = vorl > 0.0f ? 1990.0f : 2000.0f;
        for (int j = 0; j < r.count; ++j)
        {
            EXPECT_GE(r.taps[static_cast<size_t>(j)].timeMs, earliest) << "vorl " << vorl << " tap " << j;
            EXPECT_LE(r.taps[static_cast<size_t>(j)].timeMs, 14999.0f) << "vorl " << vorl << " tap " << j;
        }
    }
}

TEST_F(TapLayoutTest, ReverseMirrorsTimesAndKeepsTapZeroLoudest)
{
    auto in = plainInputs();
    in.startMs = 20.0f;
    in.endMs = 150.0f;
    in.curve = -70.0f;
    in.decayFalloff = 25.0f;
    in.dynamicSmoothing = true;
    in.vorl = 30.0f;
    const auto forward = run(in);
    in.reverse = true;
    const auto reversed = run(in);
    in.dynamicSmoothing = false;
    const auto reversedUnsmoothed = run(in);

    ASSERT_EQ(reversed.count, forward.count);
    const float patternEnd = 1000.0f; // predelay + span
    for (int j = 0; j < reversed.count; ++j)
    {
        const auto k = static_cast<size_t>(j);
        EXPECT_FLOAT_EQ(reversed.taps[k].timeMs, patternEnd - forward.taps[k].timeMs) << "tap " << j;
        EXPECT_LE(reversed.taps[k].gain, reversed.taps[0].gain) << "tap " << j;
        // Spacing differences run backwards, so dynamic smoothing changes nothing.
        EXPECT_EQ(reversed.taps[k].gain, reversedUnsmoothed.taps[k].gain) << "tap " << j;
    }
    for (int j = 1; j < reversed.count; ++j)
        EXPECT_LT(reversed.taps[static_cast<size_t>(j)].timeMs,
                  reversed.taps[static_cast<size_t>(j - 1)].timeMs);
}

TEST_F(TapLayoutTest, ReverseNeverGivesNegativeTimesWhenGapsOvershootTheSpan)
{
    // Eight 4 ms gaps need 28 ms but the span is 10 ms: the last taps lie beyond the span and
    // mirror to before time zero; they are held at 0.
    auto in = plainInputs();
    in.tapCount = 8;
    in.startMs = 1.0f;
    in.endMs = 1.0f;
    in.lengthMs = 10.0f;
    in.reverse = true;
    const auto r = run(in);
    ASSERT_EQ(r.count, 8);
    EXPECT_FLOAT_EQ(r.taps[0].timeMs, 10.0f);
    EXPECT_FLOAT_EQ(r.taps[1].timeMs, 6.0f);
    EXPECT_FLOAT_EQ(r.taps[2].timeMs, 2.0f);
    for (int j = 3; j < r.count; ++j)
        EXPECT_EQ(r.taps[static_cast<size_t>(j)].timeMs, 0.0f) << "tap " << j;
}

TEST_F(TapLayoutTest, NegativeVorlNeverPushesATapPastTheLine)
{
    LayoutParameterValues values;
    values.g = -20.311005f;
    values.s = 1000.0f;
    values.e = 128.469f;
    values.fb = 1000.0f;
    values.pd = 1700.445f;
    const auto derived = deriveLayoutInputs(values, 62, 40.75f, 0);
    const auto r = run(derived.inputs);
    ASSERT_EQ(r.count, 41); // the 2000 ms start spacing uses up the length first
    for (int j = 0; j < r.count; ++j)
        EXPECT_LE(r.taps[static_cast<size_t>(j)].timeMs, 14999.0f) << "tap " << j;
    EXPECT_EQ(r.taps[40].timeMs, 14999.0f); // the gap rule alone would put it at 15000.03 ms
}

TEST_F(TapLayoutTest, SmoothDecayEndsAtTheCurvesLevel)
{
    struct Case
    {
        float curve;
        float lastTapDb;
    };
    for (const Case c : {Case{0.0f, -20.0f}, Case{140.0f, -6.0f}, Case{-140.0f, -45.0f}})
    {
        auto in = plainInputs();
        in.curve = c.curve;
        const auto r = run(in);
        ASSERT_EQ(r.count, 10);
        EXPECT_EQ(r.taps[0].gain, 1.0f);
        EXPECT_NEAR(dB(r.taps[9].gain), c.lastTapDb, 1e-3f) << "curve " << c.curve;
        for (int j = 1; j < r.count; ++j)
            EXPECT_LT(r.taps[static_cast<size_t>(j)].gain, r.taps[static_cast<size_t>(j - 1)].gain);
    }
}

TEST_F(TapLayoutTest, StepModeFormsPlateausAtStepCentres)
{
    auto in = plainInputs();
    in.startMs = 10.0f;
    in.endMs = 10.0f;
    in.lengthMs = 1000.0f;
    in.tapCount = 17; // x = j/16: four taps per step
    in.curve = -40.0f;
    in.decayMode = static_cast<int>(DecayMode::step);
    in.decaySteps = 4;
    const auto r = run(in);
    ASSERT_EQ(r.count, 17);
    EXPECT_EQ(r.taps[0].gain, 1.0f);
    const float centres[] = {0.125f, 0.375f, 0.625f, 0.875f};
    for (int j = 1; j < r.count; ++j)
    {
        const int step = std::min(j / 4, 3);
        EXPECT_FLOAT_EQ(r.taps[static_cast<size_t>(j)].gain, decayCurveGain(centres[step], -40.0f))
            << "tap " << j;
    }
}

TEST_F(TapLayoutTest, WaveyModeBlendsIntoTheNextStep)
{
    auto in = plainInputs();
    in.startMs = 10.0f;
    in.endMs = 10.0f;
    in.tapCount = 17;
    in.curve = -40.0f;
    in.decayMode = static_cast<int>(DecayMode::wavey);
    const auto r = run(in);
    const float first = decayCurveGain(0.125f, -40.0f);
    const float second = decayCurveGain(0.375f, -40.0f);
    // Tap 1 (r = 0.25) and 2 (r = 0.5) stay on the plateau, tap 3 (r = 0.75) is on its way down.
    EXPECT_FLOAT_EQ(r.taps[1].gain, first);
    EXPECT_FLOAT_EQ(r.taps[2].gain, first);
    EXPECT_LT(r.taps[3].gain, first);
    EXPECT_GT(r.taps[3].gain, second);
    // The last step has nothing to blend into.
    EXPECT_FLOAT_EQ(r.taps[16].gain, decayCurveGain(0.875f, -40.0f));
}

TEST_F(TapLayoutTest, FullFalloffFadesEveryTapAfterTheFirstToSilence)
{
    auto in = plainInputs();
    in.decayFalloff = 100.0f;
    const auto r = run(in);
    ASSERT_EQ(r.count, 10);
    EXPECT_EQ(r.taps[0].gain, 1.0f);
    EXPECT_EQ(r.taps[9].gain, 0.0f);
    for (int j = 1; j < 9; ++j)
    {
        const float pos = static_cast<float>(j) / 9.0f;
        const float h = (1.0f - pos * pos) * (1.0f - pos * pos);
        EXPECT_NEAR(r.taps[static_cast<size_t>(j)].gain, decayCurveGain(pos, 0.0f) * h, 1e-6f) << "tap " << j;
    }
}

TEST_F(TapLayoutTest, PartialFalloffLeavesTheEarlyTapsAlone)
{
    auto in = plainInputs();
    in.decayFalloff = 40.0f; // falloff starts at 60 % of the pattern
    const auto withFalloff = run(in);
    in.decayFalloff = 0.0f;
    const auto without = run(in);
    for (int j = 0; j < 10; ++j)
    {
        const auto k = static_cast<size_t>(j);
        if (static_cast<float>(j) / 9.0f <= 0.6f)
            EXPECT_EQ(withFalloff.taps[k].gain, without.taps[k].gain) << "tap " << j;
        else
            EXPECT_LT(withFalloff.taps[k].gain, without.taps[k].gain) << "tap " << j;
    }
}

TEST_F(TapLayoutTest, DynamicSmoothingQuietensCrowdedTapsAndLiftsSparseOnes)
{
    auto in = plainInputs();
    in.startMs = 10.0f;
    in.endMs = 300.0f;
    in.lengthMs = 3000.0f;
    in.curve = 140.0f;
    const auto flat = run(in);
    in.dynamicSmoothing = true;
    const auto smoothed = run(in);
    ASSERT_EQ(smoothed.count, flat.count);
    const int last = smoothed.count - 1;
    EXPECT_LT(smoothed.taps[1].gain, flat.taps[1].gain);
    EXPECT_GT(smoothed.taps[static_cast<size_t>(last)].gain, flat.taps[static_cast<size_t>(last)].gain);
    for (int j = 0; j <= last; ++j)
    {
        EXPECT_GE(smoothed.taps[static_cast<size_t>(j)].gain, 0.0f);
        EXPECT_LE(smoothed.taps[static_cast<size_t>(j)].gain, 1.8f);
    }
}

TEST_F(TapLayoutTest, WaveWithoutDepthOrWithShapeOffChangesNothing)
{
    auto in = plainInputs();
    in.startMs = 35.0f;
    in.endMs = 80.0f;
    const auto reference = run(in);

    struct Case
    {
        float density;
        int shape;
    };
    for (const Case c : {Case{0.0f, 0}, Case{0.0f, 5}, Case{100.0f, 7}})
    {
        in.waveOn = true;
        in.waveDensity = c.density;
        in.waveShape = c.shape;
        in.waveOffsetDeg = 90.0f;
        in.wavePhaseDeg = 45.0f;
        const auto r = run(in);
        ASSERT_EQ(r.count, reference.count);
        for (int j = 0; j < r.count; ++j)
        {
            const auto k = static_cast<size_t>(j);
            EXPECT_EQ(r.taps[k].timeMs, reference.taps[k].timeMs);
            EXPECT_EQ(r.taps[k].gain, reference.taps[k].gain);
            EXPECT_EQ(r.taps[k].stereoOffset, 0.0f);
        }
    }
}

TEST_F(TapLayoutTest, WaveModulatesSpacingAndSpreadsTheRightChannel)
{
    auto in = plainInputs();
    in.startMs = 50.0f;
    in.endMs = 50.0f;
    in.lengthMs = 2000.0f;
    in.waveOn = true;
    in.waveRateHz = 1.0f;
    in.waveDensity = 50.0f;
    in.waveShape = 0;
    in.waveOffsetDeg = 180.0f; // the right reading is the negated left one
    const auto r = run(in);
    ASSERT_GT(r.count, 10);
    bool spacingMoved = false;
    for (int j = 0; j + 1 < r.count; ++j)
    {
        const auto k = static_cast<size_t>(j);
        const float cursor = r.taps[k].timeMs;
        const float y1 = 0.5f * std::sin(6.28318530718f * cursor / 1000.0f);
        EXPECT_NEAR(r.taps[k].stereoOffset, -2.0f * y1, 1e-3f) << "tap " << j;
        const float expectedGap = std::max((1.0f + y1) * 50.0f, 4.0f);
        EXPECT_NEAR(r.taps[k + 1].timeMs - cursor, std::max(expectedGap, 4.0f), 1e-2f) << "tap " << j;
        spacingMoved = spacingMoved || std::fabs(expectedGap - 50.0f) > 5.0f;
    }
    EXPECT_TRUE(spacingMoved);
}

TEST_F(TapLayoutTest, EmptyLengthGivesNoTaps)
{
    auto in = plainInputs();
    TapLayoutResult r;
    layout.compute(in, r);
    ASSERT_GT(r.count, 0);
    in.lengthMs = 0.0f;
    layout.compute(in, r);
    EXPECT_EQ(r.count, 0);
}

TEST_F(TapLayoutTest, ComputeDoesNotAllocate)
{
    auto in = plainInputs();
    in.tapCount = 300;
    in.startMs = 1.0f;
    in.endMs = 40.0f;
    in.lengthMs = 14000.0f;
    in.vorl = -60.0f;
    in.waveOn = true;
    in.waveShape = 6;
    in.dynamicSmoothing = true;
    in.decayMode = 2;
    TapLayoutResult r;
    test::ScopedAllocationCounter counter;
    layout.compute(in, r);
    in.vorl = 60.0f;
    in.reverse = true;
    layout.compute(in, r);
    EXPECT_EQ(counter.allocations(), 0u);
    EXPECT_EQ(r.count, 300);
}
} // namespace
} // namespace vorl
