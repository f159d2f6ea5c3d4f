#pragma once

#include "WidgetGallery.h"

#include <juce_core/juce_core.h>

#include <utility>
#include <vector>

class TarnelDelayAudioProcessor;

namespace vorl::snapshot
{
// Parameter settings by ID, in parameter units.
using Settings = std::vector<std::pair<const char*, float>>;

// Sets each parameter as a host would, then runs a few blocks of silence so that the engine
// publishes the layout of those settings.
void applySettingsAndRun(TarnelDelayAudioProcessor& processor, const Settings& settings);

// The gallery pages of the tap visualizer, the start/end strip and the vorl control.
std::vector<GalleryEntry> editorPartsGalleryEntries();
} // namespace vorl::snapshot
