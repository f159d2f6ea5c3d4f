#include "UserSettings.h"

#include "PresetFiles.h"
#include "PresetLibrary.h"

namespace presets
{
namespace
{
// Missing, unreadable or malformed settings read as an empty object.
juce::var readSettings(const juce::File& settings)
{
    auto object = readJsonObjectFile(settings);
    return object.isObject() ? object : juce::var(new juce::DynamicObject());
}

// Rewrites one property and keeps every other one the file holds.
void writeSetting(const juce::File& settings, const juce::Identifier& property, const juce::String& value)
{
    auto object = readSettings(settings);
    object.getDynamicObject()->setProperty(property, value);
    if (settings.getParentDirectory().createDirectory().wasOk())
        writeJsonFile(settings, object);
}

juce::String stringProperty(const juce::var& object, const juce::Identifier& property)
{
    const auto& value = object[property];
    return value.isString() ? value.toString() : juce::String();
}
} // namespace

juce::File applicationDataFolder()
{
    return juce::File::getSpecialLocation(juce::File::userApplicationDataDirectory).getChildFile("VorlDelay");
}

juce::File settingsFile()
{
    return applicationDataFolder().getChildFile("settings.json");
}

juce::File defaultPresetFolder()
{
    return applicationDataFolder().getChildFile("Presets");
}

juce::File readPresetFolder(const juce::File& settings)
{
    const auto path = stringProperty(readSettings(settings), "presetFolder");
    // A relative path would resolve against whatever the host's working folder happens to be.
    if (path.isEmpty() || !juce::File::isAbsolutePath(path))
        return {};
    return juce::File(path);
}

void writePresetFolder(const juce::File& folder, const juce::File& settings)
{
    writeSetting(settings, "presetFolder", folder.getFullPathName());
}

const Patch* findDefaultPatch(const PresetLibrary& library, const juce::File& settings)
{
    const auto object = readSettings(settings);
    const auto* stored = object.getDynamicObject()->getProperties().getVarPointer("defaultPatchId");
    const auto id = stored != nullptr ? stored->toString() : juce::String(kDefaultPatchId);
    if (const auto* patch = library.findPatchById(id))
        return patch;
    return id != kDefaultPatchId ? library.findPatchById(kDefaultPatchId) : nullptr;
}

void writeDefaultPatchId(const juce::String& id, const juce::File& settings)
{
    writeSetting(settings, "defaultPatchId", id);
}

juce::File chooseUserPresetFolder(const juce::File& settings)
{
    const auto chosen = readPresetFolder(settings);
    return chosen.isDirectory() ? chosen : defaultPresetFolder();
}
} // namespace presets
