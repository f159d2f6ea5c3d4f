#include "WornFilterRows.h"

#include <xsimd/xsimd.hpp>

namespace vorl
{
namespace
{
// Four voices per vector. Each filter is a chain of dependent steps; the two channels of two
// vectors of voices give four chains in flight.
using Quad = xsimd::batch<float, xsimd::sse2>;
constexpr int kQuad = 4;
constexpr int kQuads = WornRows::kMax / kQuad;

// Four rows of four values turned into four columns (or back).
void transpose(Quad& r0, Quad& r1, Quad& r2, Quad& r3) noexcept
{
    const Quad lo02 = xsimd::zip_lo(r0, r2), hi02 = xsimd::zip_hi(r0, r2);
    const Quad lo13 = xsimd::zip_lo(r1, r3), hi13 = xsimd::zip_hi(r1, r3);
    r0 = xsimd::zip_lo(lo02, lo13);
    r1 = xsimd::zip_hi(lo02, lo13);
    r2 = xsimd::zip_lo(hi02, hi13);
    r3 = xsimd::zip_hi(hi02, hi13);
}

struct ChannelFilters
{
    float (*read)[WornRows::kChunk];
    Quad state[kQuads], gain[kQuads], coef[kQuads], scale[kQuads];

    ChannelFilters(float (*reads)[WornRows::kChunk], const float* states, const float* gains,
                   const float* coefs, const float* scales) noexcept
        : read(reads)
    {
        for (int q = 0; q < kQuads; ++q)
        {
            state[q] = Quad::load_unaligned(states + q * kQuad);
            gain[q] = Quad::load_unaligned(gains + q * kQuad);
            coef[q] = Quad::load_unaligned(coefs + q * kQuad);
            scale[q] = Quad::load_unaligned(scales + q * kQuad);
        }
    }

    // Four samples from j on: the voices' contributions, one row of four samples per voice.
    void run(int j, Quad (&contribution)[WornRows::kMax]) noexcept
    {
        for (int q = 0; q < kQuads; ++q)
        {
            Quad* c = contribution + q * kQuad;
            for (int g = 0; g < kQuad; ++g)
                c[g] = Quad::load_unaligned(read[q * kQuad + g] + j);
            transpose(c[0], c[1], c[2], c[3]); // now one sample per vector, one voice per lane
            for (int s = 0; s < kQuad; ++s)
            {
                state[q] += (gain[q] * c[s] - state[q]) * coef[q];
                c[s] = state[q] * scale[q];
            }
            transpose(c[0], c[1], c[2], c[3]);
        }
    }

    void store(float* states) const noexcept
    {
        for (int q = 0; q < kQuads; ++q)
            state[q].store_unaligned(states + q * kQuad);
    }
};

void addInVoiceOrder(float* out, const Quad (&contribution)[WornRows::kMax], int count) noexcept
{
    Quad sum = Quad::load_unaligned(out);
    for (int g = 0; g < count; ++g)
        sum += contribution[g];
    sum.store_unaligned(out);
}

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
} // namespace

void filterWornRows(WornRows& rows, int count, int m, float* outL, float* outR) noexcept
{
    // Rows past count take part with zero gain, coefficient and scale but are never added.
    for (int g = count; g < WornRows::kMax; ++g)
    {
        rows.stateL[g] = rows.stateR[g] = rows.gain[g] = rows.coef[g] = rows.scaleL[g] = rows.scaleR[g] =
            0.0f;
        for (int j = 0; j < m; ++j)
            rows.readL[g][j] = rows.readR[g][j] = 0.0f;
    }
    ChannelFilters left(rows.readL, rows.stateL, rows.gain, rows.coef, rows.scaleL);
    ChannelFilters right(rows.readR, rows.stateR, rows.gain, rows.coef, rows.scaleR);
    int j = 0;
    for (; j + kQuad <= m; j += kQuad)
    {
        Quad contributionL[WornRows::kMax], contributionR[WornRows::kMax];
        left.run(j, contributionL);
        right.run(j, contributionR);
        addInVoiceOrder(outL + j, contributionL, count);
        addInVoiceOrder(outR + j, contributionR, count);
    }
    left.store(rows.stateL);
    right.store(rows.stateR);
    for (; j < m; ++j)
        filterOneSample(rows, count, j, outL, outR);
}
} // namespace vorl
