#pragma once

#include <juce_core/juce_core.h>

#include <cmath>

// The editor's frequency axis: 20..1600 Hz over the first half, 1600..22000 Hz over the second,
// each half logarithmic. Shared by the filter slider and the filter overlay.
namespace FrequencyScale
{
inline constexpr float kMinHz = 20.0f;
inline constexpr float kSplitHz = 1600.0f;

inline float position(float hz)
{
    if (hz <= kSplitHz)
        return 0.5f * std::log(hz / kMinHz) / std::log(80.0f);
    return 0.5f + 0.5f * std::log(hz / kSplitHz) / std::log(13.75f);
}

inline float frequencyAt(float p)
{
    if (p <= 0.5f)
        return kMinHz * std::exp(2.0f * p * std::log(80.0f));
    return kSplitHz * std::exp((p - 0.5f) * 2.0f * std::log(13.75f));
}

// "120 Hz" below 1 kHz, else "2.5 kHz".
inline juce::String text(float hz)
{
    if (hz < 1000.0f)
        return juce::String(juce::roundToInt(hz)) + " Hz";
    return juce::String(hz / 1000.0f, 1) + " kHz";
}
} // namespace FrequencyScale
