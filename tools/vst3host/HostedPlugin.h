#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace vorl::host
{
// A VST3 plug-in loaded from its bundle through JUCE's own VST3 hosting: the same
// entry points a DAW goes through.
struct HostedPlugin
{
    juce::PluginDescription description;
    std::unique_ptr<juce::AudioPluginInstance> instance;
};

// Loads the first effect class of the bundle. On failure the instance is null and
// error says why in one line.
HostedPlugin loadVst3(const juce::String& bundlePath, double sampleRate, int blockSize, juce::String& error);

// What a host sees of the plug-in: identity, buses, timing, MIDI, programs and the
// parameters in host order with their defaults.
juce::var describe(const HostedPlugin& plugin);
} // namespace vorl::host
