#pragma once

#include <cstdint>

namespace vorl
{
// Hash random: a reproducible value in [-1, 1) for step n of the sequence named by seed.
float rnd(int64_t n, uint32_t seed) noexcept;

// Linear interpolation between successive rnd steps; pos counts steps since time zero.
float smoothRandom(double pos, uint32_t seed) noexcept;

// Start phase (in cycles) that puts a tempo-synced sine, triangle or square at +1 on the beat.
float shapePhaseOffset(int shape) noexcept;
} // namespace vorl
