#pragma once

#include "HudOverlay.h"

// The tape section's overlays on a dark panel: the drive dial, cutoff glyph or speaker of the
// control being dragged, the dry/wet bar, and the head-bump bell. Each has a value and a boxed
// label under its glyph.
class TapeChainHud : public GraphHud
{
public:
    void drawHud(juce::Graphics& g, juce::Rectangle<float> bounds) override;

    static juce::String driveText(float tapeIn);
    static juce::String cutoffText(float tapeLpf);
    static juce::String outputText(float tapeOut);
};

class TapeMixHud : public GraphHud
{
public:
    void drawHud(juce::Graphics& g, juce::Rectangle<float> bounds) override;

    static juce::String mixText(float tapeMix);
};

class BumpHud : public GraphHud
{
public:
    void drawHud(juce::Graphics& g, juce::Rectangle<float> bounds) override;

    static juce::String bumpText(float headBump);
    // The bell's height above its baseline in design units (0 to 16.5).
    static float bellHeight(float headBump);
};
