#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace vorl::test
{
// Sets a parameter to a value in its own range, as a host or the editor would.
inline void setPlainValue(juce::AudioProcessorValueTreeState& tree, const char* id, float plainValue)
{
    auto* parameter = tree.getParameter(id);
    parameter->setValueNotifyingHost(parameter->convertTo0to1(plainValue));
}

inline float plainValue(juce::AudioProcessorValueTreeState& tree, const char* id)
{
    return tree.getRawParameterValue(id)->load();
}
} // namespace vorl::test
