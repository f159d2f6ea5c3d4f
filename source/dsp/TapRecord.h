#pragma once

#include <array>
#include <cstdint>

namespace vorl
{
constexpr int kMaxTaps = 300;

// Longest delay a tap may ask for: the delay line holds 15 s.
constexpr float kMaxTapTimeMs = 14999.0f;

struct TapRecord
{
    float timeMs = 0.0f;       // delay from the moment the input is written, never negative
    float gain = 0.0f;         // linear, 0..1.8
    float stereoOffset = 0.0f; // right-channel time offset in units of 5 ms, -2..+2
};

// The tap pattern: records [0, count) are valid, in generation order.
struct TapLayoutResult
{
    std::array<TapRecord, kMaxTaps> taps{};
    int32_t count = 0;
};
} // namespace vorl
