#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The label styles of the effect bodies.
namespace BodyLabels
{
// Upper-cased, small sans-serif with wide letter spacing, left-aligned.
void styleName(juce::Label& label, const juce::String& text);
// Monospaced bright read-out, right-aligned.
void styleValue(juce::Label& label);
} // namespace BodyLabels
