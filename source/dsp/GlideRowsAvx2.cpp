// Compiled with -mavx2 (and, like the rest of the engine, without contraction into fused
// multiply-adds): only ever called on a CPU that has AVX2.
#include "GlideRowsKernel.h"

namespace vorl::glide_rows
{
int glideBlocksAvx2(GlideRows& rows, float* now, const float* target, const float* shift, int count,
                    float coef, int m) noexcept
{
    return glideBlocksFor<xsimd::avx2>(rows, now, target, shift, count, coef, m);
}
} // namespace vorl::glide_rows
