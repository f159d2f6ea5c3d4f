#pragma once

namespace vorl
{
// values[i] = sin(values[i]) for n values, n a multiple of 4, a vector at a time on the widest
// vector unit the CPU has. Every lane gives xsimd's sine for the baseline instruction set to the
// bit; arguments beyond 1e4 take the library's sine instead, since xsimd's reduction of huge
// arguments is undefined in C++.
void sineOfRow(double* values, int n) noexcept;

// The same for any n: the row has room up to n rounded up to a multiple of 4, and the slots past n
// are set to 0 (and so hold its sine, 0, afterwards).
void sineOfPaddedRow(double* values, int n) noexcept;

namespace row_sine
{
// The variants, for tests.
using SineOfRow = void (*)(double* values, int n) noexcept;
void sineOfRowSse2(double* values, int n) noexcept;
void sineOfRowAvx2(double* values, int n) noexcept;
} // namespace row_sine
} // namespace vorl
