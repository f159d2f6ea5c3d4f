#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

namespace vorl::snapshot
{
// One page of the gallery: a component that owns everything it shows (look and feel,
// widgets, for the editor also the processor) in a representative state.
struct GalleryEntry
{
    juce::String name;
    juce::String description;
    std::function<std::unique_ptr<juce::Component>()> create;
};

const std::vector<GalleryEntry>& galleryEntries();
const GalleryEntry* findGalleryEntry(const juce::String& name);
// "name1, name2, ..." in gallery order.
juce::String galleryNames();

// Paints the component and its children into an image with the software renderer.
juce::Image renderComponent(juce::Component& component, float scale);
} // namespace vorl::snapshot
