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
namespace stereo_trig
{
inline bool sineSeriesFits(const StereoDouble& x) noexcept
{
    constexpr double kQuarterPi = 0.78539816339744830962;
    const StereoDouble magnitudeOfX = xsimd::abs(x);
    return xsimd::all(magnitudeOfX <= StereoDouble(kQuarterPi) && magnitudeOfX > StereoDouble(0.0));
}

// The library's own sine, lane by lane: xsimd's reduction of huge arguments shifts a negative
// value, which C++ leaves undefined.
inline StereoDouble librarySine(const StereoDouble& x) noexcept
{
    return stereo(std::sin(lane(x, 0)), std::sin(lane(x, 1)));
}

// lead (1 - z/6 + ...) for z = x^2: sin(x) for lead = x, c sin(x) for lead = c x. The series is
// x + x^3 (p01 + z2 p23 + z4 p45), grouped so that x + x^3 p01 does not wait for the rest.
inline StereoDouble sineSeries(const StereoDouble& x, const StereoDouble& lead) noexcept
{
    const StereoDouble z = x * x;
    const StereoDouble z2 = z * z;
    const StereoDouble p01 =
        StereoDouble(-1.66666666666666307295e-1) + StereoDouble(8.33333333332211858878e-3) * z;
    const StereoDouble p23 =
        StereoDouble(-1.98412698295895385996e-4) + StereoDouble(2.75573136213857245213e-6) * z;
    const StereoDouble p45 =
        StereoDouble(-2.50507477628578072866e-8) + StereoDouble(1.58962301576546568060e-10) * z;
    const StereoDouble lead3 = lead * z;
    return (lead + lead3 * p01) + (lead3 * z2) * (p23 + z2 * p45);
}
} // namespace stereo_trig

inline StereoDouble stereoSin(const StereoDouble& x) noexcept
{
    if (!stereo_trig::sineSeriesFits(x))
        return stereo_trig::librarySine(x);
    return stereo_trig::sineSeries(x, x);
}

// c sin(x), with c taken into the series' leading term: in a feedback loop it adds no step after
// the sine, as a product of the result would.
inline StereoDouble stereoScaledSin(const StereoDouble& x, const StereoDouble& c) noexcept
{
    if (!stereo_trig::sineSeriesFits(x))
        return stereo_trig::librarySine(x) * c;
    return stereo_trig::sineSeries(x, x * c);
}

// Arcsine of y limited to [-1, 1]; polynomial for |y| <= 0.5: asin(y) = y + y z R(z) with z = y^2,
// R a degree-12 Chebyshev fit on [0, 0.25] (error below 2e-17, far under half an ulp of asin).
// Also gives c asin(y), with c taken into the series' leading term (see stereoScaledSin).
inline StereoDouble stereoAsinClampedAndScaled(const StereoDouble& y, const StereoDouble& c,
                                               StereoDouble& scaled) noexcept
{
    if (!xsimd::all(xsimd::abs(y) <= StereoDouble(0.5)))
    {
        const StereoDouble limited = clampLikeStd(y, StereoDouble(-1.0), StereoDouble(1.0));
        const StereoDouble result = stereo(std::asin(lane(limited, 0)), std::asin(lane(limited, 1)));
        scaled = result * c;
        return result;
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
    const StereoDouble high = q2 + z4 * q3;
    // lead + lead z (q0 + z4 q1 + z8 (q2 + z4 q3)), grouped so that the early parts do not wait for
    // the high powers.
    const auto series = [&](const StereoDouble& lead)
    {
        const StereoDouble lead3 = lead * z;
        return ((lead + lead3 * q0) + (lead3 * z4) * q1) + (lead3 * z8) * high;
    };
    scaled = series(y * c);
    return series(y);
}

inline StereoDouble stereoAsinClamped(const StereoDouble& y) noexcept
{
    StereoDouble unused;
    return stereoAsinClampedAndScaled(y, StereoDouble(1.0), unused);
}
} // namespace vorl
