#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace vorl
{
// Remembers which effect sections of the editor are open, in the "AccordionLayout" child
// of the parameter tree's state, so the layout travels with the plug-in state.
class AccordionLayout
{
public:
    explicit AccordionLayout(juce::AudioProcessorValueTreeState& tree) : tree(tree) {}

    bool isExpanded(const juce::String& title) const;
    void setExpanded(const juce::String& title, bool expanded);

    // "expanded_" + the title with every character that is not a letter or digit replaced by "_".
    static juce::Identifier propertyFor(const juce::String& title);

private:
    juce::ValueTree layoutTree() const;

    juce::AudioProcessorValueTreeState& tree;
};
} // namespace vorl
