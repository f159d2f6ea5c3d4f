#pragma once

#include <juce_core/juce_core.h>

namespace presets
{
class PresetLibrary;
struct Patch;

// The preset a fresh instance starts with unless the settings name another one.
inline constexpr const char* kDefaultPatchId = "Traditional/INIT PATCH";

// "VorlDelay" in the user's application-data folder.
juce::File applicationDataFolder();
// "settings.json" in the application-data folder.
juce::File settingsFile();
// "Presets" in the application-data folder: the user folder when the settings name none.
juce::File defaultPresetFolder();

// The "presetFolder" setting; an empty File when it is unset or not an absolute path.
juce::File readPresetFolder(const juce::File& settings);
void writePresetFolder(const juce::File& folder, const juce::File& settings);

// The preset named by "defaultPatchId", falling back to "Traditional/INIT PATCH"; null when
// neither exists.
const Patch* findDefaultPatch(const PresetLibrary& library, const juce::File& settings);
void writeDefaultPatchId(const juce::String& id, const juce::File& settings);

// The folder a processor uses for user presets: the setting when it names an existing folder,
// otherwise the default folder (which need not exist yet).
juce::File chooseUserPresetFolder(const juce::File& settings);
} // namespace presets
