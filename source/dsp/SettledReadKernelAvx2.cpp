// Compiled with -mavx2 (and, like the rest of the engine, without contraction into fused
// multiply-adds): only ever called on a CPU that has AVX2.
#include "SettledReadKernel.h"

namespace vorl
{
template void SettledReadKernel::operator()<xsimd::avx2>(xsimd::avx2, const float*, int, int, int,
                                                         const CatmullRomWeights&, float, float,
                                                         float*) const noexcept;
} // namespace vorl
