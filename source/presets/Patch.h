#pragma once

#include <juce_core/juce_core.h>

namespace presets
{
// One preset in memory: a name, its place in the menu tree and normalised parameter values.
struct Patch
{
    juce::String name;
    juce::String bank;
    juce::var params; // object of parameter identifier -> normalised value; may be void

    // bank + "/" + name, or just the name for a preset at the top level.
    juce::String getId() const { return bank.isEmpty() ? name : bank + "/" + name; }
};
} // namespace presets
