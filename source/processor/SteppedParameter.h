#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

namespace vorl
{
// A switch or whole-number parameter that holds only its steps. A host may send any
// normalised value (automation drawn between steps, a generic slider); the parameter keeps
// the nearest step, reports exactly that step from then on, and remembers that the host
// still shows its own value, so SteppedValueReporter can tell it the step it holds.
// It presents itself as discrete with its number of steps, so hosts draw stepped automation.
class SteppedParameter : public juce::RangedAudioParameter
{
public:
    enum class Kind
    {
        Switch,
        WholeNumber
    };

    SteppedParameter(const juce::ParameterID& parameterId, const juce::String& name, Kind kind, int minimum,
                     int maximum, int defaultValue);

    float getValue() const override;
    void setValue(float newValue) override;
    float getDefaultValue() const override { return defaultNormalised; }
    int getNumSteps() const override;
    bool isDiscrete() const override { return true; }
    bool isBoolean() const override { return kind == Kind::Switch; }
    juce::String getText(float normalisedValue, int maximumLength) const override;
    float getValueForText(const juce::String& text) const override;
    const juce::NormalisableRange<float>& getNormalisableRange() const override { return range; }

    // True once after the parameter rounded a value that lay between its steps.
    bool takeStepReportRequest() noexcept { return stepReportPending.exchange(false); }

    // The normalised position of the step a normalised value lands on.
    float nearestStep(float normalisedValue) const noexcept
    {
        return range.convertTo0to1(stepFor(normalisedValue));
    }

private:
    float stepFor(float normalisedValue) const noexcept;

    const Kind kind;
    const juce::NormalisableRange<float> range;
    const float defaultNormalised;
    std::atomic<float> step;
    std::atomic<bool> stepReportPending{false};
};

// The value a parameter will hold for a normalised value: the nearest step for switches and whole
// numbers, the value itself otherwise. Setting this, rather than the raw value, tells the host the
// step at once instead of a value between steps.
inline float valueOnStep(const juce::AudioProcessorParameter& parameter, float normalisedValue) noexcept
{
    if (const auto* stepped = dynamic_cast<const SteppedParameter*>(&parameter))
        return stepped->nearestStep(normalisedValue);
    return normalisedValue;
}
} // namespace vorl
