#pragma once

#include "CubicReader.h"

#include <xsimd/xsimd.hpp>

namespace vorl
{
// Cubic reads at fixed weights over a SeamlessRing of `length` frames, n frames from ring index
// `index` on, wrapping at the ring's end: the settled taps' reads added to the bus and the run
// reader's reads stored in a row. The loops are written once for any instruction set; each batch
// lane computes one output frame with the same operations in the same order as a scalar loop, so
// every instruction set gives the same bits. CubicRunKernels.cpp builds the SSE2 variants every
// x86-64 CPU runs, CubicRunKernelsAvx2.cpp the AVX2 ones and CubicRunKernelsAvx512.cpp the AVX-512
// ones; the functions below take the widest the CPU has.

// wet[j] += gain * read(j) * scale.
struct SettledReadKernel
{
    template <class Arch>
    void operator()(Arch, const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                    float gain, float scale, float* wet) const noexcept;
};

// Two settled taps of one channel in one pass: wet[j] += gain[0] * read0(j) * scale[0], then
// wet[j] += gain[1] * read1(j) * scale[1], with the bus loaded and stored once. Neither run may
// pass the ring's end: index[v] + n <= length.
struct SettledPairKernel
{
    template <class Arch>
    void operator()(Arch, const float* ring, const int* index, int n, const CatmullRomWeights* w,
                    const float* gain, const float* scale, float* wet) const noexcept;
};

// out[j] = read(j); returns the ring index after the last frame read.
struct RunReadKernel
{
    template <class Arch>
    int operator()(Arch, const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                   float* out) const noexcept;
};

// The variants chosen for this CPU when the program started.
void accumulateSettledReads(const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                            float gain, float scale, float* wet) noexcept;
void accumulateSettledPairReads(const float* ring, const int* index, int n, const CatmullRomWeights* w,
                                const float* gain, const float* scale, float* wet) noexcept;
// (readSeamlessRuns, declared in CubicReader.h, is the RunReadKernel's.)

// Whether the CPU and the operating system allow AVX2, asked once when the program started.
bool wideVectorUnitUsable() noexcept;
// The same for AVX-512 (its foundation instructions).
bool widestVectorUnitUsable() noexcept;

// Name of the instruction set they use ("avx512f", "avx2" or "sse2"), for tests and benchmarks.
const char* cubicRunArchitecture() noexcept;

namespace cubic_runs
{
enum class Output
{
    Store,
    Add,
    AddScaled
};

// One run that reads straight through memory.
template <Output To, class Arch>
void processRun(const float* x, int run, const CatmullRomWeights& w, float gain, float scale,
                float* out) noexcept
{
    using Batch = xsimd::batch<float, Arch>;
    constexpr int kLanes = static_cast<int>(Batch::size);
    const Batch w0(w.w0), w1(w.w1), w2(w.w2), w3(w.w3), g(gain), s(scale);
    int j = 0;
    for (; j + kLanes <= run; j += kLanes)
    {
        const Batch read = w0 * Batch::load_unaligned(x + j - 1) + w1 * Batch::load_unaligned(x + j) +
                           w2 * Batch::load_unaligned(x + j + 1) + w3 * Batch::load_unaligned(x + j + 2);
        if constexpr (To == Output::Store)
            read.store_unaligned(out + j);
        else if constexpr (To == Output::Add)
            (Batch::load_unaligned(out + j) + g * read).store_unaligned(out + j);
        else
            (Batch::load_unaligned(out + j) + g * read * s).store_unaligned(out + j);
    }
    for (; j < run; ++j)
    {
        const float read = w.w0 * x[j - 1] + w.w1 * x[j] + w.w2 * x[j + 1] + w.w3 * x[j + 2];
        if constexpr (To == Output::Store)
            out[j] = read;
        else if constexpr (To == Output::Add)
            out[j] += gain * read;
        else
            out[j] += gain * read * scale;
    }
}

// n frames as runs that end where the ring does; returns the ring index after them.
template <Output To, class Arch>
int processRuns(const float* ring, int length, int index, int n, const CatmullRomWeights& w, float gain,
                float scale, float* out) noexcept
{
    for (int k = 0; k < n;)
    {
        const int run = n - k < length - index ? n - k : length - index;
        processRun<To, Arch>(ring + index, run, w, gain, scale, out + k);
        k += run;
        index += run;
        if (index == length)
            index = 0;
    }
    return index;
}
} // namespace cubic_runs

template <class Arch>
void SettledReadKernel::operator()(Arch, const float* ring, int length, int index, int n,
                                   const CatmullRomWeights& w, float gain, float scale,
                                   float* wet) const noexcept
{
    using cubic_runs::Output;
    // A scale of 1 (no ping-pong) changes nothing, so its multiply is left out.
    if (scale == 1.0f)
        cubic_runs::processRuns<Output::Add, Arch>(ring, length, index, n, w, gain, scale, wet);
    else
        cubic_runs::processRuns<Output::AddScaled, Arch>(ring, length, index, n, w, gain, scale, wet);
}

template <class Arch>
void SettledPairKernel::operator()(Arch, const float* ring, const int* index, int n,
                                   const CatmullRomWeights* w, const float* gain, const float* scale,
                                   float* wet) const noexcept
{
    using Batch = xsimd::batch<float, Arch>;
    constexpr int kLanes = static_cast<int>(Batch::size);
    const float* x = ring + index[0];
    const float* y = ring + index[1];
    const Batch xw0(w[0].w0), xw1(w[0].w1), xw2(w[0].w2), xw3(w[0].w3), xg(gain[0]), xs(scale[0]);
    const Batch yw0(w[1].w0), yw1(w[1].w1), yw2(w[1].w2), yw3(w[1].w3), yg(gain[1]), ys(scale[1]);
    // A scale of 1 multiplies exactly, so the pair needs no variant without it.
    int j = 0;
    for (; j + kLanes <= n; j += kLanes)
    {
        const Batch readX = xw0 * Batch::load_unaligned(x + j - 1) + xw1 * Batch::load_unaligned(x + j) +
                            xw2 * Batch::load_unaligned(x + j + 1) + xw3 * Batch::load_unaligned(x + j + 2);
        const Batch readY = yw0 * Batch::load_unaligned(y + j - 1) + yw1 * Batch::load_unaligned(y + j) +
                            yw2 * Batch::load_unaligned(y + j + 1) + yw3 * Batch::load_unaligned(y + j + 2);
        ((Batch::load_unaligned(wet + j) + xg * readX * xs) + yg * readY * ys).store_unaligned(wet + j);
    }
    for (; j < n; ++j)
    {
        const float readX = w[0].w0 * x[j - 1] + w[0].w1 * x[j] + w[0].w2 * x[j + 1] + w[0].w3 * x[j + 2];
        const float readY = w[1].w0 * y[j - 1] + w[1].w1 * y[j] + w[1].w2 * y[j + 1] + w[1].w3 * y[j + 2];
        wet[j] = (wet[j] + gain[0] * readX * scale[0]) + gain[1] * readY * scale[1];
    }
}

template <class Arch>
int RunReadKernel::operator()(Arch, const float* ring, int length, int index, int n,
                              const CatmullRomWeights& w, float* out) const noexcept
{
    return cubic_runs::processRuns<cubic_runs::Output::Store, Arch>(ring, length, index, n, w, 1.0f, 1.0f,
                                                                    out);
}

// Each variant is compiled in its own file, with its own instruction set.
#define VORL_CUBIC_RUN_KERNELS(prefix, Arch)                                                                 \
    prefix template void SettledReadKernel::operator()<Arch>(                                                \
        Arch, const float*, int, int, int, const CatmullRomWeights&, float, float, float*) const noexcept;   \
    prefix template void SettledPairKernel::operator()<Arch>(Arch, const float*, const int*, int,            \
                                                             const CatmullRomWeights*, const float*,         \
                                                             const float*, float*) const noexcept;           \
    prefix template int RunReadKernel::operator()<Arch>(Arch, const float*, int, int, int,                   \
                                                        const CatmullRomWeights&, float*) const noexcept;
VORL_CUBIC_RUN_KERNELS(extern, xsimd::sse2)
VORL_CUBIC_RUN_KERNELS(extern, xsimd::avx2)
VORL_CUBIC_RUN_KERNELS(extern, xsimd::avx512f)
} // namespace vorl
