#pragma once

#include <cstdint>

namespace vorl
{
// Wave modulator value at timeMs, scaled by depthPercent / 100. Shapes: 0 sine, 1 triangle,
// 2 square, 3 saw down, 4 saw up, 5 random steps, 6 smooth random, 7 off; others are sine.
// phaseCycles shifts the wave (used by tempo-synced rates to start on the beat).
float waveValue(float timeMs, float rateHz, int shape, float depthPercent, uint32_t seed,
                float phaseCycles) noexcept;
} // namespace vorl
