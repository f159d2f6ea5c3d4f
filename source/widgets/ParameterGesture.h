#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// Parameter access shared by the editor's controls.
namespace ParameterGesture
{
// Sets a parameter to a plain value as one host gesture (begin, set, end), so automation
// records a click as a single clean change. Returns false when the tree has no such parameter.
bool setAsOneGesture(juce::AudioProcessorValueTreeState& tree, const juce::String& id, float plainValue);

// A switch counts as on above 0.5; a parameter missing from the tree reads as off.
bool isOn(const juce::AudioProcessorValueTreeState& tree, const juce::String& id);

// The parameter's plain value, or the fallback when the tree has no such parameter.
float plainValue(const juce::AudioProcessorValueTreeState& tree, const juce::String& id,
                 float fallback = 0.0f);
} // namespace ParameterGesture
