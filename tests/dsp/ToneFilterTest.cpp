#include "ToneFilter.h"
#include "Biquad.h"
#include "MathConstants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace vorl
{
namespace
{
// Peak level of a filtered sine once the filter has settled.
float steadyGain(ToneFilter& filter, float hz, float sampleRate)
{
    const int total = static_cast<int>(sampleRate); // one second
    float peak = 0.0f;
    for (int i = 0; i < total; ++i)
    {
        const float y = filter.process(std::sin(2.0f * static_cast<float>(vorl::kPi) * hz * i / sampleRate));
        if (i > total / 2)
            peak = std::max(peak, std::fabs(y));
    }
    return peak;
}

ToneFilter makeFilter(double sampleRate, float hpHz, float lpHz)
{
    ToneFilter filter;
    filter.prepare(sampleRate);
    filter.setHighPass(hpHz);
    filter.setLowPass(lpHz);
    return filter;
}

// The alternating sequence +1, -1 sits exactly at the Nyquist frequency.
float nyquistLevelAfterSettling(ToneFilter& filter)
{
    float y = 0.0f;
    for (int i = 0; i < 4096; ++i)
        y = filter.process(i % 2 == 0 ? 1.0f : -1.0f);
    return std::fabs(y);
}
} // namespace

TEST(ToneFilter, TopLowPassSettingPassesAt44kButFiltersAt48k)
{
    ToneFilter at44 = makeFilter(44100.0, 1.0f, 22000.0f); // HP below 5 Hz: pass-through
    ToneFilter at48 = makeFilter(48000.0, 1.0f, 22000.0f);

    EXPECT_FLOAT_EQ(nyquistLevelAfterSettling(at44), 1.0f);
    EXPECT_LT(nyquistLevelAfterSettling(at48), 1e-3f);
}

TEST(ToneFilter, LowestHighPassSettingIsActive)
{
    ToneFilter filter = makeFilter(48000.0, 20.0f, 22000.0f);
    float y = 1.0f;
    for (int i = 0; i < 48000; ++i)
        y = filter.process(1.0f);
    EXPECT_LT(std::fabs(y), 1e-3f) << "a 20 Hz high-pass must remove DC";
}

TEST(ToneFilter, CutoffIsThreeDecibelsDown)
{
    struct Case
    {
        double sampleRate;
        float hpHz, lpHz, probeHz;
    };
    const Case cases[] = {
        {48000.0, 1000.0f, 22000.0f, 1000.0f}, // high-pass at its cutoff (LP far above)
        {48000.0, 1.0f, 1000.0f, 1000.0f},     // low-pass at its cutoff, HP bypassed
        {22050.0, 1.0f, 500.0f, 500.0f},
        {192000.0, 4000.0f, 22000.0f, 4000.0f},
    };
    for (const Case& c : cases)
    {
        ToneFilter filter = makeFilter(c.sampleRate, c.hpHz, c.lpHz);
        EXPECT_NEAR(steadyGain(filter, c.probeHz, static_cast<float>(c.sampleRate)), std::sqrt(0.5f), 0.01f)
            << "rate " << c.sampleRate << " probe " << c.probeHz;
    }
}

TEST(ToneFilter, RedesignKeepsTheFilterState)
{
    ToneFilter continuous = makeFilter(48000.0, 200.0f, 3000.0f);
    ToneFilter redesigned = makeFilter(48000.0, 200.0f, 3000.0f);
    for (int i = 0; i < 1000; ++i)
    {
        if (i % 64 == 0) // what the engine does at every block start
        {
            redesigned.setHighPass(200.0f);
            redesigned.setLowPass(3000.0f);
        }
        const float x = i == 10 ? 1.0f : 0.0f;
        ASSERT_EQ(continuous.process(x), redesigned.process(x)) << "sample " << i;
    }
}

TEST(ToneFilter, StereoPassMatchesEachChannelOnItsOwn)
{
    ToneFilter left = makeFilter(44100.0, 80.0f, 6000.0f), right = makeFilter(44100.0, 300.0f, 2000.0f);
    ToneFilter soloLeft = left, soloRight = right;
    std::vector<float> l(500), r(500);
    for (size_t i = 0; i < l.size(); ++i)
    {
        l[i] = std::sin(0.3f * static_cast<float>(i));
        r[i] = i % 50 == 0 ? 1.0f : 0.0f;
    }
    std::vector<float> expectedL = l, expectedR = r;
    soloLeft.process(expectedL.data(), static_cast<int>(expectedL.size()));
    soloRight.process(expectedR.data(), static_cast<int>(expectedR.size()));
    processToneFilters(left, right, l.data(), r.data(), static_cast<int>(l.size()));
    EXPECT_EQ(l, expectedL);
    EXPECT_EQ(r, expectedR);
}

TEST(Biquad, OutOfRangeCutoffsPassThrough)
{
    const float cutoffs[] = {4.9f,
                             0.0f,
                             -100.0f,
                             23041.0f,
                             std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity()};
    for (float cutoff : cutoffs)
        for (BiquadType type : {BiquadType::highPass, BiquadType::lowPass})
        {
            Biquad biquad;
            biquad.design(BiquadType::lowPass, 1000.0f, 48000.0f);
            biquad.design(type, cutoff, 48000.0f);
            EXPECT_TRUE(biquad.isPassThrough()) << "cutoff " << cutoff;
        }

    Biquad atLimit;
    atLimit.design(BiquadType::lowPass, 0.48f * 48000.0f, 48000.0f);
    EXPECT_FALSE(atLimit.isPassThrough());
}

TEST(Biquad, ResetClearsState)
{
    Biquad biquad;
    biquad.design(BiquadType::lowPass, 1000.0f, 48000.0f);
    biquad.process(1.0f);
    biquad.reset();
    Biquad fresh;
    fresh.design(BiquadType::lowPass, 1000.0f, 48000.0f);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(biquad.process(0.5f), fresh.process(0.5f));
}
} // namespace vorl
