#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The editor's look and feel: draws the framework widgets that do not paint themselves
// (scroll bars, popup menus, text buttons, linear sliders, call-out boxes) in the palette.
class TdLookAndFeel : public juce::LookAndFeel_V4
{
public:
    TdLookAndFeel();

    void drawScrollbar(juce::Graphics& g, juce::ScrollBar& scrollBar, int x, int y, int width, int height,
                       bool isScrollbarVertical, int thumbStartPosition, int thumbSize, bool isMouseOver,
                       bool isMouseDown) override;

    juce::Font getTextButtonFont(juce::TextButton& button, int buttonHeight) override;

    void drawPopupMenuBackground(juce::Graphics& g, int width, int height) override;

    void drawLinearSlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                          float minSliderPos, float maxSliderPos, juce::Slider::SliderStyle style,
                          juce::Slider& slider) override;

    void drawCallOutBoxBackground(juce::CallOutBox& box, juce::Graphics& g, const juce::Path& path,
                                  juce::Image& cachedImage) override;
};
