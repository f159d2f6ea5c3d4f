#include "WaveValue.h"

#include "LfoRandom.h"

#include <algorithm>
#include <cmath>

namespace vorl
{
float waveValue(float timeMs, float rateHz, int shape, float depthPercent, uint32_t seed,
                float phaseCycles) noexcept
{
    if (depthPercent <= 0.0f)
        return 0.0f;

    constexpr float twoPi = 6.28318530717958647692f;
    const float ts = timeMs / 1000.0f;
    float phi = std::fmod(twoPi * rateHz * ts + twoPi * phaseCycles, twoPi);
    if (phi < 0.0f)
        phi += twoPi;
    const float c = phi / twoPi;
    const float pos = std::max(rateHz * ts + phaseCycles, 0.0f);

    float value;
    switch (shape)
    {
    case 1:
        value = c < 0.5f ? 4.0f * c - 1.0f : 3.0f - 4.0f * c;
        break;
    case 2:
        value = c < 0.5f ? 1.0f : -1.0f;
        break;
    case 3:
        value = 1.0f - 2.0f * c;
        break;
    case 4:
        value = 2.0f * c - 1.0f;
        break;
    case 5:
        value = rnd(static_cast<int64_t>(std::floor(pos)), seed);
        break;
    case 6:
        value = smoothRandom(static_cast<double>(pos), seed);
        break;
    case 7:
        value = 0.0f;
        break;
    default:
        value = std::sin(phi);
        break;
    }
    return depthPercent / 100.0f * value;
}
} // namespace vorl
