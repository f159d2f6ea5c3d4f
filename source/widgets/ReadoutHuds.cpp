#include "ReadoutHuds.h"

#include "Palette.h"
#include "Typefaces.h"

#include <cmath>

namespace
{
// Text boxes from fractional coordinates are truncated to whole pixels.
juce::Rectangle<int> truncated(float x, float y, float w, float h)
{
    return {(int)x, (int)y, (int)w, (int)h};
}
} // namespace

float captionBoxWidth(const juce::String& title, const juce::String& value, float titleSize, float valueSize)
{
    const auto titleFont = Typefaces::consolas(titleSize, juce::Font::bold);
    const auto valueFont = Typefaces::consolas(valueSize, juce::Font::bold);
    return std::max(titleFont.getStringWidthFloat(title), valueFont.getStringWidthFloat(value)) + 24.0f;
}

void drawCaption(juce::Graphics& g, juce::Rectangle<float> bounds, const juce::String& title,
                 const juce::String& value, juce::Colour titleColour, juce::Colour valueColour,
                 const juce::String& highlight, float titleSize, float valueSize, float boxWidth,
                 float valueOffset)
{
    const float x = bounds.getX(), y = bounds.getY(), w = bounds.getWidth(), h = bounds.getHeight();
    const auto titleFont = Typefaces::consolas(titleSize, juce::Font::bold);
    const auto valueFont = Typefaces::consolas(valueSize, juce::Font::bold);
    const float l = y + 0.3f * h;
    const float m = l + valueOffset * h;
    const float vh = 0.32f * h;
    const float b = boxWidth > 0.0f ? boxWidth : captionBoxWidth(title, value, titleSize, valueSize);

    g.setColour(Palette::black.withAlpha(0.6f));
    g.fillRoundedRectangle(x + w / 2.0f - b / 2.0f, l - 5.0f, b, m + vh + 5.0f - (l - 5.0f), 4.0f);
    g.setColour(titleColour);
    g.setFont(titleFont);
    g.drawText(title, truncated(x, l, w, 14.0f), juce::Justification::centred, true);
    g.setColour(valueColour);
    g.setFont(valueFont);
    g.drawText(value, truncated(x, m, w, vh), juce::Justification::centred, true);

    if (highlight.isNotEmpty() && value.startsWith(highlight))
    {
        const float x0 = x + w / 2.0f - valueFont.getStringWidthFloat(value) / 2.0f;
        const float underlineY = m + vh / 2.0f + valueFont.getAscent() / 2.0f;
        g.drawLine(x0, underlineY, x0 + valueFont.getStringWidthFloat(highlight), underlineY, 1.0f);
    }
}

void FaderReadoutHud::drawHud(juce::Graphics& g, juce::Rectangle<float> bounds)
{
    drawCaption(g, bounds, title, value, Palette::accentOrange, Palette::textBright, {}, 9.0f, 16.0f, 0.0f,
                0.18f);
}

PitchHud::PitchHud()
{
    // Measured once over the widest read-outs, so the box keeps its width whatever is shown.
    const std::pair<const char*, const char*> widest[] = {{"PITCH LFO", "RATE  16.00 Hz"},
                                                          {"PITCH LFO", "DEPTH  200%"},
                                                          {"PITCH SHIFT", "-100.0 CENTS"},
                                                          {"PITCH REGEN", "100%"},
                                                          {"PITCH SHIFT", "100% WET"}};
    for (const auto& [title, value] : widest)
        boxWidth = std::max(boxWidth, captionBoxWidth(title, value, 16.0f, 16.0f));
}

PitchHud::Readout PitchHud::readoutFor(const DisplayState& state)
{
    const float k = state.pitch2x ? 2.0f : 1.0f;
    const auto& id = state.hudParamId;
    if (id == "pitchRt")
        return {"PITCH LFO", "RATE  " + juce::String(k * finiteOr(state.pitchRateHz, 0.0f), 2) + " Hz",
                "RATE"};
    if (id == "pitchDp")
        return {"PITCH LFO",
                "DEPTH  " + juce::String(juce::roundToInt(k * finiteOr(state.pitchDepth, 0.0f))) + "%",
                "DEPTH"};
    if (id == "pitchCt")
    {
        const float c = k * finiteOr(state.pitchCents, 0.0f);
        const juce::String sign = c < 0.0f ? "-" : (c > 0.0f ? "+" : "");
        return {"PITCH SHIFT", sign + juce::String(std::abs(c), 1) + " CENTS", {}};
    }
    if (id == "pitchFbk")
        return {"PITCH REGEN", juce::String(juce::roundToInt(finiteOr(state.pitchRegen, 0.0f))) + "%", {}};
    if (id == "pitchMix")
        return {"PITCH SHIFT", juce::String(juce::roundToInt(finiteOr(state.pitchMix, 0.0f))) + "% WET", {}};
    return {};
}

void PitchHud::drawHud(juce::Graphics& g, juce::Rectangle<float> bounds)
{
    const auto readout = readoutFor(state);
    if (readout.title.isEmpty())
        return;
    drawCaption(g, bounds, readout.title, readout.value, Palette::accentBlue, Palette::accentBlue,
                readout.highlight, 16.0f, 16.0f, boxWidth, 0.1f);
}

juce::String TarnelSingularityHud::vorlText(float vorl)
{
    // Nearest integer, halves away from zero.
    const long n = std::lround(juce::jlimit(-1.0e6f, 1.0e6f, finiteOr(vorl, 0.0f)));
    if (n > 0)
        return "+" + juce::String(n) + "%";
    if (n < 0)
        return "-" + juce::String(-n) + "%";
    return "0%";
}

void TarnelSingularityHud::drawHud(juce::Graphics& g, juce::Rectangle<float> bounds)
{
    const float x = bounds.getX(), y = bounds.getY(), w = bounds.getWidth(), h = bounds.getHeight();
    const float cy = y + h / 2.0f;
    g.setColour(Palette::accentYellow);
    g.setFont(Typefaces::consolas(30.0f).withExtraKerningFactor(0.35f));
    g.drawText("VORL", juce::Rectangle<float>{x, y + 0.28f * h, w, 0.22f * h + 2.0f},
               juce::Justification::centredBottom, false);
    g.setFont(Typefaces::consolas(20.0f));
    g.drawText(vorlText(state.vorl), juce::Rectangle<float>{x, cy + 6.0f, w, 26.0f},
               juce::Justification::centredTop, false);
}
