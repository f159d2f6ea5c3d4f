#pragma once

#include "TdSlider.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <memory>

using ParameterCallback = std::function<void(const juce::String&)>;

// Reports the slider's drag start and end through the owner's callbacks, which are looked up
// when the drag happens (the owner may set them later) and must outlive the slider.
void forwardDrags(TdSlider& slider, const ParameterCallback& onStart, const ParameterCallback& onEnd);

// One control of an effect body: a name label, a slider bound to its parameter and a live
// read-out of the value.
class BodySliderRow
{
public:
    struct Setup
    {
        const char* label;
        const char* paramId;
        int kind;
        double minimum, maximum, step, reset;
    };

    BodySliderRow(juce::Component& owner, juce::AudioProcessorValueTreeState& tree, const Setup& setup);

    static constexpr int kRowHeight = 24;
    static constexpr int kRowPitch = 26;
    static constexpr int kNameWidth = 56;
    static constexpr int kValueWidth = 44;

    // The read-out's text; the slider's own text when empty.
    std::function<juce::String(double)> valueText;

    // The name label at x, the slider right of it, the read-out at valueX.
    void place(int x, int y, int sliderWidth, int valueX, int valueWidth = kValueWidth);
    void refreshValue();
    void setAlpha(float alpha);
    void setColour(juce::Colour colour);

    TdSlider slider;
    juce::Label name;
    juce::Label value;

private:
    // Declared after the slider, so it is released first.
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;
};
