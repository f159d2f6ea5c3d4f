#pragma once

#include "TapRecord.h"

#include <array>
#include <cstdint>

namespace vorl
{
enum class DecayMode : int
{
    smooth = 0,
    step = 1,
    wavey = 2
};

// Everything the tap pattern depends on, in physical units.
struct TapLayoutInputs
{
    float startMs = 30.0f; // spacing at the beginning of the pattern
    float endMs = 300.0f;  // spacing at the end of the pattern
    float lengthMs = 2400.0f;
    float predelayMs = 0.0f;
    int tapCount = kMaxTaps;
    float vorl = 0.0f; // -100..100
    bool reverse = false;

    float curve = -70.0f; // decay curve value, -140..140
    int decayMode = static_cast<int>(DecayMode::smooth);
    int decaySteps = 4;
    float decayFalloff = 25.0f; // percent
    bool dynamicSmoothing = true;

    bool waveOn = false;
    bool waveSync = false;
    float waveRateHz = 1.2f;
    float waveRateParam = 523.0f; // slider units, picks the note value when synced
    float waveDensity = 70.0f;    // percent
    int waveShape = 0;
    float wavePhaseDeg = 0.0f;
    float waveOffsetDeg = 0.0f;
    uint32_t waveSeed = 0;
    float tempoBpm = 120.0f;
};

// Computes the tap pattern. Owns fixed scratch storage; compute() never allocates and keeps
// no state between calls.
class TapLayout
{
public:
    void compute(const TapLayoutInputs& in, TapLayoutResult& out) noexcept;

private:
    void placeRawTaps(const TapLayoutInputs& in, TapLayoutResult& out) const noexcept;
    void shapeAndSpace(const TapLayoutInputs& in, TapLayoutResult& out) noexcept;
    void assignGains(const TapLayoutInputs& in, TapLayoutResult& out) const noexcept;

    std::array<float, kMaxTaps> rawTimes{};
    std::array<float, kMaxTaps> shapedTimes{};
    std::array<float, kMaxTaps> mirroredDistances{};
    std::array<float, kMaxTaps> finalTimes{};
};
} // namespace vorl
