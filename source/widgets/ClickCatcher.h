#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// An invisible layer that turns a click anywhere on it into a callback while active, and
// is hidden and click-transparent otherwise.
class ClickCatcher : public juce::Component
{
public:
    ClickCatcher();

    std::function<void()> onClick;
    bool active = false;

    void setActive(bool shouldBeActive);
    void mouseDown(const juce::MouseEvent& e) override;
};
