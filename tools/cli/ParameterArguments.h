#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace vorl::cli
{
// Applies one "ID=VALUE" argument, VALUE in the parameter's own range (what the host
// shows: ms, %, dB, 0/1 or on/off for switches). Returns an empty string on success,
// otherwise a one-line reason naming the argument.
juce::String applyParameterAssignment(juce::AudioProcessorValueTreeState& tree, const juce::String& argument);

// True when the argument looks like "ID=VALUE".
bool isParameterAssignment(const juce::String& argument);

// Sets every parameter of the processor back to its default value.
void resetToDefaults(juce::AudioProcessor& processor);

// Parses a whole positive number, or returns false.
bool parsePositiveInt(const juce::String& text, int& value);
// Parses a finite number, or returns false.
bool parseNumber(const juce::String& text, double& value);
} // namespace vorl::cli
