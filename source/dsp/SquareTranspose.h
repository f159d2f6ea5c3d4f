#pragma once

// Turns a square of rows (one voice per row, one sample per lane) into its columns (one sample
// per row, one voice per lane) and back: the vector kernels that run many one-pole chains side
// by side take their inputs and give their outputs as per-voice rows. Written once for four and
// for eight lanes; include it only from the kernel headers, which are instantiated per
// instruction set.
#include <xsimd/xsimd.hpp>

#include <cstdint>
#include <immintrin.h> // the eight-lane helpers' declarations in the baseline files too

namespace vorl::square_transpose
{
// The squares are a handful of shuffles between the steps of the chains; a call would spill
// every row to memory and back, so they are always inlined.
#define VORL_SQUARE_INLINE [[gnu::always_inline]] inline

// Transposes the 4 x 4 square in each 128-bit half of r0..r3 (zips stay within halves on the
// wider units, so each half turns on its own).
template <class Floats>
VORL_SQUARE_INLINE void transposeHalves(Floats& r0, Floats& r1, Floats& r2, Floats& r3) noexcept
{
    const Floats lo02 = xsimd::zip_lo(r0, r2), hi02 = xsimd::zip_hi(r0, r2);
    const Floats lo13 = xsimd::zip_lo(r1, r3), hi13 = xsimd::zip_hi(r1, r3);
    r0 = xsimd::zip_lo(lo02, lo13);
    r1 = xsimd::zip_hi(lo02, lo13);
    r2 = xsimd::zip_lo(hi02, hi13);
    r3 = xsimd::zip_hi(hi02, hi13);
}

// x, y = [x.lower y.lower], [x.upper y.upper] for eight lanes: the 4 x 4 blocks off the diagonal
// of an 8 x 8 square change places.
template <class Floats> VORL_SQUARE_INLINE void exchangeHalves(Floats& x, Floats& y) noexcept
{
    using Pairs = xsimd::batch<double, typename Floats::arch_type>;
    using Swap = xsimd::batch_constant<xsimd::batch<uint64_t, typename Floats::arch_type>, 2, 3, 0, 1>;
    using UpperHalf = xsimd::batch_bool_constant<Floats, false, false, false, false, true, true, true, true>;
    const auto swapped = [](Floats v)
    { return xsimd::bitwise_cast<Floats>(xsimd::swizzle(xsimd::bitwise_cast<Pairs>(v), Swap{})); };
    const Floats lower = xsimd::select(UpperHalf{}, swapped(y), x);
    const Floats upper = xsimd::select(UpperHalf{}, y, swapped(x));
    x = lower;
    y = upper;
}

// Eight-lane helpers for kernels that transpose halves only: loads and moves of 128-bit halves.
template <class Floats> VORL_SQUARE_INLINE Floats loadHalves(const float* lower, const float* upper) noexcept
{
    return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(lower)), _mm_loadu_ps(upper), 1);
}
template <class Floats> VORL_SQUARE_INLINE Floats broadcastHalf(const float* four) noexcept
{
    return _mm256_broadcast_ps(reinterpret_cast<const __m128*>(four));
}
template <class Floats> VORL_SQUARE_INLINE Floats lowerHalfToBoth(const Floats& x) noexcept
{
    return _mm256_permute2f128_ps(x, x, 0x00);
}
template <class Floats> VORL_SQUARE_INLINE Floats upperHalfToBoth(const Floats& x) noexcept
{
    return _mm256_permute2f128_ps(x, x, 0x11);
}
template <class Floats> VORL_SQUARE_INLINE void storeLowerHalf(const Floats& x, float* four) noexcept
{
    _mm_storeu_ps(four, _mm256_castps256_ps128(x));
}

// The square of Floats::size rows, transposed in place; doing it twice gives the rows back.
template <class Floats> VORL_SQUARE_INLINE void transposeSquare(Floats (&r)[Floats::size]) noexcept
{
    constexpr int kLanes = static_cast<int>(Floats::size);
    static_assert(kLanes == 4 || kLanes == 8);
    if constexpr (kLanes == 8)
        for (int k = 0; k < 4; ++k)
            exchangeHalves(r[k], r[k + 4]);
    transposeHalves(r[0], r[1], r[2], r[3]);
    if constexpr (kLanes == 8)
        transposeHalves(r[4], r[5], r[6], r[7]);
}
#undef VORL_SQUARE_INLINE
} // namespace vorl::square_transpose
