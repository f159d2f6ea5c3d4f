#include "WornFilterRows.h"

#include "CubicRunKernels.h"
#include "WornFilterKernel.h"

namespace vorl
{
namespace worn_filter
{
int filterBlocksSse2(WornRows& rows, int count, int m, float* outL, float* outR) noexcept
{
    return filterBlocks<xsimd::sse2>(rows, count, m, outL, outR);
}

namespace
{
void filterOneSample(WornRows& rows, int count, int j, float* outL, float* outR) noexcept
{
    float sumL = outL[j];
    float sumR = outR[j];
    for (int g = 0; g < count; ++g)
    {
        rows.stateL[g] += (rows.gain[g] * rows.readL[g][j] - rows.stateL[g]) * rows.coef[g];
        rows.stateR[g] += (rows.gain[g] * rows.readR[g][j] - rows.stateR[g]) * rows.coef[g];
        sumL += rows.stateL[g] * rows.scaleL[g];
        sumR += rows.stateR[g] * rows.scaleR[g];
    }
    outL[j] = sumL;
    outR[j] = sumR;
}

void filterWith(FilterBlocks blocks, WornRows& rows, int count, int m, float* outL, float* outR) noexcept
{
    // Rows past count take part with zero gain, coefficient and scale but are never added.
    for (int g = count; g < WornRows::kMax; ++g)
    {
        rows.stateL[g] = rows.stateR[g] = rows.gain[g] = rows.coef[g] = rows.scaleL[g] = rows.scaleR[g] =
            0.0f;
        for (int j = 0; j < m; ++j)
            rows.readL[g][j] = rows.readR[g][j] = 0.0f;
    }
    for (int j = blocks(rows, count, m, outL, outR); j < m; ++j)
        filterOneSample(rows, count, j, outL, outR);
}

// Chosen when the program started.
const FilterBlocks filterBlocksHere = wideVectorUnitUsable() ? filterBlocksAvx2 : filterBlocksSse2;
} // namespace

void filterRowsSse2(WornRows& rows, int count, int m, float* outL, float* outR) noexcept
{
    filterWith(filterBlocksSse2, rows, count, m, outL, outR);
}

void filterRowsAvx2(WornRows& rows, int count, int m, float* outL, float* outR) noexcept
{
    filterWith(filterBlocksAvx2, rows, count, m, outL, outR);
}
} // namespace worn_filter

void filterWornRows(WornRows& rows, int count, int m, float* outL, float* outR) noexcept
{
    worn_filter::filterWith(worn_filter::filterBlocksHere, rows, count, m, outL, outR);
}
} // namespace vorl
