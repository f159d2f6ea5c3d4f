// Compiled with -mavx2 (and, like the rest of the engine, without contraction into fused
// multiply-adds): only ever called on a CPU that has AVX2.
#include "GlidingReadKernel.h"

namespace vorl::gliding_reads
{
void readRunsAvx2(const float* ring, int length, long firstPosition, const float* delays, int n,
                  float* out) noexcept
{
    readRuns<xsimd::avx2>(ring, length, firstPosition, delays, n, out);
}
} // namespace vorl::gliding_reads
