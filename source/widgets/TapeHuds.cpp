#include "TapeHuds.h"

#include "Palette.h"
#include "Typefaces.h"

#include <cmath>

namespace
{
constexpr float kDesignW = 436.0f, kDesignH = 160.0f;
constexpr float kDialSweep = 4.712389f, kDialStart = -3.926991f;
const juce::Colour kTickColour{juce::Colour::fromRGB(112, 112, 144).withAlpha(0.7f)};

void drawPanel(juce::Graphics& g, const DesignCanvas& d, juce::Rectangle<float> designRect)
{
    g.setColour(Palette::black.withAlpha(0.65f));
    g.fillRoundedRectangle(
        d.rect(designRect.getX(), designRect.getY(), designRect.getWidth(), designRect.getHeight()), 6.0f);
}

// The value over a boxed label, centred on cx; valueY and labelY are the rows' centres.
void drawCaption(juce::Graphics& g, float cx, float sx, float valueY, float labelY, const juce::String& value,
                 const juce::String& label)
{
    g.setColour(Palette::accentYellow);
    g.setFont(Typefaces::consolas(9.0f, juce::Font::bold));
    g.drawText(value, juce::Rectangle<float>{cx - 40.0f * sx, valueY - 7.0f, 80.0f * sx, 14.0f},
               juce::Justification::centred, true);
    const auto labelFont = Typefaces::consolas(8.0f, juce::Font::bold);
    const float boxW = labelFont.getStringWidthFloat(label) + 10.0f;
    const juce::Rectangle<float> box{cx - boxW / 2.0f, labelY - 7.0f, boxW, 14.0f};
    g.drawRect(box, 1.0f);
    g.setFont(labelFont);
    g.drawText(label, box, juce::Justification::centred, false);
}

juce::Point<float> polar(juce::Point<float> centre, float radius, float angle)
{
    return centre + juce::Point<float>{radius * std::cos(angle), radius * std::sin(angle)};
}

void drawDrive(juce::Graphics& g, const DesignCanvas& d, float cx, float tapeIn)
{
    const juce::Point<float> centre{cx, d.py(74.0f)};
    const float r = 18.0f * d.sx;
    g.setColour(kTickColour);
    for (int k = 0; k < 24; ++k)
    {
        const float angle = (float)k / 23.0f * kDialSweep + kDialStart;
        const float outer = (k % 6 == 0 ? 26.0f : 24.0f) * d.sx;
        g.drawLine({polar(centre, 21.0f * d.sx, angle), polar(centre, outer, angle)}, 1.0f);
    }
    g.setColour(Palette::accentYellow);
    g.drawEllipse(juce::Rectangle<float>{2.0f * r, 2.0f * r}.withCentre(centre), 2.3f);
    const float needle = juce::jlimit(0.0f, 1.0f, tapeIn / 100.0f) * kDialSweep + kDialStart;
    g.drawLine({centre, polar(centre, r - 3.0f * d.sx, needle)}, 2.4f);
}

void drawCutoff(juce::Graphics& g, const DesignCanvas& d, float cx, float tapeLpf)
{
    const float left = cx - 23.0f * d.sx, top = d.py(74.0f) - 20.0f * d.sy;
    const float width = 46.0f * d.sx, height = 40.0f * d.sy;
    juce::Path axis;
    axis.startNewSubPath(left, top);
    axis.lineTo(left, top + height);
    axis.lineTo(left + width, top + height);
    g.setColour(kTickColour);
    g.strokePath(axis, juce::PathStrokeType(1.0f));

    const float knee = juce::jlimit(0.0f, 1.0f, tapeLpf / 100.0f);
    juce::Path response;
    for (int i = 0; i <= 40; ++i)
    {
        const float u = (float)i / 40.0f;
        const float drop =
            knee > u ? 0.0f : std::pow((u - knee) / std::max(1.0f - knee, 0.001f), 1.8f) * 0.55f;
        const juce::Point<float> point{left + u * width, top + 4.0f * d.sy + drop * (height - 6.0f * d.sy)};
        if (i == 0)
            response.startNewSubPath(point);
        else
            response.lineTo(point);
    }
    juce::Path dashed;
    const float dashes[] = {3.0f * d.sx, 2.2f * d.sx};
    juce::PathStrokeType(2.3f).createDashedStroke(dashed, response, dashes, 2);
    g.setColour(Palette::accentYellow);
    g.fillPath(dashed);
}

void drawSpeaker(juce::Graphics& g, const DesignCanvas& d, float cx, float tapeOut)
{
    const float cy = d.py(74.0f);
    g.setColour(Palette::accentYellow);
    g.drawRect(juce::Rectangle<float>{cx - 13.0f * d.sx, cy - 20.0f * d.sy, 26.0f * d.sx, 40.0f * d.sy},
               2.2f);
    g.drawEllipse(juce::Rectangle<float>{10.0f * d.sx, 10.0f * d.sx}.withCentre({cx, cy - 8.0f * d.sy}),
                  2.2f);
    g.drawEllipse(juce::Rectangle<float>{16.0f * d.sx, 16.0f * d.sx}.withCentre({cx, cy + 7.0f * d.sy}),
                  2.2f);

    const float v = juce::jlimit(0.0f, 1.0f, tapeOut / 100.0f);
    const int arcs = juce::roundToInt(2.99f * v) + 1;
    for (const float side : {-1.0f, 1.0f})
        for (int i = 0; i < arcs; ++i)
        {
            const float radius = (7.0f * (float)i * (0.6f * v + 0.7f) + 20.0f) * d.sx;
            const float thickness = std::max((1.0f - 0.18f * (float)i) * (1.4f * v + 0.8f), 0.3f);
            // Path arcs measure angles clockwise from twelve o'clock: the right side faces pi/2.
            const float facing =
                side > 0.0f ? juce::MathConstants<float>::halfPi : -juce::MathConstants<float>::halfPi;
            juce::Path arc;
            arc.addCentredArc(cx + 15.0f * side * d.sx, cy, radius, radius, 0.0f, facing - 0.5f,
                              facing + 0.5f, true);
            g.strokePath(arc, juce::PathStrokeType(thickness));
        }
}
} // namespace

juce::String TapeChainHud::driveText(float tapeIn)
{
    const float value = finiteOr(tapeIn, 0.0f);
    return value <= 0.0f ? juce::String("BYP") : juce::String((int)std::min(value, 1.0e6f)) + "%";
}

juce::String TapeChainHud::cutoffText(float tapeLpf)
{
    const float hz =
        2000.0f * std::pow(6.0f, juce::jlimit(-1000.0f, 1000.0f, finiteOr(tapeLpf, 100.0f)) / 100.0f);
    if (hz < 1000.0f)
        return juce::String(juce::roundToInt(hz)) + " Hz";
    return juce::String(hz / 1000.0f, hz < 10000.0f ? 2 : 1) + " kHz";
}

juce::String TapeChainHud::outputText(float tapeOut)
{
    const float db = finiteOr(tapeOut, 50.0f) / 100.0f * 12.0f - 6.0f;
    return (db >= 0.0f ? "+" : "") + juce::String(db, 1) + " dB";
}

void TapeChainHud::drawHud(juce::Graphics& g, juce::Rectangle<float> bounds)
{
    const auto& id = state.hudParamId;
    if (id != "tBoost" && id != "sat" && id != "td")
        return;
    const DesignCanvas d(bounds, kDesignW, kDesignH);
    const float cx = d.px(218.0f);
    drawPanel(g, d, {154.0f, 32.0f, 128.0f, 119.0f});
    const float valueY = d.py(116.0f), labelY = d.py(138.0f);
    if (id == "tBoost")
    {
        drawDrive(g, d, cx, finiteOr(state.tapeIn, 0.0f));
        drawCaption(g, cx, d.sx, valueY, labelY, driveText(state.tapeIn), "DRIVE");
    }
    else if (id == "sat")
    {
        drawCutoff(g, d, cx, finiteOr(state.tapeLpf, 100.0f));
        drawCaption(g, cx, d.sx, valueY, labelY, cutoffText(state.tapeLpf), "LPF");
    }
    else
    {
        drawSpeaker(g, d, cx, finiteOr(state.tapeOut, 50.0f));
        drawCaption(g, cx, d.sx, valueY, labelY, outputText(state.tapeOut), "OUTPUT");
    }
}

juce::String TapeMixHud::mixText(float tapeMix)
{
    const float value = finiteOr(tapeMix, 0.0f);
    if (value <= 0.0f)
        return "100% DRY";
    return juce::String(juce::roundToInt(std::min(value, 1.0e6f))) + "% WET";
}

void TapeMixHud::drawHud(juce::Graphics& g, juce::Rectangle<float> bounds)
{
    const DesignCanvas d(bounds, kDesignW, kDesignH);
    const float value = finiteOr(state.tapeMix, 0.0f);
    const float m = juce::jlimit(0.0f, 1.0f, value / 100.0f) * 88.0f;
    drawPanel(g, d, {150.0f, 48.0f, 126.0f, 78.0f});

    g.setColour(juce::Colour::fromRGB(90, 90, 120).withAlpha(0.9f));
    g.drawRect(d.rect(164.0f, 72.0f, 88.0f, 16.0f), 1.0f);
    g.setColour(juce::Colour::fromRGB(90, 96, 120).withAlpha(0.55f));
    g.fillRect(d.rect(165.0f + m, 73.0f, std::max(86.0f - m, 0.0f), 14.0f));
    if (m > 1.0f)
    {
        g.setGradientFill(juce::ColourGradient(Palette::accentYellow.withAlpha(0.85f), d.px(164.0f), 0.0f,
                                               Palette::accentYellow.withAlpha(0.95f), d.px(164.0f + m), 0.0f,
                                               false));
        g.fillRect(d.rect(165.0f, 73.0f, m - 1.0f, 14.0f));
    }
    g.setColour(Palette::textBright);
    g.drawLine({d.px(164.0f + m), d.py(70.0f), d.px(164.0f + m), d.py(90.0f)}, 1.2f);

    g.setColour(value <= 0.0f ? Palette::text : Palette::accentYellow);
    g.setFont(Typefaces::consolas(13.0f, juce::Font::bold));
    g.drawText(mixText(state.tapeMix), d.rect(164.0f, 96.0f, 88.0f, 18.0f), juce::Justification::centredTop,
               true);
}

juce::String BumpHud::bumpText(float headBump)
{
    return juce::String(juce::jlimit(0.0f, 100.0f, finiteOr(headBump, 0.0f)) / 100.0f * 6.0f, 1) + " dB";
}

float BumpHud::bellHeight(float headBump)
{
    return 0.55f * 30.0f * juce::jlimit(0.0f, 100.0f, finiteOr(headBump, 0.0f)) / 100.0f;
}

void BumpHud::drawHud(juce::Graphics& g, juce::Rectangle<float> bounds)
{
    const DesignCanvas d(bounds, kDesignW, kDesignH);
    const float cx = d.px(218.0f), ax = cx - 50.0f * d.sx, aw = 100.0f * d.sx;
    const float o = d.py(68.0f), t = 30.0f * d.sy, by = o + 0.62f * t;
    auto xOf = [&](float hz)
    { return ax + aw * (std::log(hz) - std::log(20.0f)) / (std::log(1000.0f) - std::log(20.0f)); };
    drawPanel(g, d, {154.0f, 32.0f, 128.0f, 119.0f});

    g.setColour(Palette::groove);
    g.drawLine({ax, by, ax + aw, by}, 0.6f);

    const float bump = juce::jlimit(0.0f, 100.0f, finiteOr(state.headBump, 0.0f));
    const float amplitude = bellHeight(bump) * d.sy;
    const float x24 = xOf(24.0f), x65 = xOf(65.0f), x220 = xOf(220.0f);
    juce::Path bell;
    for (int j = 0; j <= 48; ++j)
    {
        const float px = ax + aw * (float)j / 48.0f;
        float py = by;
        if (amplitude > 0.0f && px > x24 && px < x220)
        {
            const float phase =
                px < x65 ? (px - x24) / (x65 - x24) * 0.5f : 0.5f + (px - x65) / (x220 - x65) * 0.5f;
            py = by - std::sin(phase * juce::MathConstants<float>::pi) * amplitude;
        }
        if (j == 0)
            bell.startNewSubPath(px, py);
        else
            bell.lineTo(px, py);
    }
    g.setColour(Palette::accentYellow);
    g.strokePath(bell, juce::PathStrokeType(1.8f));
    if (bump / 100.0f > 0.02f)
        g.fillEllipse(juce::Rectangle<float>{4.4f, 4.4f}.withCentre({x65, by - amplitude}));

    g.setColour(Palette::textDim);
    g.setFont(Typefaces::consolas(6.5f));
    const std::pair<float, const char*> labels[] = {
        {20.0f, "20"}, {60.0f, "60"}, {100.0f, "100"}, {200.0f, "200"}, {1000.0f, "1k"}};
    for (const auto& [hz, text] : labels)
        g.drawText(text, juce::Rectangle<float>{xOf(hz) - 10.0f, by + 0.24f * t, 20.0f, 9.0f},
                   juce::Justification::centred, true);
    juce::Path arrow;
    arrow.addTriangle(ax + aw + 4.0f * d.sx, by - 3.0f * d.sy, ax + aw + 4.0f * d.sx, by + 3.0f * d.sy,
                      ax + aw + 8.0f * d.sx, by);
    g.fillPath(arrow);
    g.drawText("~65Hz", juce::Rectangle<float>{x65 - 16.0f, o + t + 2.0f * d.sy, 32.0f, 9.0f},
               juce::Justification::centred, true);

    drawCaption(g, cx, d.sx, d.py(120.0f), d.py(140.0f), bumpText(bump), "LO BUMP");
}
