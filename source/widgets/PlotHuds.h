#pragma once

#include "HudOverlay.h"

// The overlays drawn over the tap plot itself: the filter response, the decay read-out and the
// tape-wear read-out. The decay and wear texts keep clear of their handle.
class EqHud : public GraphHud
{
public:
    void drawHud(juce::Graphics& g, juce::Rectangle<float> bounds) override;
};

class DecayHud : public GraphHud
{
public:
    void drawHud(juce::Graphics& g, juce::Rectangle<float> bounds) override;

    // "-20.0 dB tail" for a decay curve value, "25% fade" or "fade off" for a falloff.
    static juce::String tailText(float decayCurve);
    static juce::String falloffText(float falloff);
};

class WearHud : public GraphHud
{
public:
    void drawHud(juce::Graphics& g, juce::Rectangle<float> bounds) override;

    static juce::String wearText(float tapeWear);
};
