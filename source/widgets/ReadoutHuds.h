#pragma once

#include "HudOverlay.h"

// A title over a value in a dark box (the read-out overlays' shared drawing). boxWidth <= 0
// measures the texts; valueOffset is a fraction of the bounds' height; when the value begins with
// highlight, that word is underlined.
void drawCaption(juce::Graphics& g, juce::Rectangle<float> bounds, const juce::String& title,
                 const juce::String& value, juce::Colour titleColour, juce::Colour valueColour,
                 const juce::String& highlight, float titleSize, float valueSize, float boxWidth,
                 float valueOffset);

// The width of the caption box for a title and value: the wider text plus 24.
float captionBoxWidth(const juce::String& title, const juce::String& value, float titleSize, float valueSize);

// A plain title-and-value read-out ("MIX", "MASTER", "START", "FALLOFF"); the visualizer assigns
// both texts before showing it.
class FaderReadoutHud : public HudOverlay
{
public:
    void drawHud(juce::Graphics& g, juce::Rectangle<float> bounds) override;

    juce::String title, value;
};

// The pitch read-out for the control being dragged, in a box of one fixed width.
class PitchHud : public GraphHud
{
public:
    PitchHud();
    void drawHud(juce::Graphics& g, juce::Rectangle<float> bounds) override;

    struct Readout
    {
        juce::String title, value, highlight;
    };
    // What is shown for the record's hudParamId; an empty title when nothing is.
    static Readout readoutFor(const DisplayState& state);

    float boxWidth = 0.0f;
};

// The vorl amount, large.
class TarnelSingularityHud : public GraphHud
{
public:
    void drawHud(juce::Graphics& g, juce::Rectangle<float> bounds) override;

    static juce::String vorlText(float vorl);
};
