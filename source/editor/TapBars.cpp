#include "TapBars.h"

#include "LfoRandom.h"
#include "LfoShapes.h"
#include "TapWear.h"
#include "WaveValue.h"

#include <algorithm>
#include <cmath>

namespace
{
const juce::Colour kRightChannel{0xffff8080};

juce::Colour rgb(float r, float g, float b, float alpha)
{
    const auto unit = [](float v) { return std::clamp(v / 255.0f, 0.0f, 1.0f); };
    return juce::Colour::fromFloatRGBA(unit(r), unit(g), unit(b), std::clamp(alpha, 0.0f, 1.0f));
}

// Pixels covered by `fraction` of one period of a modulator at rateHz.
float periodFractionPixels(float fraction, float rateHz, float totalMs, float plotWidth)
{
    const float ms = fraction / rateHz * 1000.0f;
    return ms / totalMs * plotWidth;
}
} // namespace

TapBarBuilder::TapBarBuilder(const vorl::TapLayoutResult& layout, const DisplayState& state, float totalMs,
                             PlotGeometry plot) noexcept
    : layout(layout), state(state), totalMs(totalMs), plot(plot),
      count(std::clamp(static_cast<int>(layout.count), 0, vorl::kMaxTaps))
{
    if (count >= 2)
    {
        const float first = layout.taps[0].timeMs;
        const float last = layout.taps[static_cast<size_t>(count - 1)].timeMs;
        // Reverse lays the taps out from late to early; crowding is about distance either way.
        averageSpacing = std::fabs(last - first) / static_cast<float>(count - 1);
    }
    waveSplit = state.waveOn && state.waveOffset != 0.0f && state.waveRateHz > 0.01f;
    tremoloSplit = !waveSplit && state.tremoloOn && state.tremOffset != 0.0f && state.tremRateHz > 0.0f;
}

float TapBarBuilder::widthFactor(int i) const noexcept
{
    if (count < 2)
        return 1.0f;
    const auto& taps = layout.taps;
    const auto at = [&taps](int j) { return taps[static_cast<size_t>(j)].timeMs; };
    const float d = i < count - 1 ? std::fabs(at(i + 1) - at(i)) : std::fabs(at(i) - at(i - 1));
    return std::clamp(averageSpacing / std::max(d, 1.0f), 1.0f, 1.5f);
}

float TapBarBuilder::tremoloGain(float timeMs, bool rightChannel) const noexcept
{
    const double position = static_cast<double>(timeMs) / 1000.0 * static_cast<double>(state.tremRateHz);
    float v;
    if (state.tremShape == 5)
        v = vorl::rnd(static_cast<int64_t>(std::floor(position)), state.tremSeed);
    else if (state.tremShape == 6)
        v = vorl::smoothRandom(position, state.tremSeed);
    else
    {
        double phase = position - static_cast<double>(state.tremPhase) / 360.0;
        if (rightChannel)
            phase -= static_cast<double>(state.tremOffset) / 360.0;
        v = vorl::shapeValue(phase - std::floor(phase), state.tremShape);
    }
    const float depth = std::clamp(state.tremDepth / 100.0f, 0.0f, 1.0f);
    return (v / 2.0f + 0.5f) * depth + (1.0f - depth);
}

float TapBarBuilder::waveValueAt(float timeMs) const noexcept
{
    return vorl::waveValue(timeMs, state.waveRateHz, state.waveShape, 100.0f, state.waveSeed,
                           -state.wavePhase / 360.0f);
}

float TapBarBuilder::wearPosition(int i) const noexcept
{
    const float cutoff = vorl::wearCutoffHz(i, count, state.tapeWear);
    return std::clamp(std::log(cutoff / 20.0f) / std::log(1000.0f), 0.0f, 1.0f);
}

bool TapBarBuilder::build(int i, TapBar& bar) const noexcept
{
    if (i < 0 || i >= count)
        return false;
    const vorl::TapRecord& tap = layout.taps[static_cast<size_t>(i)];
    const float t = tap.timeMs;
    if (!(t >= 0.0f && t <= totalMs))
        return false;

    const bool odd = (i % 2) != 0;
    const float h = plot.height;
    bar = TapBar{};
    bar.x = plot.xForTime(t, totalMs);
    bar.width = (state.tapeOn ? 3.2f : 2.2f) * widthFactor(i);
    bar.centreY = plot.centreY();

    float heightFactor = 1.0f;
    if (state.tremoloOn)
        heightFactor = tremoloGain(t, odd && !tremoloSplit);
    bar.height = h * heightFactor;
    if (tremoloSplit)
    {
        bar.upperHeight = h * tremoloGain(t, false) / 2.0f;
        bar.lowerHeight = h * tremoloGain(t, true) / 2.0f;
    }
    else
    {
        bar.upperHeight = bar.lowerHeight = bar.height / 2.0f;
    }

    const float a = state.pingPongAmount / 100.0f;
    if (a > 0.001f)
    {
        bar.centreY += (odd ? 1.0f : -1.0f) * a * h / 4.0f;
        const float squeeze = 1.0f - a / 2.0f;
        bar.height = std::max(bar.height * squeeze, 4.0f);
        bar.upperHeight = std::max(bar.upperHeight * squeeze, 2.0f);
        bar.lowerHeight = std::max(bar.lowerHeight * squeeze, 2.0f);
    }

    // Colour and opacity.
    const float x = count > 1 ? static_cast<float>(i) / static_cast<float>(count - 1) : 0.0f;
    float red = 255.0f, green = 238.0f, blue = 80.0f;
    float base;
    float wear = 1.0f, wearReach = 0.0f;
    float waveV = 0.0f;
    if (state.tapeOn)
    {
        wear = wearPosition(i);
        wearReach = std::clamp(x / (1.0f - state.tapeWear / 100.0f * 0.9f + 0.18f), 0.0f, 1.0f);
        const float floor = std::max(wear, 0.42f);
        const float c = floor + (wear - floor) * wearReach;
        const float mix = state.tapeMix / 100.0f;
        red += (200.0f + 55.0f * c - red) * mix;
        green += (90.0f + 90.0f * c - green) * mix;
        blue += (30.0f + 30.0f * c - blue) * mix;
        base = 0.5f + 0.25f * (1.0f - x) * (1.0f - x);
    }
    else if (state.waveOn)
    {
        waveV = waveValueAt(t);
        const float w = (waveV / 2.0f + 0.5f) * state.waveDensity / 100.0f;
        red = 180.0f - 80.0f * w;
        green = 145.0f + 95.0f * w;
        blue = 255.0f - 75.0f * w;
        base = 0.55f + 0.4f * (waveV / 2.0f + 0.5f);
    }
    else
    {
        base = 0.4f + 0.3f * (1.0f - x) * (1.0f - x);
    }
    float opacity = std::clamp(base * brightness(tap.gain), 0.3f, 0.98f);
    if (state.tapeOn && state.tapeWear > 0.0f)
        opacity += (0.1f + 0.14f * wear - opacity) * wearReach;
    opacity = std::min(opacity * state.hudScale, 1.0f);
    bar.colour = rgb(red, green, blue, opacity);

    if (waveSplit || tremoloSplit)
    {
        bar.split = waveSplit ? TapBar::Split::wave : TapBar::Split::tremolo;
        const float offsetFraction = (waveSplit ? state.waveOffset : state.tremOffset) / 360.0f;
        const float rate = waveSplit ? state.waveRateHz : state.tremRateHz;
        bar.halfShift = periodFractionPixels(offsetFraction, rate, totalMs, plot.plotWidth) / 2.0f;
        bar.lowerColour = kRightChannel.withAlpha(std::clamp(0.9f * opacity, 0.0f, 1.0f));
    }

    if (state.waveOn && state.wavePhase != 0.0f)
    {
        bar.phaseMark = true;
        bar.phaseMarkX = bar.x - 3.0f * state.wavePhase / 180.0f;
    }
    return true;
}
