#pragma once

#include <juce_graphics/juce_graphics.h>

#include <optional>

// The rules the editor's refresh applies on each tick, as plain functions of parameter values,
// so that each can be checked without a window.
namespace RefreshRules
{
// Length values (ms) that a nearby Length snaps onto.
constexpr float kMagneticLengthsMs[] = {250.0f,  500.0f,   1000.0f,  2000.0f,  3000.0f,
                                        4000.0f, 5000.0f,  6000.0f,  7000.0f,  8000.0f,
                                        9000.0f, 10000.0f, 11000.0f, 12000.0f, 13000.0f};

// The Length in whole ms for a Length slider value.
float lengthMs(float sliderValue) noexcept;

// The slider value a Length within 8 ms of a magnetic value moves to; none when no value is
// near or the slider is already there.
std::optional<float> magneticLengthTarget(float sliderValue) noexcept;

// Tempo-synced time values: note index 0 (4 bars' worth of beats) at slider 1000, 12 (1/128) at 0.
int noteIndex(float sliderValue) noexcept;
float noteMs(int index, float bpm) noexcept;

// Conversions when a sync switch flips. Times carry the In/Out factor k (1 or 4).
float timeToNote(float sliderValue, float k, float bpm) noexcept;
float timeToFree(float sliderValue, float k, float bpm) noexcept;

// Rates: `toHz` and `fromHz` are the rate curve of the slider.
using RateCurve = float (*)(float) noexcept;
float rateToNote(float sliderValue, RateCurve toHz, float bpm) noexcept;
float rateToFree(float sliderValue, RateCurve fromHz, float bpm) noexcept;

// Which heads-up overlay the focus shows, and which control it names.
struct HudSelection
{
    int mode = 0;
    juce::String paramId;
};
HudSelection hudSelection(const juce::String& activeParamId, const juce::String& hoverParamId);

// The title's colour and glow for a dry/wet mix in percent.
juce::Colour titleColour(float mixPercent);
float titleGlow(float mixPercent) noexcept;

// The mix label's bypass blink: "BYP" while bypassed, changing colour every 8 ticks.
class BypassBlink
{
public:
    enum class Change
    {
        none,
        entered,     // show "BYP" and dim the fader
        blinkBright, // label in full yellow
        blinkDim,    // label in faint yellow
        left,        // back to "MIX" and a full-strength fader
    };

    Change tick(bool bypassed) noexcept;
    bool isShown() const noexcept { return shown; }

private:
    bool shown = false;
    bool phase = false;
    int counter = 0;
};
} // namespace RefreshRules
