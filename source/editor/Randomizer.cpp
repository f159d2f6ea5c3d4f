#include "Randomizer.h"

#include "processor/SteppedParameter.h"

namespace
{
float randomNormalisedValue(juce::RangedAudioParameter& parameter, juce::Random& random)
{
    if (parameter.isBoolean())
        return random.nextFloat() > 0.5f ? 1.0f : 0.0f;
    if (dynamic_cast<vorl::SteppedParameter*>(&parameter) != nullptr ||
        dynamic_cast<juce::AudioParameterInt*>(&parameter) != nullptr)
    {
        const auto& range = parameter.getNormalisableRange();
        const int a = juce::roundToInt(range.start);
        const int b = std::max(juce::roundToInt(range.end), a);
        return parameter.convertTo0to1(static_cast<float>(a + random.nextInt(b - a + 1)));
    }
    return random.nextFloat();
}
} // namespace

void randomizeEnabledParameters(juce::AudioProcessorValueTreeState& tree, const vorl::RandomMatrix& matrix,
                                juce::Random& random)
{
    for (const auto& row : matrix.getRows())
    {
        if (!matrix.isEnabled(row.id))
            continue;
        auto* parameter = tree.getParameter(row.id);
        if (parameter == nullptr)
            continue;
        const float value = randomNormalisedValue(*parameter, random);
        parameter->beginChangeGesture();
        parameter->setValueNotifyingHost(value);
        parameter->endChangeGesture();
    }
}
