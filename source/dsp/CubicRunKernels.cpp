#include "CubicRunKernels.h"

namespace vorl
{
VORL_CUBIC_RUN_KERNELS(, xsimd::sse2)

namespace
{
// xsimd 8.1 asks the CPU whether it has AVX2 but not whether the operating system saves the
// wide registers on a context switch; without that, AVX2 code faults. GCC's check asks both.
bool wideRegistersUsable() noexcept
{
    __builtin_cpu_init(); // this may run in a static initialiser, before libgcc's own
    return __builtin_cpu_supports("avx2");
}

// Made at program start: the CPU is asked once, never on the audio thread.
const bool useWide = wideVectorUnitUsable();
auto wideSettledReads = xsimd::dispatch<CubicRunArchitectures>(SettledReadKernel{});
auto wideRunReads = xsimd::dispatch<CubicRunArchitectures>(RunReadKernel{});
auto widePairReads = xsimd::dispatch<CubicRunArchitectures>(SettledPairKernel{});
auto baselineSettledReads = xsimd::dispatch<xsimd::arch_list<xsimd::sse2>>(SettledReadKernel{});
auto baselineRunReads = xsimd::dispatch<xsimd::arch_list<xsimd::sse2>>(RunReadKernel{});
auto baselinePairReads = xsimd::dispatch<xsimd::arch_list<xsimd::sse2>>(SettledPairKernel{});

struct ArchitectureName
{
    template <class Arch> const char* operator()(Arch) const noexcept { return Arch::name(); }
};
} // namespace

void accumulateSettledReads(const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                            float gain, float scale, float* wet) noexcept
{
    if (useWide)
        wideSettledReads(ring, length, index, n, w, gain, scale, wet);
    else
        baselineSettledReads(ring, length, index, n, w, gain, scale, wet);
}

void accumulateSettledPairReads(const float* ring, const int* index, int n, const CatmullRomWeights* w,
                                const float* gain, const float* scale, float* wet) noexcept
{
    if (useWide)
        widePairReads(ring, index, n, w, gain, scale, wet);
    else
        baselinePairReads(ring, index, n, w, gain, scale, wet);
}

int readSeamlessRuns(const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                     float* out) noexcept
{
    return useWide ? wideRunReads(ring, length, index, n, w, out)
                   : baselineRunReads(ring, length, index, n, w, out);
}

bool wideVectorUnitUsable() noexcept
{
    // Other files' start-up code asks too, maybe before this file's variables are made.
    static const bool usable = wideRegistersUsable();
    return usable;
}

const char* cubicRunArchitecture() noexcept
{
    if (!useWide)
        return xsimd::sse2::name();
    return xsimd::dispatch<CubicRunArchitectures>(ArchitectureName{})();
}
} // namespace vorl
