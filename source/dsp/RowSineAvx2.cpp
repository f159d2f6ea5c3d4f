// Compiled with -mavx2 (and, like the rest of the engine, without contraction into fused
// multiply-adds): only ever called on a CPU that has AVX2.
#include "RowSineKernel.h"

namespace vorl::row_sine
{
void sineOfRowAvx2(double* values, int n) noexcept
{
    sineOfRowFor<xsimd::avx2>(values, n);
}
} // namespace vorl::row_sine
