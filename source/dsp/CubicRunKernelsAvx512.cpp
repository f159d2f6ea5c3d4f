// Compiled with -mavx512f (and, like the rest of the engine, without contraction into fused
// multiply-adds): only ever called on a CPU and system that have AVX-512.
#include "CubicRunKernels.h"

namespace vorl
{
VORL_CUBIC_RUN_KERNELS(, xsimd::avx512f)
} // namespace vorl
