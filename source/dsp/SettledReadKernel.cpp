#include "SettledReadKernel.h"

namespace vorl
{
template void SettledReadKernel::operator()<xsimd::sse2>(xsimd::sse2, const float*, int, int, int,
                                                         const CatmullRomWeights&, float, float,
                                                         float*) const noexcept;

namespace
{
// Made at program start: the CPU is asked once, never on the audio thread.
auto settledReads = xsimd::dispatch<SettledReadArchitectures>(SettledReadKernel{});

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

const char* settledReadArchitecture() noexcept
{
    return xsimd::dispatch<SettledReadArchitectures>(ArchitectureName{})();
}
} // namespace vorl
