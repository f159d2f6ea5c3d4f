#pragma once

#include <juce_graphics/juce_graphics.h>

// Every font of the editor is made here, so that the two design typefaces are mapped
// to installed substitutes in one place. On Linux neither is a system font, so they are
// always replaced there by fonts from Debian's archive (fonts-dejavu-core and
// fonts-liberation), which keeps the text identical on every machine.
namespace Typefaces
{
inline const juce::String consolasName{"Consolas"};
inline const juce::String helveticaName{"Helvetica"};

// The family actually used for a requested one; unknown names are passed through.
juce::String resolveFamily(const juce::String& requestedFamily);

juce::Font font(const juce::String& requestedFamily, float height, int styleFlags = juce::Font::plain);

// The editor's standard monospaced text.
juce::Font consolas(float height, int styleFlags = juce::Font::plain);
juce::Font helvetica(float height, int styleFlags = juce::Font::plain);
// The framework's default sans-serif typeface.
juce::Font defaultSans(float height, int styleFlags = juce::Font::plain);
} // namespace Typefaces
