#pragma once

// The row sine written once for any instruction set; RowSine.cpp builds the SSE2 variant and
// RowSineAvx2.cpp the AVX2 one. Include it only there: everything here is instantiated per
// instruction set.
#include "RowSine.h"

#include <xsimd/xsimd.hpp>

#include <cmath>

namespace vorl::row_sine
{
template <class Arch> void sineOfRowFor(double* values, int n) noexcept
{
    using Doubles = xsimd::batch<double, Arch>;
    constexpr int kLanes = static_cast<int>(Doubles::size);
    for (int i = 0; i < n; i += kLanes)
    {
        const Doubles x = Doubles::load_unaligned(values + i);
        const auto usual = xsimd::abs(x) <= Doubles(1.0e4);
        if (xsimd::all(usual))
        {
            xsimd::sin(x).store_unaligned(values + i);
            continue;
        }
        // Each lane's result depends on its own argument alone.
        alignas(Arch::alignment()) double arguments[kLanes];
        x.store_aligned(arguments);
        xsimd::sin(xsimd::select(usual, x, Doubles(0.0))).store_unaligned(values + i);
        for (int l = 0; l < kLanes; ++l)
            if (!(std::fabs(arguments[l]) <= 1.0e4))
                values[i + l] = std::sin(arguments[l]);
    }
}
} // namespace vorl::row_sine
