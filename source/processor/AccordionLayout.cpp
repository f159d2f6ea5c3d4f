#include "AccordionLayout.h"

namespace vorl
{
juce::Identifier AccordionLayout::propertyFor(const juce::String& title)
{
    juce::String key("expanded_");
    for (auto character : title)
        key += juce::CharacterFunctions::isLetterOrDigit(character) ? juce::String::charToString(character)
                                                                    : juce::String("_");
    return key;
}

juce::ValueTree AccordionLayout::layoutTree() const
{
    return tree.state.getOrCreateChildWithName("AccordionLayout", nullptr);
}

bool AccordionLayout::isExpanded(const juce::String& title) const
{
    return (bool)layoutTree().getProperty(propertyFor(title), true);
}

void AccordionLayout::setExpanded(const juce::String& title, bool expanded)
{
    layoutTree().setProperty(propertyFor(title), expanded, nullptr);
}
} // namespace vorl
