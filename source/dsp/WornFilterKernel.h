#pragma once

// The worn voices' filters written once for any instruction set; WornFilterRows.cpp builds the
// SSE2 variant every x86-64 CPU runs and WornFilterRowsAvx2.cpp the AVX2 one. Include it only
// there: everything here is instantiated per instruction set, so no function compiled for the
// wider one can stand in for a baseline one at link time.
#include "SquareTranspose.h"
#include "WornFilterRows.h"

#include <xsimd/xsimd.hpp>

namespace vorl::worn_filter
{
// One channel's filters, one voice per lane. Each filter is a chain of dependent steps; the
// vectors of voices and the two channels are the chains in flight.
template <class Arch> struct ChannelFilters
{
    using Floats = xsimd::batch<float, Arch>;
    static constexpr int kLanes = static_cast<int>(Floats::size);
    static constexpr int kVectors = WornRows::kMax / kLanes;
    static_assert(WornRows::kMax % kLanes == 0);

    float (*read)[WornRows::kChunk];
    Floats state[kVectors], gain[kVectors], coef[kVectors], scale[kVectors];

    ChannelFilters(float (*reads)[WornRows::kChunk], const float* states, const float* gains,
                   const float* coefs, const float* scales) noexcept
        : read(reads)
    {
        for (int q = 0; q < kVectors; ++q)
        {
            state[q] = Floats::load_unaligned(states + q * kLanes);
            gain[q] = Floats::load_unaligned(gains + q * kLanes);
            coef[q] = Floats::load_unaligned(coefs + q * kLanes);
            scale[q] = Floats::load_unaligned(scales + q * kLanes);
        }
    }

    using Block = Floats[kVectors][kLanes];

    // kLanes samples of every voice's reads from j on, one sample per vector, one voice per lane.
    [[gnu::always_inline]] inline void readColumns(int j, Block& block) const noexcept
    {
        for (int q = 0; q < kVectors; ++q)
        {
            for (int g = 0; g < kLanes; ++g)
                block[q][g] = Floats::load_unaligned(read[q * kLanes + g] + j);
            square_transpose::transposeSquare(block[q]);
        }
    }

    // Sample s of vector q through the filters; it becomes the voices' contributions.
    [[gnu::always_inline]] inline void step(int q, Floats& sample) noexcept
    {
        state[q] += (gain[q] * sample - state[q]) * coef[q];
        sample = state[q] * scale[q];
    }

    // The block's contributions added to out[0...] voice after voice.
    [[gnu::always_inline]] inline static void addInVoiceOrder(Block& block, int count, float* out) noexcept
    {
        for (int q = 0; q < kVectors; ++q)
            square_transpose::transposeSquare(block[q]); // back to one row of samples per voice
        Floats sum = Floats::load_unaligned(out);
        for (int g = 0; g < WornRows::kMax && g < count; ++g)
            sum += block[g / kLanes][g % kLanes];
        sum.store_unaligned(out);
    }

    void store(float* states) const noexcept
    {
        for (int q = 0; q < kVectors; ++q)
            state[q].store_unaligned(states + q * kLanes);
    }
};

// filterWornRows for whole vectors of samples, with every row up to kMax filled in; returns how
// many samples it ran (the rest are left to the scalar loop).
template <class Arch> int filterBlocks(WornRows& rows, int count, int m, float* outL, float* outR) noexcept
{
    using Filters = ChannelFilters<Arch>;
    Filters left(rows.readL, rows.stateL, rows.gain, rows.coef, rows.scaleL);
    Filters right(rows.readR, rows.stateR, rows.gain, rows.coef, rows.scaleR);
    int j = 0;
    for (; j + Filters::kLanes <= m; j += Filters::kLanes)
    {
        typename Filters::Block blockL, blockR;
        left.readColumns(j, blockL);
        right.readColumns(j, blockR);
        // The steps of every vector of voices and both channels side by side: their chains overlap.
        for (int s = 0; s < Filters::kLanes; ++s)
            for (int q = 0; q < Filters::kVectors; ++q)
            {
                left.step(q, blockL[q][s]);
                right.step(q, blockR[q][s]);
            }
        Filters::addInVoiceOrder(blockL, count, outL + j);
        Filters::addInVoiceOrder(blockR, count, outR + j);
    }
    left.store(rows.stateL);
    right.store(rows.stateR);
    return j;
}

using FilterBlocks = int (*)(WornRows& rows, int count, int m, float* outL, float* outR) noexcept;
int filterBlocksSse2(WornRows& rows, int count, int m, float* outL, float* outR) noexcept;
int filterBlocksAvx2(WornRows& rows, int count, int m, float* outL, float* outR) noexcept;
} // namespace vorl::worn_filter
