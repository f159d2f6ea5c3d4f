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
} // namespace vorl
