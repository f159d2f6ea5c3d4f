#include "CubicRunKernels.h"

namespace vorl
{
VORL_CUBIC_RUN_KERNELS(, xsimd::sse2)

namespace
{
// The kernels on one instruction set, behind plain function pointers.
template <class Arch> struct On
{
    static void settled(const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                        float gain, float scale, float* wet) noexcept
    {
        SettledReadKernel{}(Arch{}, ring, length, index, n, w, gain, scale, wet);
    }
    static void pair(const float* ring, const int* index, int n, const CatmullRomWeights* w,
                     const float* gain, const float* scale, float* wet) noexcept
    {
        SettledPairKernel{}(Arch{}, ring, index, n, w, gain, scale, wet);
    }
    static int runs(const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                    float* out) noexcept
    {
        return RunReadKernel{}(Arch{}, ring, length, index, n, w, out);
    }
};

struct Kernels
{
    decltype(&On<xsimd::sse2>::settled) settled;
    decltype(&On<xsimd::sse2>::pair) pair;
    decltype(&On<xsimd::sse2>::runs) runs;
    const char* name;
};

template <class Arch> Kernels kernelsOn() noexcept
{
    return {&On<Arch>::settled, &On<Arch>::pair, &On<Arch>::runs, Arch::name()};
}

// Chosen at program start: the CPU is asked once, never on the audio thread.
const Kernels kernelsHere = widestVectorUnitUsable() ? kernelsOn<xsimd::avx512f>()
                            : wideVectorUnitUsable() ? kernelsOn<xsimd::avx2>()
                                                     : kernelsOn<xsimd::sse2>();
} // namespace

void accumulateSettledReads(const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                            float gain, float scale, float* wet) noexcept
{
    kernelsHere.settled(ring, length, index, n, w, gain, scale, wet);
}

void accumulateSettledPairReads(const float* ring, const int* index, int n, const CatmullRomWeights* w,
                                const float* gain, const float* scale, float* wet) noexcept
{
    kernelsHere.pair(ring, index, n, w, gain, scale, wet);
}

int readSeamlessRuns(const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                     float* out) noexcept
{
    return kernelsHere.runs(ring, length, index, n, w, out);
}

// xsimd 8.1 asks the CPU whether it has AVX2 or AVX-512 but not whether the operating system saves
// the wide registers on a context switch; without that, their code faults. GCC's check asks both.
// __builtin_cpu_init comes first because this may run in a static initialiser, before libgcc's
// own; other files' start-up code asks too, maybe before this file's variables are made.
bool wideVectorUnitUsable() noexcept
{
    static const bool usable = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
    return usable;
}

bool widestVectorUnitUsable() noexcept
{
    static const bool usable = (__builtin_cpu_init(), __builtin_cpu_supports("avx512f") != 0);
    return usable;
}

const char* cubicRunArchitecture() noexcept
{
    return kernelsHere.name;
}
} // namespace vorl
