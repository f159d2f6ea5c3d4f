#include "RowSineKernel.h"

#include "CubicRunKernels.h"

#include <algorithm>

namespace vorl
{
namespace row_sine
{
void sineOfRowSse2(double* values, int n) noexcept
{
    sineOfRowFor<xsimd::sse2>(values, n);
}

namespace
{
// Chosen when the program started.
const SineOfRow sineOfRowHere = wideVectorUnitUsable() ? sineOfRowAvx2 : sineOfRowSse2;
} // namespace
} // namespace row_sine

void sineOfRow(double* values, int n) noexcept
{
    row_sine::sineOfRowHere(values, n);
}

void sineOfPaddedRow(double* values, int n) noexcept
{
    const int rounded = (n + 3) & ~3;
    std::fill(values + n, values + rounded, 0.0);
    row_sine::sineOfRowHere(values, rounded);
}
} // namespace vorl
