#pragma once

// The side-by-side glides written once for any instruction set; GlideRows.cpp builds the SSE2
// variant every x86-64 CPU runs and GlideRowsAvx2.cpp the AVX2 one. Include it only there:
// everything here is instantiated per instruction set, so no function compiled for the wider one
// can stand in for a baseline one at link time.
#include "GlideRows.h"
#include "SquareTranspose.h"

#include <xsimd/xsimd.hpp>

#include <cstdint>

namespace vorl::glide_rows
{
// std::nextafter(now, target) for each lane, for finite values that differ: the float next to now
// on target's side. Worked out on the bits as the C library does: from zero the smallest
// subnormal with target's sign, else the bits one up or down.
template <class Floats> [[gnu::always_inline]] inline Floats nextTowards(Floats now, Floats target) noexcept
{
    using Ints = xsimd::batch<int32_t, typename Floats::arch_type>;
    const Ints x = xsimd::bitwise_cast<Ints>(now), y = xsimd::bitwise_cast<Ints>(target);
    const Ints signBit(static_cast<int32_t>(0x80000000u)), one(1), zero(0);
    // Magnitudes grow with the bits on both sides of zero; below zero the bits read as negative
    // integers.
    const auto down = x > y || (x < zero && y >= zero);
    const Ints stepped = xsimd::select(down, x - one, x + one);
    const Ints fromZero = (y & signBit) | one;
    return xsimd::bitwise_cast<Floats>(xsimd::select((x & ~signBit) == zero, fromZero, stepped));
}

// One glide step for a vector of voices, with glideTowards' nudge for a step that rounded away.
// The nudge waits behind a branch: it is rare, and taking it on every step would lengthen the
// chain of steps.
template <class Floats>
[[gnu::always_inline]] inline Floats step(Floats now, Floats target, Floats coefs) noexcept
{
    const Floats next = now + (target - now) * coefs;
    const auto stuck = next == now && now != target;
    if (xsimd::any(stuck))
        return xsimd::select(stuck, nextTowards(now, target), next);
    return next;
}

// GlideRows::glide for whole vectors of samples over Vectors vectors of voices (the lanes past
// the group's voices hold still values); returns how many samples it ran, the rest are left to the
// scalar loop. The right rows are written only when WithShift.
template <class Arch, int Vectors, bool WithShift>
int glideBlocks(GlideRows& rows, float* now, const float* target, const float* shift, float coef,
                int m) noexcept
{
    using Floats = xsimd::batch<float, Arch>;
    constexpr int kLanes = static_cast<int>(Floats::size);
    Floats value[Vectors], goal[Vectors], shifts[Vectors];
    for (int q = 0; q < Vectors; ++q)
    {
        value[q] = Floats::load_unaligned(now + q * kLanes);
        goal[q] = Floats::load_unaligned(target + q * kLanes);
        shifts[q] = Floats::load_unaligned(shift + q * kLanes);
    }
    const Floats coefs(coef), zero(0.0f);
    int j = 0;
    for (; j + kLanes <= m; j += kLanes)
    {
        Floats left[Vectors][kLanes], right[Vectors][kLanes];
        // The vectors' steps side by side: their chains overlap. Unrolled, so that the values
        // stay in registers from step to step.
#pragma GCC unroll 8
        for (int s = 0; s < kLanes; ++s)
#pragma GCC unroll 4
            for (int q = 0; q < Vectors; ++q)
            {
                value[q] = step(value[q], goal[q], coefs);
                // The operand order gives std::max(delay, 0) and std::min(delay, shift) exactly,
                // signed zeros included.
                left[q][s] = xsimd::max(zero, value[q]);
                if constexpr (WithShift)
                    right[q][s] = value[q] - xsimd::min(shifts[q], value[q]);
            }
        // One sample per vector turned into one row of samples per voice.
        for (int q = 0; q < Vectors; ++q)
        {
            square_transpose::transposeSquare(left[q]);
            for (int g = 0; g < kLanes; ++g)
                left[q][g].store_unaligned(rows.left[q * kLanes + g] + j);
            if constexpr (WithShift)
            {
                square_transpose::transposeSquare(right[q]);
                for (int g = 0; g < kLanes; ++g)
                    right[q][g].store_unaligned(rows.right[q * kLanes + g] + j);
            }
        }
    }
    for (int q = 0; q < Vectors; ++q)
        value[q].store_unaligned(now + q * kLanes);
    return j;
}

// The variants: now, target and shift hold kMaxVoices values; returns the samples they ran.
using GlideBlocks = int (*)(GlideRows& rows, float* now, const float* target, const float* shift, int count,
                            float coef, int m) noexcept;
int glideBlocksSse2(GlideRows& rows, float* now, const float* target, const float* shift, int count,
                    float coef, int m) noexcept;
int glideBlocksAvx2(GlideRows& rows, float* now, const float* target, const float* shift, int count,
                    float coef, int m) noexcept;

// The instantiation for `vectors` vectors of voices (1 <= vectors <= Vectors).
template <class Arch, int Vectors>
int glideVectors(int vectors, bool withShift, GlideRows& rows, float* now, const float* target,
                 const float* shift, float coef, int m) noexcept
{
    if constexpr (Vectors > 1)
        if (vectors < Vectors)
            return glideVectors<Arch, Vectors - 1>(vectors, withShift, rows, now, target, shift, coef, m);
    return withShift ? glideBlocks<Arch, Vectors, true>(rows, now, target, shift, coef, m)
                     : glideBlocks<Arch, Vectors, false>(rows, now, target, shift, coef, m);
}

// Picks the instantiation for the group: as many vectors as its voices fill, and the right rows
// only when some voice has a shift.
template <class Arch>
int glideBlocksFor(GlideRows& rows, float* now, const float* target, const float* shift, int count,
                   float coef, int m) noexcept
{
    constexpr int kLanes = static_cast<int>(xsimd::batch<float, Arch>::size);
    static_assert(GlideRows::kMaxVoices % kLanes == 0);
    bool withShift = false;
    for (int g = 0; g < count; ++g)
        withShift = withShift || shift[g] != 0.0f;
    return glideVectors<Arch, GlideRows::kMaxVoices / kLanes>((count + kLanes - 1) / kLanes, withShift, rows,
                                                              now, target, shift, coef, m);
}
} // namespace vorl::glide_rows
