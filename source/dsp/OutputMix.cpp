#include "OutputMix.h"

#include <xsimd/xsimd.hpp>

#include <algorithm>
#include <cmath>

namespace vorl
{
float mixOutput(float* out, const float* wet, int n, float wetGain, float dryGain, float masterGain) noexcept
{
    // The running maximum is a chain of dependent steps when taken one sample at a time; in
    // vector lanes it is several chains. The largest of the values is the same in any order.
    using Floats = xsimd::batch<float, xsimd::sse2>;
    constexpr int kLanes = static_cast<int>(Floats::size);
    const Floats wg(wetGain), dg(dryGain), mg(masterGain);
    Floats peaks(0.0f);
    int i = 0;
    for (; i + kLanes <= n; i += kLanes)
    {
        const Floats y = (wg * Floats::load_unaligned(wet + i) + dg * Floats::load_unaligned(out + i)) * mg;
        y.store_unaligned(out + i);
        peaks = xsimd::max(xsimd::abs(y), peaks); // a NaN magnitude keeps the second operand
    }
    alignas(16) float lanes[kLanes];
    peaks.store_aligned(lanes);
    float peak = 0.0f;
    for (float lane : lanes)
        peak = std::max(peak, lane);
    for (; i < n; ++i)
    {
        out[i] = (wetGain * wet[i] + dryGain * out[i]) * masterGain;
        peak = std::max(peak, std::abs(out[i]));
    }
    return peak;
}
} // namespace vorl
