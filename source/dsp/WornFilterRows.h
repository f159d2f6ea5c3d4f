#pragma once

namespace vorl
{
// Scratch rows of a group of worn voices: their reads for one chunk and their filters.
struct WornRows
{
    static constexpr int kChunk = 256;
    static constexpr int kMax = 8;
    float readL[kMax][kChunk];
    float readR[kMax][kChunk];
    float stateL[kMax], stateR[kMax], scaleL[kMax], scaleR[kMax], gain[kMax], coef[kMax];
};

// Runs m samples of the one-pole wear filters of the first `count` voices over their reads
// (state += (gain x read - state) x coef) and adds state x scale to the bus, each sample taking
// the voices in their order.
// Runs on the widest vector unit the CPU has (eight voices per vector with AVX2, four without).
void filterWornRows(WornRows& rows, int count, int m, float* outL, float* outR) noexcept;

namespace worn_filter
{
// The variants, for tests.
using FilterRows = void (*)(WornRows& rows, int count, int m, float* outL, float* outR) noexcept;
void filterRowsSse2(WornRows& rows, int count, int m, float* outL, float* outR) noexcept;
void filterRowsAvx2(WornRows& rows, int count, int m, float* outL, float* outR) noexcept;
} // namespace worn_filter
} // namespace vorl
