#pragma once

#include "CubicReader.h"

#include <xsimd/xsimd.hpp>

namespace vorl
{
// The cubic reads of a settled tap, added to the bus: wet[j] += gain * read(j) * scale for n
// frames starting at ring index `index` of a SeamlessRing of `length` frames, wrapping at its end.
// The loop is written once for any instruction set; each batch lane computes one output frame
// with the same operations in the same order as a scalar loop, so every instruction set gives the
// same bits. SettledReadKernel.cpp builds the SSE2 variant every x86-64 CPU runs and
// SettledReadKernelAvx2.cpp the AVX2 one; accumulateSettledReads picks the widest the CPU has.
struct SettledReadKernel
{
    template <class Arch>
    void operator()(Arch, const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                    float gain, float scale, float* wet) const noexcept;
};

using SettledReadArchitectures = xsimd::arch_list<xsimd::avx2, xsimd::sse2>;

// Runs the kernel variant chosen for this CPU when the program started.
void accumulateSettledReads(const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                            float gain, float scale, float* wet) noexcept;

// Name of that variant ("avx2" or "sse2"), for tests and benchmarks.
const char* settledReadArchitecture() noexcept;

namespace settled_reads
{
template <bool Scaled, class Arch>
void accumulateRun(const float* x, int run, const CatmullRomWeights& w, float gain, float scale,
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
        const Batch added = Scaled ? g * read * s : g * read;
        (Batch::load_unaligned(out + j) + added).store_unaligned(out + j);
    }
    for (; j < run; ++j)
    {
        const float read = w.w0 * x[j - 1] + w.w1 * x[j] + w.w2 * x[j + 1] + w.w3 * x[j + 2];
        out[j] += Scaled ? gain * read * scale : gain * read;
    }
}
} // namespace settled_reads

template <class Arch>
void SettledReadKernel::operator()(Arch, const float* ring, int length, int index, int n,
                                   const CatmullRomWeights& w, float gain, float scale,
                                   float* wet) const noexcept
{
    for (int k = 0; k < n; index = 0)
    {
        const int run = n - k < length - index ? n - k : length - index;
        // A scale of 1 (no ping-pong) changes nothing, so its multiply is left out.
        if (scale == 1.0f)
            settled_reads::accumulateRun<false, Arch>(ring + index, run, w, gain, scale, wet + k);
        else
            settled_reads::accumulateRun<true, Arch>(ring + index, run, w, gain, scale, wet + k);
        k += run;
    }
}

// Each variant is compiled in its own file, with its own instruction set.
extern template void SettledReadKernel::operator()<xsimd::sse2>(xsimd::sse2, const float*, int, int, int,
                                                                const CatmullRomWeights&, float, float,
                                                                float*) const noexcept;
extern template void SettledReadKernel::operator()<xsimd::avx2>(xsimd::avx2, const float*, int, int, int,
                                                                const CatmullRomWeights&, float, float,
                                                                float*) const noexcept;
} // namespace vorl
