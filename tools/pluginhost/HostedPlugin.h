#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace vorl::host
{
// A plug-in loaded through JUCE's own hosting of its format (VST3, or LV2 on Linux): the
// same entry points a DAW goes through.
struct HostedPlugin
{
    juce::PluginDescription description;
    std::unique_ptr<juce::AudioPluginInstance> instance;
};

// Loads the first effect class of a VST3 bundle. On failure the instance is null and
// error says why in one line.
HostedPlugin loadVst3(const juce::String& bundlePath, double sampleRate, int blockSize, juce::String& error);

#if JUCE_PLUGINHOST_LV2
// Loads the LV2 plug-in with this URI from the folders given or the standard LV2 folders
// (~/.lv2, /usr/lib/lv2, /usr/local/lib/lv2). JUCE reads the standard folders first, so a
// copy installed there is the one loaded.
HostedPlugin loadLv2(const juce::String& uri, const juce::FileSearchPath& folders, double sampleRate,
                     int blockSize, juce::String& error);
#endif

// A VST3 bundle's path, or an LV2 plug-in's URI: LV2 hosts name plug-ins by URI and find
// them in the folders of LV2_PATH and the standard LV2 folders.
HostedPlugin load(const juce::String& bundlePathOrUri, double sampleRate, int blockSize, juce::String& error);

// What a host sees of the plug-in: format, identity, buses, timing, MIDI, programs and the
// parameters in host order with their defaults.
juce::var describe(const HostedPlugin& plugin);
} // namespace vorl::host
