#pragma once

#include <juce_core/juce_core.h>

namespace vorl::presetgen
{
// Turns the readable factory preset sources (values in each parameter's own units) into the
// normalised factory bank document the plug-in compiles in.
struct CompileResult
{
    juce::String document;    // UTF-8 JSON, CRLF, two-space indentation
    juce::StringArray errors; // "file:line: message"; the document is empty when there are any
    int presetCount = 0;
};

// Compiles the given source texts in order; names are only used in error messages.
CompileResult compileFactoryBanks(const juce::StringArray& sourceNames, const juce::StringArray& sourceTexts);

// Compiles every "*.txt" file of folder, in file-name order.
CompileResult compileFactoryBankFolder(const juce::File& folder);
} // namespace vorl::presetgen
