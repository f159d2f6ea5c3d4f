#include "RowSine.h"
#include "CubicRunKernels.h"
#include "MathConstants.h"

#include <gtest/gtest.h>
#include <xsimd/xsimd.hpp>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace vorl
{
namespace
{
// The sine the tape flutter took two lanes at a time before: xsimd's on the baseline vector unit,
// or the library's beyond 1e4.
double referenceSine(double x)
{
    if (!(std::fabs(x) <= 1.0e4))
        return std::sin(x);
    return xsimd::sin(xsimd::batch<double, xsimd::sse2>(x)).get(0);
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}
} // namespace

TEST(RowSine, EveryVariantGivesTheBaselineSineLaneByLane)
{
    // Up to 20 pi (the flutter's sweeps stay below 2 pi) xsimd's sine of a lane does not depend on
    // its neighbours; past 1e4, and for infinities and NaN, the library's sine takes over lane by
    // lane, wherever such a value sits among ordinary ones.
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> arguments = {
        0.0,        -0.0,     kPi / 4.0, -kPi / 4.0,
        kPi / 2.0,  kPi,      -kPi,      2.0 * kPi - 1e-12,
        20.0 * kPi, 1e-8,     -1e-300,   1.0e4 + 1.0,
        3.0e5,      -1.0e300, inf,       std::numeric_limits<double>::quiet_NaN()};
    std::mt19937 rng(3u);
    std::uniform_real_distribution<double> sweep(0.0, 2.0 * kPi), wide(-20.0 * kPi, 20.0 * kPi);
    for (int i = 0; i < 400; ++i)
        arguments.push_back(i % 2 == 0 ? sweep(rng) : wide(rng));
    for (int i = 0; i < 5; ++i)
        arguments[static_cast<size_t>(17 + 23 * i)] = -inf; // lone huge lanes among ordinary ones
    arguments.resize(arguments.size() / 4 * 4);

    std::vector<row_sine::SineOfRow> variants = {row_sine::sineOfRowSse2, sineOfRow};
    if (wideVectorUnitUsable())
        variants.push_back(row_sine::sineOfRowAvx2);
    for (size_t v = 0; v < variants.size(); ++v)
    {
        std::vector<double> values = arguments;
        variants[v](values.data(), static_cast<int>(values.size()));
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_TRUE(sameBits(values[i], referenceSine(arguments[i])))
                << "variant " << v << ", sin(" << arguments[i] << ") gave " << values[i];
    }
}
} // namespace vorl
