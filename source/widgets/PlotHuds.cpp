#include "PlotHuds.h"

#include "FrequencyScale.h"
#include "Palette.h"
#include "Typefaces.h"

#include <cmath>

namespace
{
void centredText(juce::Graphics& g, const juce::String& text, juce::Rectangle<float> box)
{
    g.drawText(text, box, juce::Justification::centred, true);
}
} // namespace

void EqHud::drawHud(juce::Graphics& g, juce::Rectangle<float> bounds)
{
    const juce::Colour c{0xffe8a040};
    const float w = bounds.getWidth(), h = bounds.getHeight();
    const float a = 0.1f * w, l = 0.8f * w;
    const float top = 0.4f * h, floor = 0.85f * h, v = 0.45f * h;
    const float hp = juce::jlimit(20.0f, 22000.0f, finiteOr(state.hpHz, 20.0f));
    const float lp = juce::jlimit(20.0f, 22000.0f, finiteOr(state.lpHz, 22000.0f));
    const float hx = juce::jlimit(a, a + l, a + l * FrequencyScale::position(hp));
    const float lx = juce::jlimit(a, a + l, a + l * FrequencyScale::position(lp));

    juce::Path curve;
    for (int i = 0; i <= 100; ++i)
    {
        const float p = (float)i / 100.0f;
        const float f = FrequencyScale::frequencyAt(p);
        const float hpRatio = f / hp, lpRatio = f / lp;
        const float e = f >= hp ? 1.0f : hpRatio / std::sqrt(hpRatio * hpRatio + 1.0f);
        const float lowPass = f <= lp ? 1.0f : 1.0f / std::sqrt(lpRatio * lpRatio + 1.0f);
        const juce::Point<float> point{a + l * p, top + (1.0f - e * lowPass) * v};
        if (i == 0)
            curve.startNewSubPath(point);
        else
            curve.lineTo(point);
    }
    auto area = curve;
    area.lineTo(a + l, floor);
    area.lineTo(a, floor);
    area.closeSubPath();
    g.setColour(c.withAlpha(0.1f));
    g.fillPath(area);
    g.setColour(c.withAlpha(0.8f));
    g.strokePath(curve, juce::PathStrokeType(2.0f));

    g.setColour(c.withAlpha(0.2f));
    if (hx < lx)
        g.drawHorizontalLine((int)top, hx, lx);

    g.setColour(c.withAlpha(0.65f));
    const float dashes[] = {3.0f, 3.0f};
    for (const float x : {hx, lx})
        g.drawDashedLine({x, 0.2f * h, x, floor}, dashes, 2, 1.0f);

    g.setColour(c.withAlpha(0.85f));
    g.setFont(Typefaces::consolas(9.0f));
    const float labelY = 0.055f * h, labelH = 0.075f * h;
    const auto hpText = "HP " + FrequencyScale::text(hp);
    const auto lpText = "LP " + FrequencyScale::text(lp);
    if (lx - hx < 150.0f)
        centredText(g, hpText + " / " + lpText, {0.5f * (hx + lx) - 70.0f, labelY, 140.0f, labelH});
    else
    {
        centredText(g, hpText, {hx - 35.0f, labelY, 70.0f, labelH});
        centredText(g, lpText, {lx - 35.0f, labelY, 70.0f, labelH});
    }

    g.setColour(c.withAlpha(0.4f));
    g.setFont(Typefaces::consolas(8.0f));
    g.drawText("FILTER", juce::Rectangle<float>{4.0f, labelY, a - 4.0f, labelH},
               juce::Justification::centredLeft, true);
}

juce::String DecayHud::tailText(float decayCurve)
{
    const float o = finiteOr(decayCurve, -70.0f) / 140.0f;
    const float s = o < 0.0f ? 25.0f * o : 14.0f * o;
    const float t = std::pow(10.0f, -(20.0f - s) / 20.0f);
    const float db = 20.0f * std::log10(std::max(t, 1.0e-6f));
    return juce::String(db, 1) + " dB tail";
}

juce::String DecayHud::falloffText(float falloff)
{
    const float value = finiteOr(falloff, 0.0f);
    if (value <= 0.0f)
        return "fade off";
    return juce::String(juce::roundToInt(value)) + "% fade";
}

void DecayHud::drawHud(juce::Graphics& g, juce::Rectangle<float> bounds)
{
    const float w = bounds.getWidth(), h = bounds.getHeight();
    // The text block sits in the half of the plot away from the handle.
    const bool handleHigh = state.decayHandleY < 0.5f;
    const float y0 = handleHigh ? 0.52f * h : 0.1f * h;
    const float u = handleHigh ? -0.12f * w : 0.12f * w;

    g.setColour(Palette::accentBlue);
    g.setFont(Typefaces::consolas(13.0f));
    centredText(g, "DECAY CURVE", {u, y0, w, 0.16f * h});
    g.setColour(Palette::textDim);
    g.setFont(Typefaces::consolas(10.0f));
    centredText(g, tailText(state.decayCurve), {u, y0 + 0.16f * h, w, 0.14f * h});
    centredText(g, falloffText(state.decayFalloff), {u, y0 + 0.3f * h, w, 0.14f * h});
}

juce::String WearHud::wearText(float tapeWear)
{
    const float value = finiteOr(tapeWear, 0.0f);
    if (value <= 0.0f)
        return "BYP";
    return juce::String((int)std::min(value, 1.0e6f)) + "%";
}

void WearHud::drawHud(juce::Graphics& g, juce::Rectangle<float> bounds)
{
    const float w = bounds.getWidth(), h = bounds.getHeight();
    const float y0 = state.wearHandleY < 0.5f ? 0.74f * h : 0.1f * h;
    g.setColour(Palette::accentCopper.brighter(0.9f));
    g.setFont(Typefaces::consolas(13.0f));
    centredText(g, "TAPE WEAR", {0.0f, y0, w, 0.16f * h});
    g.setFont(Typefaces::consolas(10.0f));
    centredText(g, wearText(state.tapeWear), {0.0f, y0 + 0.16f * h, w, 0.14f * h});
}
