#include "GlideRows.h"

#include "ChannelDelays.h"
#include "CubicRunKernels.h"
#include "GlideRowsKernel.h"

#include <algorithm>
#include <cmath>

namespace vorl
{
float glideTowards(float now, float target, float coef) noexcept
{
    const float next = now + (target - now) * coef;
    if (next == now && now != target)
        return std::nextafter(now, target);
    return next;
}

namespace glide_rows
{
int glideBlocksSse2(GlideRows& rows, float* now, const float* target, const float* shift, int count,
                    float coef, int m) noexcept
{
    return glideBlocksFor<xsimd::sse2>(rows, now, target, shift, count, coef, m);
}

namespace
{
void glideWith(GlideBlocks blocks, GlideRows& rows, float* now, const float* target, const float* shift,
               int count, float coef, int m) noexcept
{
    // Lanes beyond count glide copies of nothing: a still value at its target.
    constexpr int kMax = GlideRows::kMaxVoices;
    float paddedNow[kMax] = {}, paddedTarget[kMax] = {}, paddedShift[kMax] = {};
    std::copy_n(now, count, paddedNow);
    std::copy_n(target, count, paddedTarget);
    std::copy_n(shift, count, paddedShift);
    for (int j = blocks(rows, paddedNow, paddedTarget, paddedShift, count, coef, m); j < m; ++j)
        for (int g = 0; g < count; ++g)
        {
            paddedNow[g] = glideTowards(paddedNow[g], target[g], coef);
            rows.left[g][j] = leftChannelDelay(paddedNow[g]);
            rows.right[g][j] = rightChannelDelay(paddedNow[g], shift[g]);
        }
    std::copy_n(paddedNow, count, now);
}

// Chosen when the program started.
const GlideBlocks glideBlocksHere = wideVectorUnitUsable() ? glideBlocksAvx2 : glideBlocksSse2;
} // namespace

void glideSse2(GlideRows& rows, float* now, const float* target, const float* shift, int count, float coef,
               int m) noexcept
{
    glideWith(glideBlocksSse2, rows, now, target, shift, count, coef, m);
}

void glideAvx2(GlideRows& rows, float* now, const float* target, const float* shift, int count, float coef,
               int m) noexcept
{
    glideWith(glideBlocksAvx2, rows, now, target, shift, count, coef, m);
}
} // namespace glide_rows

void GlideRows::glide(float* now, const float* target, const float* shift, int count, float coef,
                      int m) noexcept
{
    glide_rows::glideWith(glide_rows::glideBlocksHere, *this, now, target, shift, count, coef, m);
}
} // namespace vorl
