#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The tap counter, "[ 64 ] taps": drag vertically to change the count, click to type it.
class TapCountBox : public juce::Component
{
public:
    std::function<void(int)> onChange;
    std::function<void()> onDragStart;
    std::function<void()> onDragEnd;

    int count = 64;
    int minCount = 1;
    int maxCount = 64;
    int dragStartCount = 64;
    bool dragged = false;

    void mouseDown(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent& e) override;
    void mouseUp(const juce::MouseEvent& e) override;
    void paint(juce::Graphics& g) override;

    // Applies typed text: an integer clamped to the allowed counts (letters read as 0).
    void commitText(const juce::String& text);

protected:
    // Opens the typed-count call-out; separate so that it can be observed without a screen.
    virtual void openValueEntry();

private:
    void setCount(int newCount);
};
