#pragma once

#include "DisplayState.h"
#include "TapRecord.h"
#include "VisualizerCurves.h"

#include <juce_graphics/juce_graphics.h>

// How one tap of the layout is drawn: a vertical bar whose width shows crowding, whose height
// shows the tremolo and ping-pong, and whose colour and opacity show the tap's level and the
// tape or wave colouring. Split bars show the left channel above and the right below.
struct TapBar
{
    float x = 0.0f;
    float width = 0.0f;
    float centreY = 0.0f;
    float height = 0.0f;
    juce::Colour colour;

    enum class Split
    {
        none,
        wave,    // halves shifted apart by the wave's stereo offset
        tremolo, // halves shifted apart by the tremolo's offset, each as high as its channel's gain
    };
    Split split = Split::none;
    float halfShift = 0.0f;   // pixels, + for the left half and - for the right
    float upperHeight = 0.0f; // split bars: the upper (left) half's height
    float lowerHeight = 0.0f; // split bars: the lower (right) half's height
    juce::Colour lowerColour; // split bars: the right channel's colour

    bool phaseMark = false; // a thin line marking the wave phase beside the bar
    float phaseMarkX = 0.0f;
};

// Computes the bars of the taps on the shown span; a tap outside 0..totalMs gets none.
class TapBarBuilder
{
public:
    TapBarBuilder(const vorl::TapLayoutResult& layout, const DisplayState& state, float totalMs,
                  PlotGeometry plot) noexcept;

    // False when tap i is not on the shown span.
    bool build(int i, TapBar& bar) const noexcept;

    static float brightness(float gain) noexcept { return 0.18f + 0.82f * VisualizerCurves::level(gain); }

private:
    float widthFactor(int i) const noexcept;
    // Tremolo gain (0..1 scaled by depth) of a channel at a tap time; odd taps add the offset
    // when the bar is not split.
    float tremoloGain(float timeMs, bool rightChannel) const noexcept;
    float waveValueAt(float timeMs) const noexcept;
    float wearPosition(int i) const noexcept;

    const vorl::TapLayoutResult& layout;
    const DisplayState& state;
    float totalMs;
    PlotGeometry plot;
    int count;
    float averageSpacing = 0.0f;
    bool waveSplit = false;
    bool tremoloSplit = false;
};
