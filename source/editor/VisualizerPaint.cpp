// The tap visualizer's drawing, back to front.
#include "TapBars.h"
#include "VisualizerComponent.h"
#include "widgets/Palette.h"
#include "widgets/Typefaces.h"

#include <cmath>

namespace
{
const juce::Colour kPredelayYellow{255, 235, 60};
const juce::Colour kDecayBlue{0xff1273b8};
const juce::Colour kDecayHot{0xee80c8ff};
const juce::Colour kDecayHotHalo{0x4d80c8ff};

// The faint field lines that show which way Vorl bends the pattern.
void paintVorlField(juce::Graphics& g, const PlotGeometry& plot, float vorl)
{
    if (!(std::abs(vorl) > 5.0f))
        return;
    const bool positive = vorl > 0.0f;
    const float amount = std::abs(vorl / 100.0f);
    g.setColour(juce::Colour(positive ? 0xddffd232 : 0xdd80c8ff).withAlpha(0.06f));
    for (int i = 0; i < 6; ++i)
    {
        const float l = (static_cast<float>(i) + 0.5f) / 6.0f;
        juce::Path line;
        line.startNewSubPath(PlotGeometry::kLeft, l * plot.plotBottom);
        for (int j = 1; j <= 40; ++j)
        {
            const float u = 1.0f - static_cast<float>(j) / 40.0f;
            const float s =
                positive ? 1.0f - std::pow(u, 1.5f) : std::pow(static_cast<float>(j) / 40.0f, 1.5f);
            line.lineTo(PlotGeometry::kLeft + plot.plotWidth * s,
                        l * plot.plotBottom + amount * (l - 0.5f) * 8.0f * u);
        }
        g.strokePath(line, juce::PathStrokeType(0.5f));
    }
}

void paintLabels(juce::Graphics& g, float height, float lengthMs)
{
    g.setFont(Typefaces::consolas(7.0f));
    g.setColour(juce::Colour(0xff404060));
    g.drawText("0ms", juce::Rectangle<float>(5.0f, 3.0f, 40.0f, 10.0f), juce::Justification::centredLeft,
               false);
    g.setFont(Typefaces::consolas(10.0f));
    g.setColour(Palette::accentBlue.withAlpha(0.6f));
    g.drawText("L", juce::Rectangle<float>(4.0f, 2.0f, 14.0f, 12.0f), juce::Justification::centredLeft,
               false);
    g.setColour(juce::Colour(0xffff8080).withAlpha(0.6f));
    g.drawText("R", juce::Rectangle<float>(4.0f, height - 70.0f, 14.0f, 12.0f),
               juce::Justification::centredLeft, false);
    g.setColour(Palette::textBright.withAlpha(0.8f));
    g.drawText("LENGTH = " + VisualizerComponent::lengthText(lengthMs, "ms", "s"),
               juce::Rectangle<float>(24.0f, height - 68.0f, 180.0f, 14.0f), juce::Justification::centredLeft,
               false);
}

void paintBar(juce::Graphics& g, const TapBar& bar)
{
    if (bar.split == TapBar::Split::none)
    {
        g.setColour(bar.colour);
        g.fillRect(juce::Rectangle<float>(bar.width, bar.height).withCentre({bar.x, bar.centreY}));
    }
    else
    {
        const float halfWidth = bar.width / 2.0f;
        g.setColour(bar.colour);
        g.fillRect(juce::Rectangle<float>(bar.x + bar.halfShift - halfWidth / 2.0f,
                                          bar.centreY - bar.upperHeight, halfWidth, bar.upperHeight));
        g.setColour(bar.lowerColour);
        g.fillRect(juce::Rectangle<float>(bar.x - bar.halfShift - halfWidth / 2.0f, bar.centreY, halfWidth,
                                          bar.lowerHeight));
    }
    if (bar.phaseMark)
    {
        g.setColour(Palette::accentPurple.withAlpha(0.5f));
        g.fillRect(juce::Rectangle<float>(1.5f, bar.height).withCentre({bar.phaseMarkX, bar.centreY}));
    }
}

void paintArrow(juce::Graphics& g, juce::Point<float> centre, float angle)
{
    // Tip 15 px from the centre, base 9.5 px out and 8 px wide.
    const auto along = juce::Point<float>(std::cos(angle), std::sin(angle));
    const auto across = juce::Point<float>(-along.y, along.x);
    juce::Path arrow;
    arrow.addTriangle(centre + along * 15.0f, centre + along * 9.5f + across * 4.0f,
                      centre + along * 9.5f - across * 4.0f);
    g.fillPath(arrow);
}

struct HandleLook
{
    juce::Colour colour;
    juce::Colour glow;
    bool glowing;
    bool vertical;   // arrows up and down
    bool horizontal; // arrows left and right, where they stay inside the plot
};

void paintHandle(juce::Graphics& g, juce::Point<float> centre, const HandleLook& look,
                 const PlotGeometry& plot)
{
    if (look.glowing)
    {
        g.setColour(look.glow);
        g.fillEllipse(juce::Rectangle<float>(20.0f, 20.0f).withCentre(centre));
    }
    g.setColour(look.colour);
    g.fillEllipse(juce::Rectangle<float>(14.0f, 14.0f).withCentre(centre));
    g.setColour(juce::Colours::white.withAlpha(0.35f));
    g.drawEllipse(juce::Rectangle<float>(14.0f, 14.0f).withCentre(centre), 1.0f);

    g.setColour(look.colour.withAlpha(look.glowing ? 0.75f : 0.45f));
    constexpr float pi = juce::MathConstants<float>::pi;
    if (look.vertical)
    {
        paintArrow(g, centre, -pi / 2.0f);
        paintArrow(g, centre, pi / 2.0f);
    }
    if (look.horizontal || look.vertical)
    {
        if (centre.x - 15.0f >= PlotGeometry::kLeft || look.horizontal)
            paintArrow(g, centre, pi);
        if (centre.x + 15.0f <= plot.right || look.horizontal)
            paintArrow(g, centre, 0.0f);
    }
}

void paintDashedVertical(juce::Graphics& g, float x, float top, float bottom, const float* dashes,
                         int dashCount, float thickness)
{
    juce::Path line;
    line.startNewSubPath(x, top);
    line.lineTo(x, bottom);
    juce::Path dashed;
    juce::PathStrokeType(thickness).createDashedStroke(dashed, line, dashes, dashCount);
    g.fillPath(dashed);
}
} // namespace

void VisualizerComponent::paint(juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    const auto geometry = plot();
    const auto c = curves();
    const float height = bounds.getHeight();

    // 1. Background.
    g.setColour(getLookAndFeel().findColour(juce::ResizableWindow::backgroundColourId));
    g.fillRoundedRectangle(bounds, 5.0f);

    // 2, 3. Vorl field lines and labels.
    paintVorlField(g, geometry, state.vorl);
    paintLabels(g, height, state.lengthMs);

    // 4. Tap bars.
    const TapBarBuilder bars(layout, state, totalMs, geometry);
    TapBar bar;
    for (int i = 0; i < layout.count; ++i)
        if (bars.build(i, bar))
            paintBar(g, bar);

    // 5. Predelay handle.
    const auto predelayPoint = c.predelayHandle();
    if (state.hudMode == 12)
    {
        g.setColour(kPredelayYellow.withAlpha(0.4f));
        g.fillEllipse(juce::Rectangle<float>(20.0f, 20.0f).withCentre(predelayPoint));
    }
    g.setColour(kPredelayYellow);
    g.fillEllipse(juce::Rectangle<float>(7.0f, 7.0f).withCentre(predelayPoint));
    g.setColour(kPredelayYellow.withAlpha(0.75f));
    g.setFont(Typefaces::consolas(8.0f));
    g.drawText("START",
               juce::Rectangle<float>(40.0f, 10.0f).withCentre(predelayPoint.translated(0.0f, -18.0f)),
               juce::Justification::centred, false);

    // 6. Wear curve.
    if (state.tapeOn)
    {
        const auto wearPath = c.curvePath(&VisualizerCurves::wearY);
        g.setColour(juce::Colour(0x99000000));
        g.strokePath(wearPath, juce::PathStrokeType(2.4f));
        g.setColour(Palette::accentCopper);
        g.strokePath(wearPath, juce::PathStrokeType(1.2f));
    }

    // 7. Decay curve.
    const bool decayHot = hovered == Handle::decay || dragged == Handle::decay;
    const auto decayPath = c.curvePath(&VisualizerCurves::decayY);
    if (decayHot)
    {
        g.setColour(kDecayHotHalo);
        g.strokePath(decayPath, juce::PathStrokeType(4.0f));
        g.setColour(kDecayHot);
        g.strokePath(decayPath, juce::PathStrokeType(2.5f));
    }
    else
    {
        g.setColour(kDecayBlue.withAlpha(0.85f));
        g.strokePath(decayPath, juce::PathStrokeType(1.4f));
    }

    // 8. Falloff line over its shadow.
    {
        const float x = c.falloffX();
        const bool hot = hovered == Handle::falloff || dragged == Handle::falloff;
        const float dashes[] = {6.0f, 5.0f};
        g.setColour(juce::Colours::black.withAlpha(0.6f));
        paintDashedVertical(g, x + 1.0f, 0.0f, geometry.plotBottom, dashes, 2, 1.0f);
        g.setColour(juce::Colour(0xffd8e8ff).withAlpha(hot ? 0.95f : 0.55f));
        paintDashedVertical(g, x, 0.0f, geometry.plotBottom, dashes, 2, 1.0f);
    }

    // 9, 10. Decay and wear handles.
    paintHandle(g, c.decayHandle(), {Palette::accentBlue, kDecayHotHalo, state.hudMode == 2, true, false},
                geometry);
    if (state.tapeOn)
        paintHandle(
            g, c.wearHandle(),
            {Palette::accentCopper, Palette::accentCopper.withAlpha(0.3f), state.hudMode == 13, false, true},
            geometry);

    // 11. Tape band.
    if (state.tapeOn)
    {
        const float s = std::clamp(state.tapeIn / 100.0f, 0.0f, 1.0f);
        const float bandHeight = std::max(0.28f * geometry.plotBottom, 8.0f);
        const juce::Colour top = juce::Colour::fromRGB(255, static_cast<juce::uint8>(150.0f - 110.0f * s),
                                                       static_cast<juce::uint8>(20.0f - 20.0f * s))
                                     .withAlpha(0.42f * s + 0.1f);
        g.setGradientFill(juce::ColourGradient(top, 0.0f, 0.0f, juce::Colour(255, 40, 0).withAlpha(0.0f),
                                               0.0f, bandHeight, false));
        g.fillRect(juce::Rectangle<float>(PlotGeometry::kLeft, 0.0f, geometry.plotWidth, bandHeight));
    }

    // 12. Predelay line.
    if (state.predelayMs > 0.0f)
    {
        const float dashes[] = {2.0f, 3.0f};
        g.setColour(juce::Colour(0x55ffd232));
        paintDashedVertical(g, predelayPoint.x, 0.0f, geometry.plotBottom, dashes, 2, 1.0f);
    }
}
