#pragma once

#include "widgets/TdButton.h"
#include "widgets/TdSlider.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The start/end strip under the tap visualizer: the Start and End spacing sliders, the
// Start/End Lock and In/Out 4x buttons between them, and the two spacing read-outs. With the
// lock on, moving either slider moves the other by the same amount, so their offset is kept.
class DensityStrip : public juce::Component
{
public:
    DensityStrip();

    TdSlider startSlider;
    TdSlider endSlider;
    TdButton lockButton;
    TdButton fourXButton;
    juce::Label startReadout;
    juce::Label endReadout;

    void setReadoutTexts(const juce::String& startText, const juce::String& endText);

    // The Vorl amount (-100..100) the strip was last given; it repaints only on a change, so
    // the editor can hand it over on every refresh tick.
    void setVorlAmount(float amount);
    float getVorlAmount() const noexcept { return vorlAmount; }

    void paint(juce::Graphics& g) override;
    void paintOverChildren(juce::Graphics& g) override;
    void resized() override;

    static const juce::Colour readoutColour;

private:
    // Moves `other` after `moved` changed, when the lock is on.
    void propagate(TdSlider& moved, TdSlider& other, double& lastMoved, double& lastOther);

    double lastStart = 0.0;
    double lastEnd = 0.0;
    double lastPropagated = -1.0;
    bool propagating = false;
    float vorlAmount = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(DensityStrip)
};

// A small closed padlock in the given rectangle and colour; returns the width it drew.
float drawPadlock(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour);
