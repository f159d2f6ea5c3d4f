#pragma once

#include "StereoLanes.h"

namespace vorl
{
// Sine and arcsine of both lanes for a feedback loop that runs one sample at a time, where the
// latency of each call adds to every sample. Small arguments, the usual case, take one short
// polynomial evaluated in Estrin's scheme (independent products side by side instead of one long
// Horner chain); any lane outside that range sends both to the library's functions. Either way the
// result is within a few units in the last place of the library's.

// Sine; polynomial for 0 < |x| <= pi/4 (the Cephes coefficients, as in xsimd). The series is odd
// and every step of it keeps the symmetry of round-to-nearest, so it runs on x itself: the same
// bits as on |x| with the sign given back, without those two steps in the chain. Zeros would lose
// their sign that way, and go to the library with the large arguments.
inline StereoDouble stereoSin(const StereoDouble& x) noexcept
{
    constexpr double kQuarterPi = 0.78539816339744830962;
    const StereoDouble magnitudeOfX = xsimd::abs(x);
    if (!xsimd::all(magnitudeOfX <= StereoDouble(kQuarterPi) && magnitudeOfX > StereoDouble(0.0)))
    {
        // The library's own sine, lane by lane: xsimd's reduction of huge arguments shifts a
        // negative value, which C++ leaves undefined.
        return stereo(std::sin(lane(x, 0)), std::sin(lane(x, 1)));
    }

    const StereoDouble z = x * x;
    const StereoDouble z2 = z * z;
    const StereoDouble z4 = z2 * z2;
    const StereoDouble p01 =
        StereoDouble(-1.66666666666666307295e-1) + StereoDouble(8.33333333332211858878e-3) * z;
    const StereoDouble p23 =
        StereoDouble(-1.98412698295895385996e-4) + StereoDouble(2.75573136213857245213e-6) * z;
    const StereoDouble p45 =
        StereoDouble(-2.50507477628578072866e-8) + StereoDouble(1.58962301576546568060e-10) * z;
    // x + x^3 (p01 + z2 p23 + z4 p45), grouped so that x + x^3 p01 does not wait for the rest.
    const StereoDouble x3 = x * z;
    return (x + x3 * p01) + (x3 * z2) * (p23 + z2 * p45);
}

// Arcsine of y limited to [-1, 1]; polynomial for |y| <= 0.5: asin(y) = y + y z R(z) with z = y^2,
// R a degree-12 Chebyshev fit on [0, 0.25] (error below 2e-17, far under half an ulp of asin).
inline StereoDouble stereoAsinClamped(const StereoDouble& y) noexcept
{
    if (!xsimd::all(xsimd::abs(y) <= StereoDouble(0.5)))
    {
        const StereoDouble limited = clampLikeStd(y, StereoDouble(-1.0), StereoDouble(1.0));
        return stereo(std::asin(lane(limited, 0)), std::asin(lane(limited, 1)));
    }

    const StereoDouble z = y * y;
    const StereoDouble z2 = z * z;
    const StereoDouble z4 = z2 * z2;
    const StereoDouble z8 = z4 * z4;
    const auto pair = [&z](double even, double odd) { return StereoDouble(even) + StereoDouble(odd) * z; };
    const StereoDouble q0 = pair(0.16666666666666669, 0.074999999999984329) +
                            z2 * pair(0.044642857146355429, 0.030381944138531247);
    const StereoDouble q1 = pair(0.022372172942149889, 0.017352392720869973) +
                            z2 * pair(0.013971212973552933, 0.011479177415184906);
    const StereoDouble q2 = pair(0.010322814350185779, 0.0054575067186403581) +
                            z2 * pair(0.017400879442694021, -0.014851887071247204);
    const StereoDouble q3(0.028757851367421566);
    // y + y^3 (q0 + z4 q1 + z8 (q2 + z4 q3)), grouped so that the early parts do not wait for
    // the high powers.
    const StereoDouble y3 = y * z;
    return ((y + y3 * q0) + (y3 * z4) * q1) + (y3 * z8) * (q2 + z4 * q3);
}
} // namespace vorl
