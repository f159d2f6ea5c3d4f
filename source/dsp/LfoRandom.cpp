#include "LfoRandom.h"

#include <cmath>

namespace vorl
{
float rnd(int64_t n, uint32_t seed) noexcept
{
    uint32_t h = static_cast<uint32_t>(static_cast<uint64_t>(n) * 0x9E3779B9ull) ^ seed;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    // Single precision like the rest of the layout arithmetic.
    return static_cast<float>(h) * (1.0f / 4294967296.0f) * 2.0f - 1.0f;
}

float smoothRandom(double pos, uint32_t seed) noexcept
{
    const double floorPos = std::floor(pos);
    const auto n = static_cast<int64_t>(floorPos);
    const auto f = static_cast<float>(pos - floorPos);
    const float a = rnd(n, seed);
    const float b = rnd(n + 1, seed);
    return a + (b - a) * f;
}

float shapePhaseOffset(int shape) noexcept
{
    switch (shape)
    {
    case 0:
        return 0.25f;
    case 1:
        return 0.5f;
    case 3:
        return std::nextafter(1.0f, 0.0f);
    default:
        return 0.0f;
    }
}
} // namespace vorl
