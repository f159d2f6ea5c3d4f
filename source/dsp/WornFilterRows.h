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

// The rows of up to kWornSets x WornRows::kMax voices: voice g is row g % kMax of set g / kMax.
constexpr int kWornSets = 2;

// Runs m samples of the one-pole wear filters of the first `count` voices of the sets over their
// reads (state += (gain x read - state) x coef) and adds state x scale to the bus, each sample
// taking the voices in their order. Runs on the widest vector unit the CPU has: eight voices per
// vector and two sets side by side with AVX2, four voices per vector and a set at a time without.
void filterWornRows(WornRows* sets, int count, int m, float* outL, float* outR) noexcept;

namespace worn_filter
{
// The variants, for tests.
using FilterRows = void (*)(WornRows* sets, int count, int m, float* outL, float* outR) noexcept;
void filterRowsSse2(WornRows* sets, int count, int m, float* outL, float* outR) noexcept;
void filterRowsAvx2(WornRows* sets, int count, int m, float* outL, float* outR) noexcept;
} // namespace worn_filter
} // namespace vorl
