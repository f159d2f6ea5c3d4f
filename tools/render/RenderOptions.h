#pragma once

#include <juce_core/juce_core.h>

namespace vorl::render
{
struct RenderOptions
{
    juce::File input;
    juce::File output;
    juce::String presetId;
    juce::File stateFile;
    juce::File saveStateFile;
    double tempo = 120.0;
    int blockSize = 512;
    double tailSeconds = -1.0; // negative: until the output has been below -90 dBFS for 1 s
    juce::StringArray assignments;
    bool listPresets = false;
};

// Reads the command line; on failure returns false with a one-line reason in error.
bool parseRenderOptions(const juce::StringArray& arguments, RenderOptions& options, juce::String& error);

extern const char* const kRenderUsage;
} // namespace vorl::render
