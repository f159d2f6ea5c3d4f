// Compiled with -mavx2 (and, like the rest of the engine, without contraction into fused
// multiply-adds): only ever called on a CPU that has AVX2.
#include "WornFilterKernel.h"

namespace vorl::worn_filter
{
int filterBlocksAvx2(WornRows* sets, int count, int m, float* outL, float* outR) noexcept
{
    return filterBlocksFor<xsimd::avx2>(sets, count, m, outL, outR);
}
} // namespace vorl::worn_filter
