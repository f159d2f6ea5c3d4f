#pragma once

#include <juce_core/juce_core.h>

// The value kinds of the editor's sliders and their text formats. Kept free of any
// component so that the formats and the parser can be checked on their own.
enum class ValueKind : int
{
    TimeMs = 0,
    FrequencyHz = 1,
    PercentPlain = 2,
    Percent = 3,
    Integer = 4,
    Plain = 5,
    TimeWide = 6,
    DelayTime = 7,
    RateHz = 8,
    Bipolar = 9,
    Cents = 10,
    SlowRateHz = 11,
    Decibels = 12,
    StereoWidth = 13,
};

struct ValueTextFormat
{
    int kind = 0;
    double displayScale = 1.0;
    bool tempoSync = false;
    bool beatPhaseSnap = false;
    float hostTempo = 120.0f; // 0 or less: unknown
};

namespace SliderValueText
{
juce::String formatMs(float ms);

juce::String toText(double value, const ValueTextFormat& format);

// Reads typed text back into slider units; text that is not a number reads as 0. The
// caller clamps the result to the slider's range.
double fromText(const juce::String& text, const ValueTextFormat& format);

// Kind 9 stores -100..300 and shows -140..+140 with a cosine knee at both ends.
double bipolarDisplay(double value);
} // namespace SliderValueText
