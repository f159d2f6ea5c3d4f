#pragma once

#include <algorithm>
#include <cmath>

namespace vorl
{
// Cutoff of the tape-wear low-pass of tap `index` in a pattern of `count` taps: later taps are
// darker, and with fewer than 32 taps each step of the index darkens 32 / count times as much,
// so a short pattern still reaches the same darkness at its end.
inline float wearCutoffHz(int index, int count, float amountPercent) noexcept
{
    constexpr float maxCutoffHz = 20000.0f;
    constexpr float minCutoffHz = 20.0f;
    const auto k = static_cast<float>(std::min(index, std::max(count - 1, 0)));
    const float s = count < 32 ? 32.0f / static_cast<float>(std::max(count, 1)) : 1.0f;
    const float w = amountPercent / 100.0f * 4.0f;
    return std::max(maxCutoffHz * std::pow(10.0f, -k * s * w / 20.0f), minCutoffHz);
}
} // namespace vorl
