#include "Typefaces.h"

namespace Typefaces
{
juce::String resolveFamily(const juce::String& requestedFamily)
{
#if JUCE_LINUX || JUCE_BSD
    if (requestedFamily == consolasName)
        return "DejaVu Sans Mono";
    if (requestedFamily == helveticaName)
        return "Liberation Sans";
#endif
    return requestedFamily;
}

juce::Font font(const juce::String& requestedFamily, float height, int styleFlags)
{
    return juce::Font(resolveFamily(requestedFamily), height, styleFlags);
}

juce::Font consolas(float height, int styleFlags)
{
    return font(consolasName, height, styleFlags);
}

juce::Font helvetica(float height, int styleFlags)
{
    return font(helveticaName, height, styleFlags);
}

juce::Font defaultSans(float height, int styleFlags)
{
    return juce::Font(juce::Font::getDefaultSansSerifFontName(), height, styleFlags);
}
} // namespace Typefaces
