#include "VisualizerCurves.h"

#include "DecayCurve.h"

#include <algorithm>
#include <cmath>

PlotGeometry PlotGeometry::forSize(float width, float height) noexcept
{
    PlotGeometry g;
    g.width = width;
    g.height = height;
    g.right = width - std::min(width, 56.0f);
    g.plotWidth = g.right - kLeft - 4.0f;
    g.plotBottom = height - std::min(height, 40.0f);
    return g;
}

float VisualizerCurves::level(float gain) noexcept
{
    return 1.0f - std::clamp(-20.0f * std::log10(std::max(gain, 0.000001f)) / 45.0f, 0.0f, 1.0f);
}

float VisualizerCurves::gainAt(float p) const noexcept
{
    const float decay =
        tapCount < 2 ? 1.0f : vorl::decayModeGain(p, state.decayCurve, state.decayMode, state.decaySteps);
    return decay * vorl::falloffEnvelope(p, state.decayFalloff);
}

float VisualizerCurves::decayY(float p) const noexcept
{
    const float top = plot.curveTop();
    const float bottom = plot.curveBottom();
    return top + (bottom - top) * (1.0f - level(gainAt(p)));
}

float VisualizerCurves::wearY(float p) const noexcept
{
    const float top = plot.curveTop();
    const float bottom = plot.curveBottom();
    const float h = std::clamp((p - (1.0f - state.tapeWear / 100.0f * 0.9f)) / 0.18f, 0.0f, 1.0f);
    const float m = std::sqrt(std::max(1.0f - h * h, 0.0f)) * level(gainAt(p));
    return top + (bottom - top) * (1.0f - std::clamp(m, 0.0f, 1.0f));
}

float VisualizerCurves::patternPosition(float fractionOfSpan) const noexcept
{
    return std::clamp((fractionOfSpan * totalMs - state.predelayMs) / std::max(state.lengthMs, 1.0f), 0.0f,
                      1.0f);
}

juce::Point<float> VisualizerCurves::handlePosition(float q0, Curve curve) const noexcept
{
    // q falls by 0.01 per step from at most 1 to 0.02: at most 99 steps.
    float q = std::clamp(q0, 0.02f, 1.0f);
    float y = 0.0f;
    for (;;)
    {
        y = (this->*curve)(patternPosition(q));
        if (y <= plot.curveBottom() || q <= 0.02f)
            break;
        q -= 0.01f;
    }
    return {PlotGeometry::kLeft + q * plot.plotWidth, y};
}

float VisualizerCurves::decayHandleStart() const noexcept
{
    const float start = state.decayFalloff > 0.0f ? 1.0f - state.decayFalloff / 100.0f : 1.0f;
    return (start * state.lengthMs + state.predelayMs) / std::max(totalMs, 1.0f);
}

float VisualizerCurves::wearHandleStart() const noexcept
{
    return ((1.0f - state.tapeWear / 100.0f * 0.9f) * state.lengthMs + state.predelayMs) /
           std::max(totalMs, 1.0f);
}

juce::Point<float> VisualizerCurves::predelayHandle() const noexcept
{
    return {plot.xForTime(state.predelayMs, totalMs), plot.centreY()};
}

juce::Path VisualizerCurves::curvePath(Curve curve) const
{
    juce::Path path;
    constexpr int points = 201;
    for (int i = 0; i < points; ++i)
    {
        const float p = static_cast<float>(i) / static_cast<float>(points - 1);
        const float x = plot.xForTime(state.predelayMs + p * state.lengthMs, totalMs);
        const float y = (this->*curve)(p);
        if (i == 0)
            path.startNewSubPath(x, y);
        else
            path.lineTo(x, y);
        if (y >= plot.curveBottom())
            break;
    }
    return path;
}
