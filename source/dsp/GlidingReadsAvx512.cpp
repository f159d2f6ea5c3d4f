// Compiled with -mavx512f (and, like the rest of the engine, without contraction into fused
// multiply-adds): only ever called on a CPU and system that have AVX-512.
#include "GlidingReadKernel.h"

namespace vorl::gliding_reads
{
void readRunsAvx512(const float* ringL, const float* ringR, int length, long firstPosition,
                    const float* delays, int n, float* outL, float* outR) noexcept
{
    readRunsFor<xsimd::avx512f>(ringL, ringR, length, firstPosition, delays, n, outL, outR);
}
} // namespace vorl::gliding_reads
