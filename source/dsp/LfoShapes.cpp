#include "LfoShapes.h"
#include "MathConstants.h"

#include <cmath>

namespace vorl
{
float shapeValue(double phase, int shape) noexcept
{
    const double c = unitPhase(phase);
    switch (shape)
    {
    case 0:
        // Single precision is plenty for a modulator and about twice as fast.
        return std::sin(static_cast<float>(2.0 * kPi * c));
    case 1:
        return static_cast<float>(1.0 - 2.0 * std::fabs(2.0 * c - 1.0));
    case 2:
        return c < 0.5 ? 1.0f : -1.0f;
    case 3:
        return static_cast<float>(2.0 * c - 1.0);
    case 4:
        return static_cast<float>(1.0 - 2.0 * c);
    default:
        return 0.0f;
    }
}
} // namespace vorl
