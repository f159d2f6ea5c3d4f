#pragma once

#include "BodySliderRow.h"

#include <functional>

// The tape section's body: wear, head bump, drive, output, low-pass and mix, and under the
// "MOTION" divider the flutter depth and speed.
class TapeDegradationBody : public juce::Component, private juce::Timer
{
public:
    explicit TapeDegradationBody(juce::AudioProcessorValueTreeState& tree);
    ~TapeDegradationBody() override;

    std::function<void(const juce::String&)> onSliderDragStart;
    std::function<void(const juce::String&)> onSliderDragEnd;

    void setSliderColour(juce::Colour colour);
    void resized() override;
    void paint(juce::Graphics& g) override;

    // One tick of the read-out refresh (what the 10 Hz timer does).
    void refresh();

    // The read-outs that are not the slider's own text.
    static juce::String bypassablePercentText(double value);
    static juce::String outputText(double value);
    static juce::String lowPassText(double value);

    static constexpr int kMotionY = 78;
    static constexpr int kFlutterRowY = 94;
    // Flutter only moves the tape stage, so its rows dim while the stage runs without it.
    static constexpr float kInactiveAlpha = 0.5f;

    BodySliderRow& row(const juce::String& paramId);

private:
    void timerCallback() override { refresh(); }

    juce::AudioProcessorValueTreeState& tree;
    // The end of a drag clears the active control, whichever it was: it is reported without an id.
    const ParameterCallback dragEnded = [this](const juce::String&)
    {
        if (onSliderDragEnd)
            onSliderDragEnd({});
    };
    BodySliderRow wear, bump, drive, output, lowPass, mix, flutter, speed;
};
