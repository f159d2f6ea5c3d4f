#include "DecayCurve.h"

#include <algorithm>
#include <cmath>

namespace vorl
{
float decayCurveValue(float dial) noexcept
{
    constexpr float pi = 3.14159265358979323846f;
    if (dial >= 0.0f && dial <= 200.0f)
        return -100.0f * std::cos(dial / 200.0f * pi);

    const float m = std::clamp(dial > 200.0f ? std::fabs(dial - 200.0f) : std::fabs(dial), 0.0f, 100.0f);
    const float extra = 40.0f * (1.0f - std::cos(m / 100.0f * (pi / 2.0f)));
    return dial > 200.0f ? 100.0f + extra : -100.0f - extra;
}

float decayCurveGain(float x, float curve) noexcept
{
    if (x <= 0.0f)
        return 1.0f;
    const float s = curve / 140.0f;
    const float k = s < 0.0f ? 25.0f : 14.0f;
    const float db = -(20.0f - s * k) * std::min(x, 1.0f);
    return std::pow(10.0f, db / 20.0f);
}

float decayModeGain(float x, float curve, int mode, int steps) noexcept
{
    if (mode <= 0)
        return decayCurveGain(x, curve);

    steps = std::max(steps, 1);
    const auto stepsF = static_cast<float>(steps);
    int q = static_cast<int>(std::min(x, 0.9999f) * stepsF);
    q = std::max(std::min(q, steps - 1), 0);
    float f = decayCurveGain((static_cast<float>(q) + 0.5f) / stepsF, curve);
    if (mode >= 2)
    {
        const float r = stepsF * x - static_cast<float>(q);
        if (r > 0.56f)
        {
            const float s = (r - 0.56f) / 0.44f;
            const int q2 = std::min(q + 1, steps - 1);
            const float f2 = decayCurveGain((static_cast<float>(q2) + 0.5f) / stepsF, curve);
            f = f + (f2 - f) * s * s * (3.0f - 2.0f * s);
        }
    }
    return f;
}

float falloffEnvelope(float pos, float falloffPercent) noexcept
{
    const float start = falloffPercent > 0.0f ? 1.0f - std::min(falloffPercent, 100.0f) / 100.0f : 1.0f;
    if (start >= 1.0f || start >= pos)
        return 1.0f;
    const float g = std::min((pos - start) / (1.0f - start), 1.0f);
    const float oneMinusG2 = 1.0f - g * g;
    return oneMinusG2 * oneMinusG2;
}
} // namespace vorl
