#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

namespace vorl
{
constexpr int kNumParameters = 63;

// Every parameter identifier in host order: the one vocabulary shared by the engine,
// the editor, presets and the stored state.
extern const std::array<const char*, kNumParameters> kParameterIds;

// Builds the 63 parameters in host order.
juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();
} // namespace vorl
