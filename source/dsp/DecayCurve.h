#pragma once

namespace vorl
{
// Decay curve value (-140..140) for a position of the decay-curve control (-100..300):
// the middle 0..200 sweeps -100..+100 along a cosine, the outer quarters reach +-140.
float decayCurveValue(float dial) noexcept;

// Gain of a tap at relative position x (0 = first tap, 1 = last) for a decay curve value:
// the last tap sits 20 dB down at curve 0, 6 dB at +140 and 45 dB at -140.
float decayCurveGain(float x, float curve) noexcept;
} // namespace vorl
