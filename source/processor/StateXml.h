#pragma once

#include <juce_core/juce_core.h>

#include <memory>

namespace vorl
{
// Reads the XML of a state block written by AudioProcessor::copyXmlToBinary. Unlike the
// framework's reader it first checks the text is what a saved state can contain: valid
// UTF-8, no document type declarations and only well-formed character references.
// JUCE 7's XML parser can loop forever on some malformed references, and a host must
// never hang on a damaged project. Returns null for anything else.
std::unique_ptr<juce::XmlElement> readStateXml(const void* data, int sizeInBytes);

// True when text uses only the markup a saved state contains (see readStateXml).
bool isPlainStateXmlText(const char* utf8, size_t numBytes);
} // namespace vorl
