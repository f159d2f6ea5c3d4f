#include "AxisSliderLookAndFeel.h"

#include "Palette.h"

namespace
{
const juce::Colour trackWell{0xff16161b};
const juce::Colour trackEdge{0xff2c2c34};
constexpr float kThumbRadius = 13.0f;
constexpr float kTrackThickness = 5.0f;
constexpr float kTrackCorner = 2.5f;
} // namespace

AxisSliderLookAndFeel::AxisSliderLookAndFeel()
{
    setColour(juce::Slider::backgroundColourId, Palette::panelBg);
    setColour(juce::Slider::thumbColourId, Palette::white);
    setColour(juce::Slider::trackColourId, Palette::border);
}

void AxisSliderLookAndFeel::drawLinearSlider(juce::Graphics& g, int x, int y, int width, int height,
                                             float sliderPos, float, float, juce::Slider::SliderStyle style,
                                             juce::Slider& slider)
{
    const bool hot = slider.isMouseOverOrDragging() || slider.isMouseButtonDown();
    const auto fx = static_cast<float>(x);
    const auto fy = static_cast<float>(y);
    const auto fw = static_cast<float>(width);
    const auto fh = static_cast<float>(height);

    if (style == juce::Slider::LinearVertical)
    {
        const float cx = fx + fw * 0.5f;
        const juce::Rectangle<float> well(cx - kTrackCorner, fy, kTrackThickness, fh);
        g.setColour(trackWell);
        g.fillRoundedRectangle(well, kTrackCorner);
        g.setColour(trackEdge);
        g.drawRoundedRectangle(well, kTrackCorner, 1.0f);

        g.setGradientFill(juce::ColourGradient(Palette::silver.withAlpha(0.25f), cx, fy + fh, Palette::silver,
                                               cx, sliderPos, false));
        g.fillRoundedRectangle(cx - kTrackCorner, sliderPos, kTrackThickness,
                               juce::jmax(0.0f, (fy + fh) - sliderPos), kTrackCorner);
        drawThumb(g, {cx, sliderPos}, hot);
        return;
    }

    const float cy = fy + fh * 0.5f;
    const juce::Rectangle<float> well(fx, cy - kTrackCorner, fw, kTrackThickness);
    g.setColour(trackWell);
    g.fillRoundedRectangle(well, kTrackCorner);
    g.setColour(trackEdge);
    g.drawRoundedRectangle(well, kTrackCorner, 1.0f);

    g.setGradientFill(juce::ColourGradient(Palette::silver.withAlpha(0.25f), fx, cy, Palette::silver,
                                           sliderPos, cy, false));
    g.fillRoundedRectangle(fx, cy - kTrackCorner, juce::jmax(0.0f, sliderPos - fx), kTrackThickness,
                           kTrackCorner);
    drawThumb(g, {sliderPos, cy}, hot);
}

void AxisSliderLookAndFeel::drawThumb(juce::Graphics& g, juce::Point<float> centre, bool hot)
{
    g.setColour(Palette::white.withAlpha(hot ? 0.45f : 0.18f));
    g.fillEllipse(juce::Rectangle<float>(2.0f * kThumbRadius, 2.0f * kThumbRadius).withCentre(centre));

    const auto body = juce::Rectangle<float>(kThumbRadius, kThumbRadius).withCentre(centre);
    g.setColour(juce::Colours::black.withAlpha(0.5f));
    g.fillEllipse(body.translated(0.0f, 1.0f));
    g.setColour(Palette::white);
    g.fillEllipse(body);
    g.setColour(juce::Colours::white.withAlpha(0.3f));
    g.drawEllipse(body, 1.0f);
}
