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
// One channel's filters over Sets sets of rows, one voice per lane. Each filter is a chain of
// dependent steps; the vectors of voices and the two channels are the chains in flight.
template <class Arch, int Sets> struct ChannelFilters
{
    using Floats = xsimd::batch<float, Arch>;
    static constexpr int kLanes = static_cast<int>(Floats::size);
    static constexpr int kVectorsPerSet = WornRows::kMax / kLanes;
    static constexpr int kVectors = Sets * kVectorsPerSet;
    static_assert(WornRows::kMax % kLanes == 0);

    const float* read[kVectors][kLanes];
    Floats state[kVectors], gain[kVectors], coef[kVectors], scale[kVectors];

    ChannelFilters(const WornRows* sets, bool rightChannel) noexcept
    {
        for (int q = 0; q < kVectors; ++q)
        {
            const WornRows& rows = sets[q / kVectorsPerSet];
            const int first = (q % kVectorsPerSet) * kLanes;
            for (int g = 0; g < kLanes; ++g)
                read[q][g] = rightChannel ? rows.readR[first + g] : rows.readL[first + g];
            state[q] = Floats::load_unaligned((rightChannel ? rows.stateR : rows.stateL) + first);
            gain[q] = Floats::load_unaligned(rows.gain + first);
            coef[q] = Floats::load_unaligned(rows.coef + first);
            scale[q] = Floats::load_unaligned((rightChannel ? rows.scaleR : rows.scaleL) + first);
        }
    }

    using Block = Floats[kVectors][kLanes];

    // kLanes samples of every voice's reads from j on, one sample per vector, one voice per lane.
    [[gnu::always_inline]] inline void readColumns(int j, Block& block) const noexcept
    {
        for (int q = 0; q < kVectors; ++q)
        {
            if constexpr (kLanes == 8)
            {
                // Voices h and h + 4 share a register, four samples each, so that transposing the
                // halves alone gives the columns: the loads put the halves in place, no shuffle does.
                Floats* first = block[q];
                Floats* second = block[q] + 4;
                for (int h = 0; h < 4; ++h)
                {
                    first[h] = square_transpose::loadHalves<Floats>(read[q][h] + j, read[q][h + 4] + j);
                    second[h] =
                        square_transpose::loadHalves<Floats>(read[q][h] + j + 4, read[q][h + 4] + j + 4);
                }
                square_transpose::transposeHalves(first[0], first[1], first[2], first[3]);
                square_transpose::transposeHalves(second[0], second[1], second[2], second[3]);
            }
            else
            {
                for (int g = 0; g < kLanes; ++g)
                    block[q][g] = Floats::load_unaligned(read[q][g] + j);
                square_transpose::transposeSquare(block[q]);
            }
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
        if constexpr (kLanes == 8)
        {
            // Transposing the halves of samples 0-3 gives registers holding voice h's four samples
            // in the lower half and voice h + 4's in the upper one (likewise for samples 4-7). The
            // sums run in both halves: voices 0-3 are added where the lower half is the true sum,
            // then the true sum is copied into the upper half for voices 4-7, and back.
            Floats early = square_transpose::broadcastHalf<Floats>(out);
            Floats late = square_transpose::broadcastHalf<Floats>(out + 4);
            for (int q = 0; q < kVectors && q * kLanes < count; ++q)
            {
                Floats* first = block[q];
                Floats* second = block[q] + 4;
                square_transpose::transposeHalves(first[0], first[1], first[2], first[3]);
                square_transpose::transposeHalves(second[0], second[1], second[2], second[3]);
                const int voices = count - q * kLanes;
                for (int h = 0; h < 4 && h < voices; ++h)
                {
                    early += first[h];
                    late += second[h];
                }
                if (voices <= 4)
                    break;
                early = square_transpose::lowerHalfToBoth(early);
                late = square_transpose::lowerHalfToBoth(late);
                for (int h = 0; h < 4 && h + 4 < voices; ++h)
                {
                    early += first[h];
                    late += second[h];
                }
                early = square_transpose::upperHalfToBoth(early);
                late = square_transpose::upperHalfToBoth(late);
            }
            // Both halves hold the true sums unless the voices ended after a lower half, where
            // the lower half does: store the lower halves.
            square_transpose::storeLowerHalf(early, out);
            square_transpose::storeLowerHalf(late, out + 4);
            return;
        }
        for (int q = 0; q < kVectors; ++q)
            square_transpose::transposeSquare(block[q]); // back to one row of samples per voice
        Floats sum = Floats::load_unaligned(out);
        for (int g = 0; g < kVectors * kLanes && g < count; ++g)
            sum += block[g / kLanes][g % kLanes];
        sum.store_unaligned(out);
    }

    void store(WornRows* sets, bool rightChannel) const noexcept
    {
        for (int q = 0; q < kVectors; ++q)
        {
            WornRows& rows = sets[q / kVectorsPerSet];
            state[q].store_unaligned((rightChannel ? rows.stateR : rows.stateL) +
                                     (q % kVectorsPerSet) * kLanes);
        }
    }
};

// filterWornRows for whole vectors of samples over Sets sets, with every row of them filled in;
// returns how many samples it ran (the rest are left to the scalar loop).
template <class Arch, int Sets>
int filterBlocks(WornRows* sets, int count, int m, float* outL, float* outR) noexcept
{
    using Filters = ChannelFilters<Arch, Sets>;
    Filters left(sets, false);
    Filters right(sets, true);
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
    left.store(sets, false);
    right.store(sets, true);
    return j;
}

// The sets of the first count voices: two side by side with eight lanes (their four chains fill
// the unit), one at a time with four (its four chains already do). A set after another adds its
// voices to each sample after the other's, so the bus still takes them in order.
template <class Arch> int filterBlocksFor(WornRows* sets, int count, int m, float* outL, float* outR) noexcept
{
    constexpr int kLanes = static_cast<int>(xsimd::batch<float, Arch>::size);
    constexpr int kSetsTogether = kLanes == 8 ? 2 : 1;
    static_assert(kWornSets % kSetsTogether == 0);
    int j = 0;
    for (int first = 0; first < count; first += kSetsTogether * WornRows::kMax)
    {
        WornRows* pass = sets + first / WornRows::kMax;
        const int voices =
            count - first < kSetsTogether * WornRows::kMax ? count - first : kSetsTogether * WornRows::kMax;
        if constexpr (kSetsTogether == 2)
            if (voices > WornRows::kMax)
            {
                j = filterBlocks<Arch, 2>(pass, voices, m, outL, outR);
                continue;
            }
        j = filterBlocks<Arch, 1>(pass, voices, m, outL, outR);
    }
    return j;
}

using FilterBlocks = int (*)(WornRows* sets, int count, int m, float* outL, float* outR) noexcept;
int filterBlocksSse2(WornRows* sets, int count, int m, float* outL, float* outR) noexcept;
int filterBlocksAvx2(WornRows* sets, int count, int m, float* outL, float* outR) noexcept;
} // namespace vorl::worn_filter
