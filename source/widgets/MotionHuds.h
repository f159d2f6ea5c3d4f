#pragma once

#include "HudOverlay.h"

// Overlays that move with the editor's animation phases: the tape flutter trace (newest at the
// left, drawn like a dry brush stroke) and the stereo-width particle cloud. Their noise is a
// closed formula, so the same record always gives the same picture.
class FlutterHud : public GraphHud
{
public:
    void drawHud(juce::Graphics& g, juce::Rectangle<float> bounds) override;
};

class WidthHud : public GraphHud
{
public:
    void drawHud(juce::Graphics& g, juce::Rectangle<float> bounds) override;

    struct Texts
    {
        juce::String number, word, mid, side;
    };
    static Texts textsFor(float width, bool noMid);
};

namespace HudNoise
{
float hash(float v);
// Value noise in -1..1 that repeats every 9 units (the flutter trace).
float wrapped(float x, float seed);
// Value noise in -1..1 (the width cloud).
float plain(float x, float seed);
} // namespace HudNoise
