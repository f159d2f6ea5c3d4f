#pragma once

#include "MathConstants.h"

#include <cmath>

namespace vorl
{
// Periodic LFO shapes shared by the tremolo and the pitch vibrato, at phase p in cycles:
// 0 sine, 1 triangle (lowest at 0), 2 square, 3 rising saw, 4 falling saw, all in [-1, 1].
// The random shapes 5 and 6 depend on a position and a seed, so their callers handle them;
// they and any other shape give 0 here.
float shapeValue(double phase, int shape) noexcept;

// Shapes 1 to 4, the straight-line ones, at c in [0, 1); 0 for any other shape. Inline, for the
// callers that take one every sample.
inline float straightShapeValue(double c, int shape) noexcept
{
    switch (shape)
    {
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

// The phase within its cycle, in [0, 1). Callers mostly pass phases already there; floor is a
// library call on baseline x86-64.
inline double unitPhase(double phase) noexcept
{
    return phase >= 0.0 && phase < 1.0 ? phase : phase - std::floor(phase);
}

// The sine shape at phase c in [0, 1) is the float sine of float(2 pi c). That float's sine taken
// in double and rounded to float is the float sine to within the last bit, so a caller can take a
// row of them a vector at a time (sineOfRow) from these arguments.
inline double sineShapeArgument(double c) noexcept
{
    return static_cast<double>(static_cast<float>(2.0 * kPi * c));
}

// One sample step of a free-running phase, kept in [0, 1). Inline: it runs once per sample.
inline double advancePhase(double phase, double rateHz, double sampleRate) noexcept
{
    phase += rateHz / sampleRate;
    if (phase >= 1.0)
        phase -= 1.0;
    else if (phase < 0.0)
        phase += 1.0;
    // A step of more than a whole cycle cannot come from the rate ranges in use, but must
    // not leave the phase outside its range either.
    if (!(phase >= 0.0 && phase < 1.0))
    {
        phase = std::isfinite(phase) ? phase - std::floor(phase) : 0.0;
        if (phase >= 1.0)
            phase = 0.0;
    }
    return phase;
}
} // namespace vorl
