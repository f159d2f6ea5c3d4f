// Compiled with -mavx2 (and, like the rest of the engine, without contraction into fused
// multiply-adds): only ever called on a CPU that has AVX2.
#include "CubicRunKernels.h"

namespace vorl
{
VORL_CUBIC_RUN_KERNELS(, xsimd::avx2)
} // namespace vorl
