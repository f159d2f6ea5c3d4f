#include "ClickCatcher.h"

ClickCatcher::ClickCatcher()
{
    setVisible(false);
    setInterceptsMouseClicks(false, false);
}

void ClickCatcher::setActive(bool shouldBeActive)
{
    active = shouldBeActive;
    setInterceptsMouseClicks(active, false);
    setVisible(active);
}

void ClickCatcher::mouseDown(const juce::MouseEvent&)
{
    if (active && onClick)
        onClick();
}
