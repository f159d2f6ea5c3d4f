#include "SteppedParameter.h"

#include <cmath>

namespace vorl
{
namespace
{
// A host's k / steps arrives through double and float conversions; a value this close to a
// step is that step, not a value between steps.
constexpr float kOnStepTolerance = 1.0e-5f;

juce::NormalisableRange<float> stepRange(int minimum, int maximum)
{
    juce::NormalisableRange<float> range((float)minimum, (float)maximum);
    range.interval = 1.0f;
    return range;
}
} // namespace

SteppedParameter::SteppedParameter(const juce::ParameterID& parameterId, const juce::String& name,
                                   Kind kindIn, int minimum, int maximum, int defaultValue)
    : juce::RangedAudioParameter(parameterId, name), kind(kindIn), range(stepRange(minimum, maximum)),
      defaultNormalised(range.convertTo0to1((float)defaultValue)), step((float)defaultValue)
{
    static_assert(std::atomic<float>::is_always_lock_free, "steps are read on the audio thread");
}

float SteppedParameter::stepFor(float normalisedValue) const noexcept
{
    // NaN and values outside 0..1 land on the nearest end.
    const float clamped = normalisedValue >= 0.0f ? std::min(normalisedValue, 1.0f) : 0.0f;
    // Switches turn on from the middle up; whole numbers round to the nearest step, halves
    // to even, exactly as the values stored by earlier versions were read.
    if (kind == Kind::Switch)
        return clamped >= 0.5f ? range.end : range.start;
    return (float)juce::roundToInt(range.start + clamped * (range.end - range.start));
}

float SteppedParameter::getValue() const
{
    return range.convertTo0to1(step.load());
}

void SteppedParameter::setValue(float newValue)
{
    const float held = stepFor(newValue);
    step.store(held);
    if (!(std::abs(range.convertTo0to1(held) - newValue) <= kOnStepTolerance))
        stepReportPending.store(true);
}

int SteppedParameter::getNumSteps() const
{
    return (int)(range.end - range.start) + 1;
}

// The texts hosts have always shown: "On"/"Off" and the whole number, never shortened.
juce::String SteppedParameter::getText(float normalisedValue, int) const
{
    const float value = stepFor(normalisedValue);
    if (kind == Kind::Switch)
        return value > 0.5f ? "On" : "Off";
    return juce::String((int)value);
}

float SteppedParameter::getValueForText(const juce::String& text) const
{
    if (kind == Kind::WholeNumber)
        return range.convertTo0to1(juce::jlimit(range.start, range.end, (float)text.getIntValue()));

    const auto lower = text.trim().toLowerCase();
    for (const char* on : {"on", "yes", "true"})
        if (lower == on)
            return 1.0f;
    for (const char* off : {"off", "no", "false"})
        if (lower == off)
            return 0.0f;
    return text.getIntValue() != 0 ? 1.0f : 0.0f;
}
} // namespace vorl
