#include "WornFilterRows.h"

#include "CubicRunKernels.h"
#include "WornFilterKernel.h"

namespace vorl
{
namespace worn_filter
{
int filterBlocksSse2(WornRows* sets, int count, int m, float* outL, float* outR) noexcept
{
    return filterBlocksFor<xsimd::sse2>(sets, count, m, outL, outR);
}

namespace
{
void filterOneSample(WornRows* sets, int count, int j, float* outL, float* outR) noexcept
{
    float sumL = outL[j];
    float sumR = outR[j];
    for (int g = 0; g < count; ++g)
    {
        WornRows& rows = sets[g / WornRows::kMax];
        const int r = g % WornRows::kMax;
        rows.stateL[r] += (rows.gain[r] * rows.readL[r][j] - rows.stateL[r]) * rows.coef[r];
        rows.stateR[r] += (rows.gain[r] * rows.readR[r][j] - rows.stateR[r]) * rows.coef[r];
        sumL += rows.stateL[r] * rows.scaleL[r];
        sumR += rows.stateR[r] * rows.scaleR[r];
    }
    outL[j] = sumL;
    outR[j] = sumR;
}

void filterWith(FilterBlocks blocks, WornRows* sets, int count, int m, float* outL, float* outR) noexcept
{
    if (count == 0)
        return;
    // Rows past count in the last set take part with zero gain, coefficient and scale but are
    // never added.
    WornRows& last = sets[(count - 1) / WornRows::kMax];
    for (int r = (count - 1) % WornRows::kMax + 1; r < WornRows::kMax; ++r)
    {
        last.stateL[r] = last.stateR[r] = last.gain[r] = last.coef[r] = last.scaleL[r] = last.scaleR[r] =
            0.0f;
        for (int j = 0; j < m; ++j)
            last.readL[r][j] = last.readR[r][j] = 0.0f;
    }
    for (int j = blocks(sets, count, m, outL, outR); j < m; ++j)
        filterOneSample(sets, count, j, outL, outR);
}

// Chosen when the program started.
const FilterBlocks filterBlocksHere = wideVectorUnitUsable() ? filterBlocksAvx2 : filterBlocksSse2;
} // namespace

void filterRowsSse2(WornRows* sets, int count, int m, float* outL, float* outR) noexcept
{
    filterWith(filterBlocksSse2, sets, count, m, outL, outR);
}

void filterRowsAvx2(WornRows* sets, int count, int m, float* outL, float* outR) noexcept
{
    filterWith(filterBlocksAvx2, sets, count, m, outL, outR);
}
} // namespace worn_filter

void filterWornRows(WornRows* sets, int count, int m, float* outL, float* outR) noexcept
{
    worn_filter::filterWith(worn_filter::filterBlocksHere, sets, count, m, outL, outR);
}
} // namespace vorl
