#include "SliderValueText.h"

#include "dsp/NoteValues.h"
#include "dsp/ValueCurves.h"

#include <algorithm>
#include <cmath>

namespace SliderValueText
{
namespace
{
// Rounding with halves away from zero, in single precision.
float roundHalfAway(float x)
{
    return std::round(x);
}

juce::String withSign(int k)
{
    return k > 0 ? "+" + juce::String(k) : juce::String(k);
}

juce::String noteLabel(int index)
{
    return vorl::kNoteLabels[static_cast<size_t>(std::clamp(index, 0, vorl::kNumNoteValues - 1))];
}

juce::String syncedText(double value, const ValueTextFormat& format, bool& handled)
{
    handled = true;
    if (format.beatPhaseSnap)
    {
        const int k = std::abs(static_cast<int>(roundHalfAway(static_cast<float>(value / 45.0))));
        switch (k)
        {
        case 0:
            return "on beat";
        case 1:
            return "1/8";
        case 2:
            return "1/4";
        case 3:
            return "3/8";
        default:
            return "1/2 off";
        }
    }
    if (format.hostTempo <= 0.0f)
        return {};

    const auto kind = static_cast<ValueKind>(format.kind);
    if (kind == ValueKind::DelayTime || kind == ValueKind::RateHz || kind == ValueKind::SlowRateHz)
    {
        const float c = std::clamp(static_cast<float>(value / 1000.0), 0.0f, 1.0f);
        const int i = kind == ValueKind::DelayTime ? static_cast<int>(roundHalfAway(12.0f - 12.0f * c))
                                                   : static_cast<int>(roundHalfAway(12.0f * c));
        return noteLabel(i);
    }
    handled = false;
    return {};
}

bool endsWithAndStrip(juce::String& text, const juce::String& suffix)
{
    if (!text.endsWith(suffix))
        return false;
    text = text.dropLastCharacters(suffix.length()).trim();
    return true;
}
} // namespace

juce::String formatMs(float ms)
{
    const float m = std::max(ms, 0.0f);
    if (m < 1000.0f)
        return juce::String(static_cast<int>(m)) + " ms";
    return juce::String(m / 1000.0f, 2) + " s";
}

double bipolarDisplay(double value)
{
    if (value >= 0.0 && value <= 200.0)
        return -100.0 * std::cos(value / 200.0 * juce::MathConstants<double>::pi);

    const double f = std::min(value > 200.0 ? std::abs(value - 200.0) : std::abs(value), 100.0);
    const double g = 40.0 * (1.0 - std::cos(f / 100.0 * juce::MathConstants<double>::halfPi));
    return value > 200.0 ? 100.0 + g : -100.0 - g;
}

juce::String toText(double value, const ValueTextFormat& format)
{
    if (format.tempoSync)
    {
        bool handled = false;
        auto text = syncedText(value, format, handled);
        if (handled)
            return text;
    }

    const auto v = static_cast<float>(value);
    const auto s = static_cast<float>(format.displayScale);
    const float c = std::clamp(v / 1000.0f, 0.0f, 1.0f);

    switch (static_cast<ValueKind>(format.kind))
    {
    case ValueKind::TimeMs:
        return juce::String(static_cast<int>(v)) + " ms";
    case ValueKind::FrequencyHz:
        return juce::String(v, 2) + " Hz";
    case ValueKind::PercentPlain:
    case ValueKind::Percent:
        return juce::String(static_cast<int>(s * v)) + "%";
    case ValueKind::Integer:
        return juce::String(static_cast<int>(v));
    case ValueKind::Plain:
        return juce::String(v, 2);
    case ValueKind::TimeWide:
        return formatMs(vorl::lengthSliderToMs(v));
    case ValueKind::DelayTime:
        return formatMs(roundHalfAway(vorl::timeSliderToMs(v) * s));
    case ValueKind::RateHz:
        return juce::String(vorl::rateSliderToHz(v), 1) + " Hz";
    case ValueKind::Bipolar:
        return withSign(static_cast<int>(roundHalfAway(static_cast<float>(bipolarDisplay(value)))));
    case ValueKind::Cents:
        return juce::String(s * v, 1) + "c";
    case ValueKind::SlowRateHz:
        return juce::String(vorl::pitchRateSliderToHz(v) * s, 2) + " Hz";
    case ValueKind::Decibels:
        return juce::String(v / 100.0f * 6.0f, 1) + " dB";
    case ValueKind::StereoWidth:
    {
        const int k = static_cast<int>(roundHalfAway((v / 7.5f - 1.0f) * 100.0f));
        if (k <= -100)
            return "MONO";
        if (k >= 100)
            return "WIDEST";
        return withSign(k);
    }
    }
    juce::ignoreUnused(c);
    return juce::String(v, 2);
}

double fromText(const juce::String& typed, const ValueTextFormat& format)
{
    auto text = typed.trim();

    for (const char* unit : {"ms", "Ms", "MS", "Hz", "ct", "Ct", "CT", "c", "C", "dB", "db", "DB"})
        endsWithAndStrip(text, unit);
    endsWithAndStrip(text, "%");
    // A bare "s" is the seconds unit that the time kinds show from one second upwards.
    const bool inSeconds = endsWithAndStrip(text, "s");

    const double d = text.getDoubleValue();
    const auto kind = static_cast<ValueKind>(format.kind);

    switch (kind)
    {
    case ValueKind::TimeWide:
    {
        const double ms = inSeconds ? d * 1000.0 : d;
        return std::round(std::log(std::max(ms, 10.0) / 10.0) / std::log(1400.0) * 1000.0);
    }
    case ValueKind::DelayTime:
    {
        const double ms = inSeconds ? d * 1000.0 : d;
        const double scale = format.displayScale > 0.0 ? format.displayScale : 1.0;
        return vorl::msToTimeSlider(static_cast<float>(ms / scale));
    }
    case ValueKind::RateHz:
        return vorl::hzToRateSlider(static_cast<float>(d));
    case ValueKind::Bipolar:
    {
        constexpr double kDegreesPerRadianScaled = 200.0 / juce::MathConstants<double>::pi;
        const double e = std::clamp(d, -140.0, 140.0);
        if (e >= -100.0 && e <= 100.0)
            return std::acos(-e / 100.0) * kDegreesPerRadianScaled;
        const double g =
            std::acos(1.0 - std::clamp((std::abs(e) - 100.0) / 40.0, 0.0, 1.0)) * kDegreesPerRadianScaled;
        return e > 100.0 ? g + 200.0 : -g;
    }
    case ValueKind::SlowRateHz:
        return vorl::pitchRateHzToSlider(static_cast<float>(d));
    case ValueKind::Decibels:
        return std::clamp(d / 6.0 * 100.0, 0.0, 100.0);
    case ValueKind::StereoWidth:
    {
        const auto word = typed.trim().toUpperCase();
        if (word == "MONO")
            return 0.0;
        if (word == "WIDEST")
            return 15.0;
        return std::clamp((d / 100.0 + 1.0) * 7.5, 0.0, 15.0);
    }
    default:
        return d;
    }
}
} // namespace SliderValueText
