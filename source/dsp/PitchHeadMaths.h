#pragma once

#include "MathConstants.h"

#include <xsimd/xsimd.hpp>

namespace vorl
{
// The pitch shifter's head maths for two samples at a time, in the SSE2 register every x86-64 CPU
// has, over the ranges the heads use; within a few units in the last place of the library's.
using DoubleBatch = xsimd::batch<double, xsimd::sse2>;

// sin(x) for x in [0, pi], the crossfade's range: x or pi - x (with pi's lower part, so that
// angles near pi keep their relative accuracy) goes into the Taylor series up to x^21, whose
// remainder is below 2e-18 on [0, pi/2]. One polynomial instead of a general sine's range
// reduction and its sine and cosine branches; the weights are rounded to float afterwards.
inline DoubleBatch sineOfHalfTurn(const DoubleBatch& x) noexcept
{
    constexpr double kPiLow = 1.2246467991473532e-16; // pi - kPi
    const DoubleBatch reflected = (DoubleBatch(kPi) - x) + DoubleBatch(kPiLow);
    const DoubleBatch r = xsimd::select(x <= DoubleBatch(kPi / 2.0), x, reflected);
    const DoubleBatch z = r * r;
    const DoubleBatch z2 = z * z;
    const DoubleBatch z4 = z2 * z2;
    const DoubleBatch z8 = z4 * z4;
    // Coefficients (-1)^k / (2k + 1)!, paired for Estrin's scheme.
    const auto pair = [&z](double even, double odd) { return DoubleBatch(even) + DoubleBatch(odd) * z; };
    const DoubleBatch q0 = pair(1.0, -1.0 / 6.0) + z2 * pair(1.0 / 120.0, -1.0 / 5040.0);
    const DoubleBatch q1 =
        pair(1.0 / 362880.0, -1.0 / 39916800.0) + z2 * pair(1.0 / 6227020800.0, -1.0 / 1307674368000.0);
    const DoubleBatch q2 = pair(1.0 / 355687428096000.0, -1.0 / 121645100408832000.0) +
                           z2 * DoubleBatch(1.0 / 51090942171709440000.0);
    return r * ((q0 + z4 * q1) + z8 * q2);
}

// 2^x for |x| <= 1, as far as the pitch offsets reach: 2^k times 2^r with r = x - k in [-0.5, 0.5]
// (exact), 2^r from a Chebyshev fit (error 4e-20). Anything else takes xsimd's exp2.
inline DoubleBatch exp2WithinOctave(const DoubleBatch& x) noexcept
{
    if (!xsimd::all(xsimd::abs(x) <= DoubleBatch(1.0)))
        return xsimd::exp2(x);

    const auto up = x > DoubleBatch(0.5);
    const auto down = x < DoubleBatch(-0.5);
    const DoubleBatch r =
        x - xsimd::select(up, DoubleBatch(1.0), xsimd::select(down, DoubleBatch(-1.0), DoubleBatch(0.0)));
    const DoubleBatch z2 = r * r;
    const DoubleBatch z4 = z2 * z2;
    const DoubleBatch z8 = z4 * z4;
    const auto pair = [&r](double even, double odd) { return DoubleBatch(even) + DoubleBatch(odd) * r; };
    const DoubleBatch q0 =
        pair(1.0, 0.69314718055994529) + z2 * pair(0.24022650695910072, 0.055504108664821701);
    const DoubleBatch q1 = pair(0.0096181291076284838, 0.0013333558146390353) +
                           z2 * pair(0.00015403530393362755, 1.5252733856293466e-05);
    const DoubleBatch q2 = pair(1.3215486815999978e-06, 1.0178051192960649e-07) +
                           z2 * pair(7.0548943863483481e-09, 4.4566753410492058e-10);
    const DoubleBatch q3(2.5733568308756892e-11);
    const DoubleBatch power = (q0 + z4 * q1) + z8 * (q2 + z4 * q3);
    return power *
           xsimd::select(up, DoubleBatch(2.0), xsimd::select(down, DoubleBatch(0.5), DoubleBatch(1.0)));
}

} // namespace vorl
