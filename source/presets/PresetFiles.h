#pragma once

#include <juce_core/juce_core.h>

namespace presets
{
// Reads a JSON file and returns it when it holds an object; anything else (missing, unreadable,
// oversized, not JSON, not an object) gives a void var.
juce::var readJsonObjectFile(const juce::File& file);

// Writes value as multi-line JSON, UTF-8 without byte-order mark, CRLF line breaks, replacing
// the whole file. Returns false when the file could not be written.
bool writeJsonFile(const juce::File& file, const juce::var& value);

// Every "*.json" file below folder, recursively. Symbolic links are followed, but a folder that
// resolves to one of its own ancestors is not entered again, so link cycles end.
juce::Array<juce::File> findJsonFilesBelow(const juce::File& folder);
} // namespace presets
