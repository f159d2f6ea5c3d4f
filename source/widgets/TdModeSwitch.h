#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A two-label slide switch: off selects the left label, on the right one.
class TdModeSwitch : public juce::Button
{
public:
    explicit TdModeSwitch(const juce::String& name);

    juce::String leftLabel;
    juce::String rightLabel;
    juce::Colour switchColour{0xffffd23d};

    // The track rectangle for the given bounds (exposed for layout checks).
    static juce::Rectangle<float> trackBounds(juce::Rectangle<float> bounds);

    void paintButton(juce::Graphics& g, bool highlighted, bool down) override;
};
