#include "LfoShapes.h"
#include "MathConstants.h"

#include <cmath>

namespace vorl
{
float shapeValue(double phase, int shape) noexcept
{
    const double c = unitPhase(phase);
    if (shape == 0)
        // Single precision is plenty for a modulator and about twice as fast.
        return std::sin(static_cast<float>(2.0 * kPi * c));
    return straightShapeValue(c, shape);
}
} // namespace vorl
