// Compiled with -mavx2 (and, like the rest of the engine, without contraction into fused
// multiply-adds): only ever called on a CPU that has AVX2.
#include "GlidingReadKernel.h"

namespace vorl::gliding_reads
{
void readRunsAvx2(const float* ringL, const float* ringR, int length, long firstPosition, const float* delays,
                  int n, float* outL, float* outR) noexcept
{
    readRunsFor<xsimd::avx2>(ringL, ringR, length, firstPosition, delays, n, outL, outR);
}
} // namespace vorl::gliding_reads
