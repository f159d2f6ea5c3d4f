#pragma once

#include "HostedPlugin.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vorl::test
{
// The formats of the plug-in this build makes, as the hosting tests load them: the VST3
// everywhere, the LV2 where it is built (Linux).
enum class Format
{
    vst3,
    lv2
};

std::vector<Format> builtFormats();
std::string formatName(Format format);

// Loads the plug-in this tree built, through JUCE's hosting of that format.
vorl::host::HostedPlugin loadBuilt(Format format, double sampleRate, int blockSize, juce::String& error);

// Loads the plug-in and prepares it to play; a plug-in that does not load fails the test and
// leaves the instance null.
vorl::host::HostedPlugin loadPrepared(Format format, double sampleRate, int blockSize);

// The hosted parameter with this name, or null.
juce::AudioProcessorParameter* findParameter(juce::AudioPluginInstance& instance, const juce::String& name);

// Sets every parameter but the host's bypass away from its default, to one of a few host values.
void moveEveryParameter(juce::AudioPluginInstance& instance);

// Processes one block of silence on a prepared instance. Hosts hand parameter changes to the
// plug-in with the audio: an LV2 plug-in sees a host's change only then.
void processABlock(juce::AudioPluginInstance& instance, int blockSize = 512);

// Runs the host for a while, blocks and message-loop turns interleaved, so that what the
// plug-in sends on its own - the step it holds after a value between steps, 20 ms later - has
// reached the host and come back before a test sets anything new.
void settle(juce::AudioPluginInstance& instance, int milliseconds = 100, int blockSize = 512);

// The plug-in's own state inside what a host saved: JUCE's VST3 host keeps the component's
// block as base64 in its XML, JUCE's LV2 host saves the LV2 state as Turtle with the block
// as a base64 literal. Null when there is none.
std::unique_ptr<juce::XmlElement> pluginStateXml(const juce::MemoryBlock& hostState);

// The plain value of each parameter in a plug-in state, by identifier.
std::map<juce::String, double> storedValues(const juce::XmlElement& pluginState);

// The plug-in's stored parameter values of a hosted instance, read from its saved state.
std::map<juce::String, double> storedValues(juce::AudioPluginInstance& instance);

// Expects a plain value for every parameter, each within this fraction of the parameter's
// range of the expected one.
void expectValuesNear(const std::map<juce::String, double>& actual,
                      const std::map<juce::String, double>& expected, double fractionOfRange);
} // namespace vorl::test
