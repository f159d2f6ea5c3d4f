#include "LayoutDerivation.h"
#include "TapLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace vorl
{
namespace
{
// Random parameter sets over the controls' full ranges (a fixed seed keeps failures repeatable).
LayoutParameterValues randomValues(std::mt19937& rng)
{
    auto uniform = [&rng](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); };
    auto flag = [&rng]() { return std::bernoulli_distribution(0.5)(rng) ? 1.0f : 0.0f; };
    LayoutParameterValues v;
    v.s = uniform(0.0f, 1000.0f);
    v.e = uniform(0.0f, 1000.0f);
    v.fb = uniform(0.0f, 1000.0f);
    v.pd = uniform(0.0f, 2000.0f);
    v.io2x = flag();
    v.mu = flag();
    v.rev = flag();
    v.flipped = flag();
    // A third of the sets without bend, so the minimum gap can be checked exactly.
    v.g = std::bernoulli_distribution(1.0 / 3.0)(rng) ? 0.0f : uniform(-100.0f, 100.0f);
    v.dcv = uniform(-100.0f, 300.0f);
    v.dc = flag();
    v.dcMode = static_cast<float>(std::uniform_int_distribution<int>(0, 2)(rng));
    v.dcSteps = static_cast<float>(std::uniform_int_distribution<int>(1, 16)(rng));
    v.dcFall = uniform(0.0f, 40.0f);
    v.wo = flag();
    v.waveSync = flag();
    v.lrs = uniform(0.0f, 1000.0f);
    v.lfoDp = uniform(0.0f, 100.0f);
    v.lsh = static_cast<float>(std::uniform_int_distribution<int>(0, 7)(rng));
    v.woPh = uniform(-180.0f, 180.0f);
    v.woOff = uniform(-180.0f, 180.0f);
    return v;
}

TEST(TapLayoutProperty, EveryParameterSetGivesAPlayablePattern)
{
    std::mt19937 rng(20240607u);
    TapLayout layout;
    TapLayoutResult r;
    for (int trial = 0; trial < 3000; ++trial)
    {
        const LayoutParameterValues values = randomValues(rng);
        const int taps = std::uniform_int_distribution<int>(1, 300)(rng);
        const float tempo = std::uniform_real_distribution<float>(20.0f, 300.0f)(rng);
        const auto seed = static_cast<uint32_t>(rng());
        const auto derived = deriveLayoutInputs(values, taps, tempo, seed);
        layout.compute(derived.inputs, r);

        SCOPED_TRACE(::testing::Message() << "trial " << trial << " taps " << taps << " vorl " << values.g);
        ASSERT_GE(r.count, 1);
        ASSERT_LE(r.count, taps);
        for (int j = 0; j < r.count; ++j)
        {
            const TapRecord& tap = r.taps[static_cast<size_t>(j)];
            ASSERT_TRUE(std::isfinite(tap.timeMs)) << "tap " << j;
            ASSERT_GE(tap.timeMs, 0.0f) << "tap " << j;
            ASSERT_LT(tap.timeMs, 15000.0f) << "tap " << j;
            ASSERT_GE(tap.gain, 0.0f) << "tap " << j;
            ASSERT_LE(tap.gain, 1.8f) << "tap " << j;
            ASSERT_TRUE(std::isfinite(tap.stereoOffset)) << "tap " << j;
            ASSERT_LE(std::fabs(tap.stereoOffset), 2.0f) << "tap " << j;
        }

        if (derived.inputs.vorl != 0.0f)
            continue;
        // Unbent patterns keep 4 ms between neighbours, except taps held at either end of the
        // line (pushed past 14999 ms, or mirrored below 0 by Reverse).
        for (int j = 1; j < r.count; ++j)
        {
            const float a = r.taps[static_cast<size_t>(j - 1)].timeMs;
            const float b = r.taps[static_cast<size_t>(j)].timeMs;
            const bool held = a == kMaxTapTimeMs || b == kMaxTapTimeMs ||
                              (derived.inputs.reverse && (a == 0.0f || b == 0.0f));
            if (held)
                continue;
            const float gap = derived.inputs.reverse ? a - b : b - a;
            ASSERT_GE(gap, 4.0f - 2e-3f) << "tap " << j;
        }
    }
}
} // namespace
} // namespace vorl
