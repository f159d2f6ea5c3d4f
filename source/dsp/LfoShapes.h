#pragma once

#include <cmath>

namespace vorl
{
// Periodic LFO shapes shared by the tremolo and the pitch vibrato, at phase p in cycles:
// 0 sine, 1 triangle (lowest at 0), 2 square, 3 rising saw, 4 falling saw, all in [-1, 1].
// The random shapes 5 and 6 depend on a position and a seed, so their callers handle them;
// they and any other shape give 0 here.
float shapeValue(double phase, int shape) noexcept;

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
