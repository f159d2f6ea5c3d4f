#pragma once

#include <xsimd/xsimd.hpp>

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace vorl
{
// The two channels of a stereo signal side by side in one SSE2 register, which every x86-64 CPU
// has. Each lane runs the operations of one channel's scalar code in the same order, so a lane
// gives that code's bits. The helpers below also take plain doubles, so that one template can
// serve a single channel and both.
using StereoDouble = xsimd::batch<double, xsimd::sse2>;
using StereoMask = xsimd::batch_bool<double, xsimd::sse2>;

inline StereoDouble stereo(double left, double right) noexcept
{
    return StereoDouble{left, right};
}

inline double lane(const StereoDouble& x, int channel) noexcept
{
    return x.get(static_cast<std::size_t>(channel));
}

inline double pick(bool condition, double ifTrue, double ifFalse) noexcept
{
    return condition ? ifTrue : ifFalse;
}
inline StereoDouble pick(const StereoMask& condition, const StereoDouble& ifTrue,
                         const StereoDouble& ifFalse) noexcept
{
    return xsimd::select(condition, ifTrue, ifFalse);
}

inline double magnitude(double x) noexcept
{
    return std::fabs(x);
}
inline StereoDouble magnitude(const StereoDouble& x) noexcept
{
    return xsimd::abs(x);
}

// std::min, std::max and std::clamp (lo <= hi), with their answers for NaN and signed zeros.
// The SSE2 minimum and maximum return their second operand unless the first one wins the
// comparison, which std's do too with the operands swapped; one instruction each.
inline double minLikeStd(double a, double b) noexcept
{
    return std::min(a, b);
}
inline StereoDouble minLikeStd(const StereoDouble& a, const StereoDouble& b) noexcept
{
    return xsimd::min(b, a);
}
inline double maxLikeStd(double a, double b) noexcept
{
    return std::max(a, b);
}
inline StereoDouble maxLikeStd(const StereoDouble& a, const StereoDouble& b) noexcept
{
    return xsimd::max(b, a);
}
// |x| <= limit in every lane (false for NaN). Tested beside a dependency chain, a branch on it
// keeps a rarely needed clamp out of the chain.
inline bool allWithin(double x, double limit) noexcept
{
    return std::fabs(x) <= limit;
}
inline bool allWithin(const StereoDouble& x, double limit) noexcept
{
    return xsimd::all(xsimd::abs(x) <= StereoDouble(limit));
}

template <class Value> Value clampLikeStd(const Value& v, const Value& lo, const Value& hi) noexcept
{
    return maxLikeStd(minLikeStd(v, hi), lo);
}

// static_cast<double>(static_cast<float>(x)), lane by lane. GCC (12 at least) at -O3 drops the
// rounding once its SLP vectoriser has joined two such conversions into vector instructions, so
// the files that round lanes are built without that vectoriser and say so with
// VORL_KEEPS_FLOAT_ROUNDINGS (source/dsp/CMakeLists.txt); elsewhere using this fails to compile.
#if defined(__GNUC__) && !defined(__clang__) && !defined(VORL_KEEPS_FLOAT_ROUNDINGS)
inline constexpr bool kFloatRoundingsKept = false;
#else
inline constexpr bool kFloatRoundingsKept = true;
#endif

inline double roundToFloat(double x) noexcept
{
    return static_cast<float>(x);
}
// A template only so that the check fires in the files that round lanes, not in every file
// that includes this header.
template <class Lanes, class = std::enable_if_t<std::is_same_v<Lanes, StereoDouble>>>
Lanes roundToFloat(const Lanes& x) noexcept
{
    static_assert(kFloatRoundingsKept && sizeof(Lanes) > 0,
                  "build this file without GCC's SLP vectoriser (see source/dsp/CMakeLists.txt)");
    // One packed conversion each way: the same rounding as two scalar ones, in less time.
    return StereoDouble(_mm_cvtps_pd(_mm_cvtpd_ps(x)));
}

// Both lanes rounded to float, in the low two lanes of a float register, and back.
using StereoFloat = xsimd::batch<float, xsimd::sse2>;
inline StereoFloat toFloatLanes(const StereoDouble& x) noexcept
{
    return StereoFloat(_mm_cvtpd_ps(x));
}
inline StereoDouble fromFloatLanes(const StereoFloat& x) noexcept
{
    return StereoDouble(_mm_cvtps_pd(x));
}
} // namespace vorl
