#include "RefreshRules.h"

#include "NoteValues.h"
#include "ValueCurves.h"

#include <cmath>

namespace RefreshRules
{
namespace
{
const float kLengthCurveBase = std::log(1400.0f);

// The first index whose value is nearest to t on a log scale.
template <typename ValueAt> int nearestNoteIndex(float t, ValueAt valueAt)
{
    int best = 0;
    float bestDistance = std::abs(t - std::log(valueAt(0)));
    for (int i = 1; i < vorl::kNumNoteValues; ++i)
    {
        const float distance = std::abs(t - std::log(valueAt(i)));
        if (distance < bestDistance)
        {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

float beatsPerSecond(float bpm) noexcept
{
    return (bpm > 0.0f ? bpm : 120.0f) / 60.0f;
}
} // namespace

float lengthMs(float sliderValue) noexcept
{
    return std::round(10.0f * std::pow(1400.0f, sliderValue / 1000.0f));
}

std::optional<float> magneticLengthTarget(float sliderValue) noexcept
{
    const float length = lengthMs(sliderValue);
    for (const float magnet : kMagneticLengthsMs)
    {
        if (!(std::abs(length - magnet) < 8.0f))
            continue;
        const float target =
            std::round(std::log(std::max(magnet, 10.0f) / 10.0f) / kLengthCurveBase * 1000.0f);
        if (std::abs(sliderValue - target) > 0.5f)
            return target;
        return std::nullopt;
    }
    return std::nullopt;
}

int noteIndex(float sliderValue) noexcept
{
    return juce::jlimit(0, 12, static_cast<int>(std::round(12.0f - sliderValue / 1000.0f * 12.0f)));
}

float noteMs(int index, float bpm) noexcept
{
    return 60000.0f / (bpm > 0.0f ? bpm : 120.0f) *
           vorl::kNoteBeats[static_cast<size_t>(juce::jlimit(0, 12, index))];
}

float timeToNote(float sliderValue, float k, float bpm) noexcept
{
    const float ms = vorl::timeSliderToMs(sliderValue) * k;
    const int i = nearestNoteIndex(std::log(std::max(ms, 0.0001f)), [bpm](int j) { return noteMs(j, bpm); });
    return std::round(static_cast<float>(12 - i) / 12.0f * 1000.0f);
}

float timeToFree(float sliderValue, float k, float bpm) noexcept
{
    const int i = juce::jlimit(
        0, 12, static_cast<int>(std::round(12.0f - juce::jlimit(0.0f, 1.0f, sliderValue / 1000.0f) * 12.0f)));
    return vorl::msToTimeSlider(noteMs(i, bpm) / k);
}

float rateToNote(float sliderValue, RateCurve toHz, float bpm) noexcept
{
    const float hz = toHz(sliderValue);
    const int i =
        nearestNoteIndex(std::log(std::max(hz, 0.0001f)), [bpm](int j)
                         { return beatsPerSecond(bpm) / vorl::kNoteBeats[static_cast<size_t>(j)]; });
    return std::round(static_cast<float>(i) / 12.0f * 1000.0f);
}

float rateToFree(float sliderValue, RateCurve fromHz, float bpm) noexcept
{
    const int i = juce::jlimit(
        0, 12, static_cast<int>(std::round(juce::jlimit(0.0f, 1.0f, sliderValue / 1000.0f) * 12.0f)));
    return fromHz(beatsPerSecond(bpm) / vorl::kNoteBeats[static_cast<size_t>(i)]);
}

HudSelection hudSelection(const juce::String& active, const juce::String& hover)
{
    const auto is = [&active](std::initializer_list<const char*> ids)
    {
        for (const char* id : ids)
            if (active == id)
                return true;
        return false;
    };
    if (is({"dcv", "dcSteps", "dcMode"}))
        return {2, {}};
    if (is({"tDarken"}))
        return {13, {}};
    if (is({"hp", "lp"}))
        return {1, {}};
    if (is({"tBoost", "sat", "td"}))
        return {4, active};
    if (is({"tpWet"}))
        return {5, "tpWet"};
    if (is({"headBump"}))
        return {6, "headBump"};
    if (is({"flutter", "flutSpd"}))
        return {7, active};
    if (is({"pitchRt", "pitchDp", "pitchCt", "pitchFbk", "pitchMix"}))
        return {11, active};
    if (is({"spread"}))
        return {14, {}};
    if (is({"dcFall"}))
        return {15, {}};
    const auto& focus = active.isNotEmpty() ? active : hover;
    if (focus == "pd")
        return {12, {}};
    if (focus == "mix")
        return {9, {}};
    if (focus == "mout")
        return {10, {}};
    return {};
}

juce::Colour titleColour(float mixPercent)
{
    const float m = mixPercent / 100.0f;
    return juce::Colour(0xffab8c44)
        .interpolatedWith(juce::Colour(0xffebe004), m)
        .withAlpha(std::min(1.0f, m / 0.75f) * 0.217f + 0.783f);
}

float titleGlow(float mixPercent) noexcept
{
    const float m = mixPercent / 100.0f;
    return m <= 0.4f ? 0.0f : (m - 0.4f) / 0.6f;
}

BypassBlink::Change BypassBlink::tick(bool bypassed) noexcept
{
    Change change = Change::none;
    if (bypassed)
    {
        if (!shown)
        {
            change = Change::entered;
            counter = 0;
        }
        if (++counter > 7)
        {
            counter = 0;
            phase = !phase;
            change = phase ? Change::blinkBright : Change::blinkDim;
        }
    }
    else if (shown)
    {
        change = Change::left;
    }
    shown = bypassed;
    return change;
}
} // namespace RefreshRules
