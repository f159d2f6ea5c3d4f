#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace vorl::snapshot
{
// What the whole-editor picture shows.
struct EditorSnapshotOptions
{
    juce::String presetId;         // a factory preset to load first; empty for the current state
    juce::StringArray assignments; // "ID=VALUE" parameter settings, applied after the preset
    juce::StringArray expanded;    // section titles (any case, "PITCH" for PITCH / CHORUS) or "all"
    bool optionsOpen = false;      // the options panel slid in, as after a click on OPTIONS
};

// A page holding a processor and its editor at the real size, after a second of audio has run
// through the processor (so the published layout and the meter are real), the sections have
// finished unfolding and the editor has refreshed. Returns null and sets `error` on a bad option.
std::unique_ptr<juce::Component> createEditorPage(const EditorSnapshotOptions& options, juce::String& error);
} // namespace vorl::snapshot
