#pragma once

#include <juce_graphics/juce_graphics.h>

// The editor's small icons. Each draws in its own design grid, scaled uniformly to fit the area
// and centred in it, in the given colour, and returns the width it drew.
namespace EditorIcons
{
float drawSyncIcon(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour);
float drawFlipIcon(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour);
float drawReverseIcon(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour);
float drawDiceIcon(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour);
// A chevron pointing right (or left), sized from the area's height; returns the area's width.
float drawChevronIcon(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour, bool pointsLeft);
} // namespace EditorIcons
