#pragma once

namespace vorl
{
// Decay curve value (-140..140) for a position of the decay-curve control (-100..300):
// the middle 0..200 sweeps -100..+100 along a cosine, the outer quarters reach +-140.
float decayCurveValue(float dial) noexcept;

// Gain of a tap at relative position x (0 = first tap, 1 = last) for a decay curve value:
// the last tap sits 20 dB down at curve 0, 6 dB at +140 and 45 dB at -140.
float decayCurveGain(float x, float curve) noexcept;

// Gain at relative position x for a decay mode: 0 (or less) follows the curve smoothly, 1 holds
// it in `steps` plateaus and 2 (or more) blends each plateau into the next over its last 44 %.
float decayModeGain(float x, float curve, int mode, int steps) noexcept;

// The falloff envelope at relative position pos: 1 until the last `falloffPercent` of the
// pattern, then (1 - g^2)^2 down to 0 at the end.
float falloffEnvelope(float pos, float falloffPercent) noexcept;
} // namespace vorl
