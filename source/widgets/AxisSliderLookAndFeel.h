#pragma once

#include "TdLookAndFeel.h"

// The tap visualizer's axis sliders: a wide rounded well, a silver bar and a large white
// thumb with an always-visible halo.
class AxisSliderLookAndFeel : public TdLookAndFeel
{
public:
    AxisSliderLookAndFeel();

    void drawLinearSlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float minSliderPos, float maxSliderPos, juce::Slider::SliderStyle style,
                          juce::Slider& slider) override;

private:
    static void drawThumb(juce::Graphics& g, juce::Point<float> centre, bool hot);
};
