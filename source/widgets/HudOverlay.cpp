#include "HudOverlay.h"

#include <cmath>

HudOverlay::HudOverlay()
{
    setInterceptsMouseClicks(false, false);
    setVisible(false);
}

void HudOverlay::setShown(bool shouldBeShown)
{
    if (shouldBeShown == shown)
        return;
    shown = shouldBeShown;
    targetLevel = shown ? 1.0f : 0.0f;
    if (shown)
        setVisible(true);
    startTimerHz(kTimerHz);
}

void HudOverlay::stepFade()
{
    if (level < targetLevel)
        level = juce::jmin(targetLevel, level + kLevelStep);
    else if (level > targetLevel)
        level = juce::jmax(targetLevel, level - kLevelStep);
    // Twelve steps of 1/12 must land exactly on the target despite rounding.
    if (std::abs(level - targetLevel) < 1.0e-4f)
        level = targetLevel;
    repaint();
    if (level == targetLevel)
    {
        stopTimer();
        if (!shown)
            setVisible(false);
    }
}

void HudOverlay::paint(juce::Graphics& g)
{
    if (level <= 0.0f)
        return;
    drawHud(g, getLocalBounds().toFloat());
}
