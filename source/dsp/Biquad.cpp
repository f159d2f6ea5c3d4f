#include "Biquad.h"
#include "MathConstants.h"

#include <cmath>

namespace vorl
{
void Biquad::design(BiquadType type, float cutoffHz, float sampleRate) noexcept
{
    // Written so that NaN cutoffs or rates also fall through to the pass-through.
    const bool usable = sampleRate > 0.0f && cutoffHz >= 5.0f && cutoffHz <= 0.48f * sampleRate;
    if (!usable)
    {
        setPassThrough();
        return;
    }

    const double omega = 2.0 * kPi * static_cast<double>(cutoffHz) / static_cast<double>(sampleRate);
    const double cosOmega = std::cos(omega);
    const double alpha = std::sin(omega) / 1.414;
    const double a0 = 1.0 + alpha;

    double nb0, nb1;
    if (type == BiquadType::highPass)
    {
        nb0 = (1.0 + cosOmega) / 2.0;
        nb1 = -(1.0 + cosOmega);
    }
    else
    {
        nb0 = (1.0 - cosOmega) / 2.0;
        nb1 = 1.0 - cosOmega;
    }

    b0 = static_cast<float>(nb0 / a0);
    b1 = static_cast<float>(nb1 / a0);
    b2 = b0;
    a1 = static_cast<float>(-2.0 * cosOmega / a0);
    a2 = static_cast<float>((1.0 - alpha) / a0);
}

void Biquad::setPassThrough() noexcept
{
    b0 = 1.0f;
    b1 = b2 = a1 = a2 = 0.0f;
}
} // namespace vorl
