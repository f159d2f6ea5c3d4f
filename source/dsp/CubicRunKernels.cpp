#include "CubicRunKernels.h"

namespace vorl
{
VORL_CUBIC_RUN_KERNELS(, xsimd::sse2)

namespace
{
// Made at program start: the CPU is asked once, never on the audio thread.
auto settledReads = xsimd::dispatch<CubicRunArchitectures>(SettledReadKernel{});
auto runReads = xsimd::dispatch<CubicRunArchitectures>(RunReadKernel{});

struct ArchitectureName
{
    template <class Arch> const char* operator()(Arch) const noexcept { return Arch::name(); }
};
} // namespace

void accumulateSettledReads(const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                            float gain, float scale, float* wet) noexcept
{
    settledReads(ring, length, index, n, w, gain, scale, wet);
}

int readSeamlessRuns(const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                     float* out) noexcept
{
    return runReads(ring, length, index, n, w, out);
}

const char* cubicRunArchitecture() noexcept
{
    return xsimd::dispatch<CubicRunArchitectures>(ArchitectureName{})();
}
} // namespace vorl
