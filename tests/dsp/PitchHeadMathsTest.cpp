#include "PitchHeadMaths.h"
#include "MathConstants.h"
#include "PitchChorus.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace vorl
{
namespace
{
int64_t ulpsBetween(double a, double b)
{
    int64_t ia = 0, ib = 0;
    std::memcpy(&ia, &a, sizeof a);
    std::memcpy(&ib, &b, sizeof b);
    return ia > ib ? ia - ib : ib - ia;
}

double laneOf(const DoubleBatch& x, int i)
{
    return x.get(static_cast<std::size_t>(i));
}
} // namespace

TEST(PitchHeadMaths, CrossfadeSineFollowsTheLibraryOverHalfATurn)
{
    // Angles near pi have small sines: they are the ones that need pi's lower part.
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> angle(0.0, kPi);
    std::vector<double> angles = {0.0, 1e-300, kPi / 2.0, std::nextafter(kPi, 0.0), kPi - 1e-9, 3.0};
    for (int i = 0; i < 20000; ++i)
        angles.push_back(angle(rng));
    for (size_t i = 0; i < angles.size(); ++i)
    {
        const double x = angles[i];
        const double s = laneOf(sineOfHalfTurn(DoubleBatch{x, angles[angles.size() - 1 - i]}), 0);
        // Past pi/2 the library gets the mirrored angle (pi - x, exact up to one rounding): some C
        // libraries (the x87 sine under Windows) lose most of the digits of sin(x) near pi.
        const double reference = x <= kPi / 2.0 ? std::sin(x) : std::sin((kPi - x) + 1.2246467991473532e-16);
        ASSERT_LE(ulpsBetween(s, reference), 4) << "sin(" << x << ")";
        // The weight the heads use is its square in float: the same as with the library's sine.
        ASSERT_EQ(static_cast<float>(s * s), static_cast<float>(reference * reference)) << x;
    }
}

TEST(PitchHeadMaths, Exp2WithinAnOctaveFollowsTheLibraryAndFallsBackBeyond)
{
    std::mt19937_64 rng(6);
    std::vector<double> xs = {0.0, -0.0, 0.5, -0.5, 1.0, -1.0, std::nextafter(0.5, 1.0), 1e-20};
    for (const double range : {0.09, 1.0})
    {
        std::uniform_real_distribution<double> dist(-range, range);
        for (int i = 0; i < 20000; ++i)
            xs.push_back(dist(rng));
    }
    double summedError = 0.0;
    for (double x : xs)
    {
        const double e = laneOf(exp2WithinOctave(DoubleBatch{x, 0.25}), 0);
        ASSERT_LE(ulpsBetween(e, std::exp2(x)), 2) << "2^" << x;
        summedError += (e - 1.0) - (std::exp2(x) - 1.0);
    }
    // The heads add up a deviation every sample: the errors must not lean one way.
    EXPECT_LT(std::fabs(summedError), 1e-13);

    // One lane out of range sends both to the general function; NaN stays NaN.
    for (const double far : {1.5, -3.0, 40.0})
    {
        const DoubleBatch both = exp2WithinOctave(DoubleBatch{far, 0.3});
        EXPECT_LE(ulpsBetween(laneOf(both, 0), std::exp2(far)), 2) << far;
        EXPECT_LE(ulpsBetween(laneOf(both, 1), std::exp2(0.3)), 2);
    }
    EXPECT_TRUE(
        std::isnan(laneOf(exp2WithinOctave(DoubleBatch{std::numeric_limits<double>::quiet_NaN(), 0.3}), 0)));
}

TEST(PitchChorusPlanning, BlockSizeDoesNotChangeTheOutput)
{
    // The heads are planned in stretches of 64 samples: blocks that split them anywhere, in every
    // mode that moves the heads, must give the bits one long block gives.
    struct Mode
    {
        const char* name;
        int shape;
        bool synced, bend, regen;
    };
    const Mode modes[] = {{"sine vibrato", 0, false, false, false},
                          {"random steps, regen", 5, false, false, true},
                          {"smooth random synced", 6, true, false, false},
                          {"triangle synced, regen", 1, true, false, true},
                          {"length bend, regen", 0, false, true, true}};
    std::mt19937 rng(8);
    std::uniform_real_distribution<float> noise(-0.8f, 0.8f);
    std::vector<float> inL(3000), inR(3000);
    for (size_t i = 0; i < inL.size(); ++i)
    {
        inL[i] = noise(rng);
        inR[i] = 0.5f * std::sin(0.03f * static_cast<float>(i));
    }

    for (const Mode& mode : modes)
    {
        auto render = [&](int blockSize)
        {
            PitchChorus pitch;
            pitch.prepare(44100.0);
            pitch.setMix(0.7f);
            pitch.setDetuneCents(-17.0f);
            pitch.setRateHz(3.0f);
            pitch.setDepth(0.8f);
            pitch.setDepthScale(2.0f);
            pitch.setShape(mode.shape);
            pitch.setSeed(99u);
            pitch.setRegen(mode.regen ? 70.0f : 0.0f);
            pitch.setVorlLink(true);
            pitch.setVorl(-40.0f);
            pitch.setVorlCents(300.0f);
            pitch.setBend(mode.bend, 900.0f, false);
            std::vector<float> left = inL, right = inR;
            for (size_t start = 0; start < left.size(); start += static_cast<size_t>(blockSize))
            {
                const int n =
                    static_cast<int>(std::min<size_t>(static_cast<size_t>(blockSize), left.size() - start));
                // Synced runs follow the host: its position moves on with the samples.
                pitch.setSync(mode.synced, static_cast<double>(start) * 2.0 / 44100.0, 120.0, 9);
                pitch.process(left.data() + start, right.data() + start, n, 150.0f);
            }
            left.insert(left.end(), right.begin(), right.end());
            return left;
        };
        const std::vector<float> whole = render(3000);
        for (int blockSize : {1, 63, 64, 65, 127, 256})
            EXPECT_EQ(render(blockSize), whole) << mode.name << ", blocks of " << blockSize;
    }
}
} // namespace vorl
