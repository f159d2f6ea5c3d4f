#pragma once

#include "DisplayState.h"

#include <juce_graphics/juce_graphics.h>

#include <functional>

// The tap visualizer's plot: where time and level sit in a component of a given size.
struct PlotGeometry
{
    static constexpr float kLeft = 14.0f;

    static PlotGeometry forSize(float width, float height) noexcept;

    float width = 0.0f, height = 0.0f;
    float right = 0.0f;      // right edge of the plot
    float plotWidth = 0.0f;  // right - left - 4
    float plotBottom = 0.0f; // height less the strip

    float centreY() const noexcept { return plotBottom / 2.0f; }
    // The decay and wear curves run from 0 dB at the top to -45 dB (or below) at the bottom.
    float curveTop() const noexcept { return 0.09f * plotBottom; }
    float curveBottom() const noexcept { return plotBottom - 22.0f; }
    float xForTime(float ms, float totalMs) const noexcept { return kLeft + ms / totalMs * plotWidth; }
};

// The decay, wear and falloff curves of the display record and where their handles sit. Pure
// functions of the record, the layout's tap count, the shown time span and the plot.
class VisualizerCurves
{
public:
    VisualizerCurves(const DisplayState& state, int tapCount, float totalMs, PlotGeometry plot) noexcept
        : state(state), tapCount(tapCount), totalMs(totalMs), plot(plot)
    {
    }

    // 1 at 0 dB, falling linearly in dB to 0 at -45 dB.
    static float level(float gain) noexcept;

    // Decay gain times the falloff envelope at a position 0..1 along the pattern.
    float gainAt(float p) const noexcept;
    float decayY(float p) const noexcept;
    // Follows the decay curve, then rolls off over the last part of the pattern, starting
    // earlier the more Tape Wear there is.
    float wearY(float p) const noexcept;

    using Curve = float (VisualizerCurves::*)(float) const noexcept;
    // Walks back from q0 (a fraction of the shown span) along a curve while it lies at the bottom.
    juce::Point<float> handlePosition(float q0, Curve curve) const noexcept;

    // Start positions of the handles, as fractions of the shown span.
    float decayHandleStart() const noexcept;
    float wearHandleStart() const noexcept;

    juce::Point<float> decayHandle() const noexcept
    {
        return handlePosition(decayHandleStart(), &VisualizerCurves::decayY);
    }
    juce::Point<float> wearHandle() const noexcept
    {
        return handlePosition(wearHandleStart(), &VisualizerCurves::wearY);
    }
    // The falloff line: where the falloff begins, without the handle's back-off.
    float falloffX() const noexcept { return PlotGeometry::kLeft + decayHandleStart() * plot.plotWidth; }
    juce::Point<float> predelayHandle() const noexcept;

    // Pattern position (0..1) of a time on the shown span.
    float patternPosition(float fractionOfSpan) const noexcept;
    // The 201-point polyline of a curve from the predelay position, ending where it reaches the bottom.
    juce::Path curvePath(Curve curve) const;

private:
    const DisplayState& state;
    int tapCount;
    float totalMs;
    PlotGeometry plot;
};
