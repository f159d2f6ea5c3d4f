#pragma once

#include "editor/DisplayState.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cmath>

// A heads-up overlay over the tap visualizer that shows what the touched control does. It
// appears one 60 Hz tick after being shown and stays drawn for 12 ticks (200 ms) after being
// hidden; it never takes mouse clicks from the controls under it.
class HudOverlay : public juce::Component, private juce::Timer
{
public:
    static constexpr int kTimerHz = 60;
    static constexpr float kLevelStep = 1.0f / 12.0f;

    HudOverlay();

    void setShown(bool shouldBeShown);
    bool isShown() const noexcept { return shown; }
    float getLevel() const noexcept { return level; }
    bool isFading() const noexcept { return isTimerRunning(); }

    void paint(juce::Graphics& g) override;

    // Draws the overlay into the given local bounds.
    virtual void drawHud(juce::Graphics& g, juce::Rectangle<float> bounds) = 0;

    // One step of the fade (what the timer does every tick); public for tests.
    void stepFade();

private:
    void timerCallback() override { stepFade(); }

    bool shown = false;
    float level = 0.0f;
    float targetLevel = 0.0f;
};

// A value from the display record, or the fallback when it is not a number: no overlay ever
// shows "nan" or "inf".
inline float finiteOr(float value, float fallback) noexcept
{
    return std::isfinite(value) ? value : fallback;
}

// An overlay that draws from the editor's display record, which the visualizer assigns.
class GraphHud : public HudOverlay
{
public:
    DisplayState state;
};

// A fixed design grid scaled to an overlay's bounds: design point (X, Y) is at
// (x + X * sx, y + Y * sy) with sx = w / designWidth and sy = h / designHeight.
struct DesignCanvas
{
    DesignCanvas(juce::Rectangle<float> bounds, float designWidth, float designHeight)
        : x(bounds.getX()), y(bounds.getY()), sx(bounds.getWidth() / designWidth),
          sy(bounds.getHeight() / designHeight)
    {
    }

    float px(float designX) const noexcept { return x + designX * sx; }
    float py(float designY) const noexcept { return y + designY * sy; }
    juce::Rectangle<float> rect(float designX, float designY, float designW, float designH) const noexcept
    {
        return {px(designX), py(designY), designW * sx, designH * sy};
    }

    float x, y, sx, sy;
};
