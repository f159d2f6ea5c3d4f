#include "ParameterGesture.h"

namespace ParameterGesture
{
bool setAsOneGesture(juce::AudioProcessorValueTreeState& tree, const juce::String& id, float plainValue)
{
    auto* parameter = tree.getParameter(id);
    if (parameter == nullptr)
        return false;
    parameter->beginChangeGesture();
    parameter->setValueNotifyingHost(parameter->convertTo0to1(plainValue));
    parameter->endChangeGesture();
    return true;
}

bool isOn(const juce::AudioProcessorValueTreeState& tree, const juce::String& id)
{
    return plainValue(tree, id) > 0.5f;
}

float plainValue(const juce::AudioProcessorValueTreeState& tree, const juce::String& id, float fallback)
{
    const auto* raw = tree.getRawParameterValue(id);
    return raw != nullptr ? raw->load() : fallback;
}
} // namespace ParameterGesture
