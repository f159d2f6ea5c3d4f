#include "StereoLanes.h"
#include "StereoTrig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace vorl
{
namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// Distance in units in the last place between two doubles of the same sign.
int64_t ulpsBetween(double a, double b)
{
    int64_t ia = 0, ib = 0;
    std::memcpy(&ia, &a, sizeof a);
    std::memcpy(&ib, &b, sizeof b);
    return ia > ib ? ia - ib : ib - ia;
}

// Both lanes of a StereoDouble function against the scalar reference, lane by lane.
template <class Vector, class Scalar>
void expectLanesMatch(const char* what, Vector vectorFn, Scalar scalarFn, double left, double right)
{
    const StereoDouble result = vectorFn(stereo(left, right));
    EXPECT_TRUE(sameBits(lane(result, 0), scalarFn(left))) << what << " of " << left;
    EXPECT_TRUE(sameBits(lane(result, 1), scalarFn(right))) << what << " of " << right;
}
} // namespace

TEST(StereoLanes, MinMaxAndClampAnswerLikeStdForNaNAndSignedZeros)
{
    const double values[] = {kNaN, -0.0, 0.0, -1.0, 1.0, 0.5, -kInf, kInf, 0.99, -0.99};
    for (double a : values)
        for (double b : values)
        {
            const StereoDouble va = stereo(a, b), vb = stereo(b, a);
            EXPECT_TRUE(sameBits(lane(minLikeStd(va, vb), 0), std::min(a, b))) << "min " << a << ", " << b;
            EXPECT_TRUE(sameBits(lane(maxLikeStd(va, vb), 0), std::max(a, b))) << "max " << a << ", " << b;
        }
    for (double v : values)
        for (const auto& [lo, hi] : {std::pair{-0.99, 0.99}, std::pair{0.0, 1.0}, std::pair{-0.0, 0.0}})
            EXPECT_TRUE(sameBits(lane(clampLikeStd(stereo(v, v), StereoDouble(lo), StereoDouble(hi)), 1),
                                 std::clamp(v, lo, hi)))
                << v << " into [" << lo << ", " << hi << "]";
}

TEST(StereoLanes, RoundToFloatRoundsEachLaneOnItsOwn)
{
    // Ties go to even, values beyond the float range become infinite, NaN stays NaN.
    const double cases[][2] = {
        {0.1, -0.3},        {1.0 + 0x1p-24, 1.0 + 3 * 0x1p-24}, // ties: down to 1, up to 1 + 2^-22
        {3.5e38, -1e300},   {kNaN, 1e-30},
        {-0.0, 16777217.0},
    };
    for (const auto& c : cases)
        expectLanesMatch(
            "roundToFloat", [](const StereoDouble& x) { return roundToFloat(x); },
            [](double x) { return static_cast<double>(static_cast<float>(x)); }, c[0], c[1]);
}

TEST(StereoTrig, SmallArgumentsStayWithinAnUlpOfTheLibrary)
{
    // The polynomial ranges, with the scales the tape's head bump runs at.
    std::mt19937_64 rng(7);
    for (const double range : {1e-7, 1e-3, 0.05, 0.4, 0.78})
    {
        std::uniform_real_distribution<double> dist(-range, range);
        int64_t worstSin = 0, worstAsin = 0;
        for (int i = 0; i < 20000; ++i)
        {
            const double a = dist(rng), b = dist(rng);
            const StereoDouble s = stereoSin(stereo(a, b));
            worstSin = std::max(
                {worstSin, ulpsBetween(lane(s, 0), std::sin(a)), ulpsBetween(lane(s, 1), std::sin(b))});
            const double ya = std::min(range, 0.5) * a / range, yb = std::min(range, 0.5) * b / range;
            const StereoDouble q = stereoAsinClamped(stereo(ya, yb));
            worstAsin = std::max(
                {worstAsin, ulpsBetween(lane(q, 0), std::asin(ya)), ulpsBetween(lane(q, 1), std::asin(yb))});
        }
        EXPECT_LE(worstSin, 1) << "sine within +-" << range;
        EXPECT_LE(worstAsin, 1) << "arcsine within +-" << range;
    }
}

TEST(StereoTrig, EdgesAndLargeArgumentsFallBackToTheFullFunctions)
{
    // One lane outside the short polynomial's range sends both lanes to the full function.
    const auto sinOf = [](const StereoDouble& x) { return stereoSin(x); };
    const auto asinOf = [](const StereoDouble& x) { return stereoAsinClamped(x); };
    const auto clampedAsin = [](double y) { return std::asin(std::clamp(y, -1.0, 1.0)); };
    const auto near = [](double vector, double scalar)
    { return std::isnan(scalar) ? std::isnan(vector) : ulpsBetween(vector, scalar) <= 1; };

    const double sinCases[][2] = {{0.0, -0.0}, {0.7853981633974483, -0.7853981633974483},
                                  {0.1, 0.8},  {-3.0, 100.0},
                                  {1e6, 0.2},  {kNaN, 0.3}};
    for (const auto& c : sinCases)
        for (int ch = 0; ch < 2; ++ch)
            EXPECT_PRED2(near, lane(sinOf(stereo(c[0], c[1])), ch), std::sin(c[ch]));

    const double asinCases[][2] = {{0.0, -0.0},  {0.5, -0.5}, {0.1, 0.6},
                                   {-0.99, 1.0}, {1.5, -7.0}, {kNaN, 0.2}};
    for (const auto& c : asinCases)
        for (int ch = 0; ch < 2; ++ch)
            EXPECT_PRED2(near, lane(asinOf(stereo(c[0], c[1])), ch), clampedAsin(c[ch]));

    // Signed zeros keep their sign, as the library's do.
    expectLanesMatch(
        "sin", sinOf, [](double x) { return std::sin(x); }, 0.0, -0.0);
    expectLanesMatch(
        "asin", asinOf, [](double y) { return std::asin(y); }, 0.0, -0.0);
}
} // namespace vorl
