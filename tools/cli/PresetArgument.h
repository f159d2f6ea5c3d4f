#pragma once

#include <juce_core/juce_core.h>

class TarnelDelayAudioProcessor;

namespace vorl::cli
{
// Loads the preset named by a --preset argument. Returns false and sets a one-line reason
// when the library has no such preset.
bool applyPresetArgument(TarnelDelayAudioProcessor& processor, const juce::String& presetId, juce::String& error);
} // namespace vorl::cli
