#pragma once

#include <cstdint>
#include <cstring>

namespace vorl
{
// Replaces NaN and infinite samples with silence, in place. A single such sample from a host
// or an upstream plug-in would otherwise live on in the delay line, the filters and the pitch
// regeneration and turn every later output sample into NaN until the plug-in is reloaded.
inline void silenceNonFiniteSamples(float* samples, int n) noexcept
{
    constexpr uint32_t kExponentBits = 0x7f800000u; // all set: infinity or NaN
    for (int i = 0; i < n; ++i)
    {
        uint32_t bits;
        std::memcpy(&bits, samples + i, sizeof bits);
        if ((bits & kExponentBits) == kExponentBits)
            samples[i] = 0.0f;
    }
}
} // namespace vorl
