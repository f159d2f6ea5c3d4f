#include "EditorIcons.h"

namespace EditorIcons
{
namespace
{
// Runs draw(g) with the grid (gridWidth x gridHeight) fitted into the area; returns the drawn width.
template <typename Draw>
float inGrid(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour, float gridWidth,
             float gridHeight, Draw draw)
{
    const float f = std::min(area.getHeight() / gridHeight, area.getWidth() / gridWidth);
    const float x = area.getCentreX() - f * gridWidth / 2.0f;
    const float y = area.getCentreY() - f * gridHeight / 2.0f;
    juce::Graphics::ScopedSaveState saved(g);
    g.addTransform(juce::AffineTransform::scale(f).translated(x, y));
    g.setColour(colour);
    draw();
    return gridWidth * f;
}
} // namespace

float drawSyncIcon(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour)
{
    return inGrid(g, area, colour, 14.0f, 12.0f,
                  [&]
                  {
                      juce::Path stem;
                      stem.startNewSubPath(4.0f, 10.0f);
                      stem.lineTo(4.0f, 2.0f);
                      stem.lineTo(10.0f, 1.0f);
                      stem.lineTo(10.0f, 6.0f);
                      g.strokePath(stem, juce::PathStrokeType(1.0f, juce::PathStrokeType::curved,
                                                              juce::PathStrokeType::rounded));
                      g.drawEllipse(1.8f, 8.8f, 2.8f, 2.4f, 1.0f);
                      g.drawEllipse(7.8f, 4.8f, 2.8f, 2.4f, 1.0f);
                  });
}

float drawFlipIcon(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour)
{
    return inGrid(g, area, colour, 16.0f, 12.0f,
                  [&]
                  {
                      g.drawLine(1.0f, 3.0f, 13.0f, 3.0f, 1.2f);
                      g.drawLine(15.0f, 9.0f, 3.0f, 9.0f, 1.2f);
                      juce::Path heads;
                      heads.addTriangle(10.0f, 1.0f, 13.5f, 3.0f, 10.0f, 5.0f);
                      heads.addTriangle(6.0f, 7.0f, 2.5f, 9.0f, 6.0f, 11.0f);
                      g.fillPath(heads);
                  });
}

float drawReverseIcon(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour)
{
    return inGrid(g, area, colour, 14.0f, 14.0f,
                  [&]
                  {
                      g.drawLine(7.0f, 0.5f, 7.0f, 13.5f, 1.1f);
                      g.drawLine(0.5f, 7.0f, 13.5f, 7.0f, 1.1f);
                      g.drawLine(2.5f, 2.5f, 11.5f, 11.5f, 0.9f);
                      g.drawLine(11.5f, 2.5f, 2.5f, 11.5f, 0.9f);
                      g.fillEllipse(5.7f, 5.7f, 2.6f, 2.6f);
                  });
}

float drawDiceIcon(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour)
{
    return inGrid(
        g, area, colour, 14.0f, 14.0f,
        [&]
        {
            g.drawRoundedRectangle(1.0f, 1.0f, 12.0f, 12.0f, 2.0f, 1.0f);
            for (const auto& dot :
                 {juce::Point<float>(3.1f, 3.1f), {6.1f, 6.1f}, {9.1f, 9.1f}, {9.1f, 3.1f}, {3.1f, 9.1f}})
                g.fillEllipse(dot.x, dot.y, 1.8f, 1.8f);
        });
}

float drawChevronIcon(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour, bool pointsLeft)
{
    const float e = 0.22f * area.getHeight();
    const float cx = area.getCentreX();
    const float cy = area.getCentreY();
    const float side = pointsLeft ? -1.0f : 1.0f;
    juce::Path chevron;
    chevron.startNewSubPath(cx - side * e / 2.0f, cy - e);
    chevron.lineTo(cx + side * e / 2.0f, cy);
    chevron.lineTo(cx - side * e / 2.0f, cy + e);
    g.setColour(colour);
    g.strokePath(chevron, juce::PathStrokeType(1.6f));
    return area.getWidth();
}
} // namespace EditorIcons
