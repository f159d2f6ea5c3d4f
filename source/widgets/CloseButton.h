#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// A close cross, or a labelled yellow pill when `label` is set; lights up on hover.
class CloseButton : public juce::Component
{
public:
    std::function<void()> onClick;
    bool hovered = false;
    juce::String label;

    void mouseDown(const juce::MouseEvent& e) override;
    void mouseEnter(const juce::MouseEvent& e) override;
    void mouseExit(const juce::MouseEvent& e) override;
    void paint(juce::Graphics& g) override;
};
