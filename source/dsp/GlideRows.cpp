#include "GlideRows.h"

#include <xsimd/xsimd.hpp>

#include <algorithm>
#include <cmath>

namespace vorl
{
namespace
{
// Four voices per vector, the baseline instruction set: the glides are short chains, and two
// vectors of them in flight keep the unit busy.
using Quad = xsimd::batch<float, xsimd::sse2>;
constexpr int kQuad = 4;

// One glide step for four voices, with glideTowards' nudge for the lanes whose step rounded away.
Quad stepQuad(Quad now, Quad target, Quad coef) noexcept
{
    Quad next = now + (target - now) * coef;
    if (xsimd::any(next == now && now != target))
    {
        alignas(16) float lanes[kQuad], nows[kQuad], targets[kQuad];
        next.store_aligned(lanes);
        now.store_aligned(nows);
        target.store_aligned(targets);
        for (int l = 0; l < kQuad; ++l)
            if (lanes[l] == nows[l] && nows[l] != targets[l])
                lanes[l] = std::nextafter(nows[l], targets[l]);
        next = Quad::load_aligned(lanes);
    }
    return next;
}

// Four samples of each voice, lanes = voices, turned into each voice's row of four samples.
void storeTransposed(const Quad (&samples)[kQuad], float (*rows)[GlideRows::kChunk], int j) noexcept
{
    const Quad lo01 = xsimd::zip_lo(samples[0], samples[2]), hi01 = xsimd::zip_hi(samples[0], samples[2]);
    const Quad lo23 = xsimd::zip_lo(samples[1], samples[3]), hi23 = xsimd::zip_hi(samples[1], samples[3]);
    xsimd::zip_lo(lo01, lo23).store_unaligned(rows[0] + j);
    xsimd::zip_hi(lo01, lo23).store_unaligned(rows[1] + j);
    xsimd::zip_lo(hi01, hi23).store_unaligned(rows[2] + j);
    xsimd::zip_hi(hi01, hi23).store_unaligned(rows[3] + j);
}

template <int Quads>
void glideQuads(GlideRows& rows, float* now, const float* target, const float* shift, float coef,
                int m) noexcept
{
    Quad value[Quads], goal[Quads], shifts[Quads];
    for (int q = 0; q < Quads; ++q)
    {
        value[q] = Quad::load_unaligned(now + q * kQuad);
        goal[q] = Quad::load_unaligned(target + q * kQuad);
        shifts[q] = Quad::load_unaligned(shift + q * kQuad);
    }
    const Quad step(coef), zero(0.0f);
    int j = 0;
    for (; j + kQuad <= m; j += kQuad)
        for (int q = 0; q < Quads; ++q)
        {
            Quad left[kQuad], right[kQuad];
            for (int s = 0; s < kQuad; ++s)
            {
                value[q] = stepQuad(value[q], goal[q], step);
                // The operand order gives std::max(delay, 0) and std::min(delay, shift) exactly,
                // signed zeros included.
                left[s] = xsimd::max(zero, value[q]);
                right[s] = value[q] - xsimd::min(shifts[q], value[q]);
            }
            storeTransposed(left, rows.left + q * kQuad, j);
            storeTransposed(right, rows.right + q * kQuad, j);
        }
    for (int q = 0; q < Quads; ++q)
        value[q].store_unaligned(now + q * kQuad);
    for (; j < m; ++j)
        for (int g = 0; g < Quads * kQuad; ++g)
        {
            now[g] = glideTowards(now[g], target[g], coef);
            rows.left[g][j] = std::max(now[g], 0.0f);
            rows.right[g][j] = now[g] - std::min(now[g], shift[g]);
        }
}
} // namespace

float glideTowards(float now, float target, float coef) noexcept
{
    const float next = now + (target - now) * coef;
    if (next == now && now != target)
        return std::nextafter(now, target);
    return next;
}

void GlideRows::glide(float* now, const float* target, const float* shift, int count, float coef,
                      int m) noexcept
{
    // Lanes beyond count glide copies of nothing: a still value at its target.
    float paddedNow[kMaxVoices] = {}, paddedTarget[kMaxVoices] = {}, paddedShift[kMaxVoices] = {};
    std::copy_n(now, count, paddedNow);
    std::copy_n(target, count, paddedTarget);
    std::copy_n(shift, count, paddedShift);
    if (count > kQuad)
        glideQuads<2>(*this, paddedNow, paddedTarget, paddedShift, coef, m);
    else
        glideQuads<1>(*this, paddedNow, paddedTarget, paddedShift, coef, m);
    std::copy_n(paddedNow, count, now);
}
} // namespace vorl
