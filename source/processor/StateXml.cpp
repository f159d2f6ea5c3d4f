#include "StateXml.h"

#include <cstring>

namespace vorl
{
namespace
{
constexpr uint32_t kBinaryXmlMagic = 0x21324356; // the framework's binary XML wrapper

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Length of a well-formed reference starting at text[0] == '&', or 0.
size_t referenceLength(const char* text, size_t remaining)
{
    static const char* const named[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"};
    for (const char* name : named)
    {
        const size_t length = std::strlen(name);
        if (remaining >= length && std::memcmp(text, name, length) == 0)
            return length;
    }
    if (remaining < 4 || text[1] != '#')
        return 0;
    const bool hex = text[2] == 'x';
    size_t i = hex ? 3 : 2;
    const size_t firstDigit = i;
    while (i < remaining && i < firstDigit + 8 && (hex ? isHexDigit(text[i]) : isDigit(text[i])))
        ++i;
    return i > firstDigit && i < remaining && text[i] == ';' ? i + 1 : 0;
}
} // namespace

bool isPlainStateXmlText(const char* utf8, size_t numBytes)
{
    if (!juce::CharPointer_UTF8::isValidString(utf8, static_cast<int>(numBytes)))
        return false;
    for (size_t i = 0; i < numBytes; ++i)
    {
        if (utf8[i] == '<' && i + 1 < numBytes && utf8[i + 1] == '!')
            return false;
        if (utf8[i] == '&')
        {
            const size_t length = referenceLength(utf8 + i, numBytes - i);
            if (length == 0)
                return false;
            i += length - 1;
        }
    }
    return true;
}

std::unique_ptr<juce::XmlElement> readStateXml(const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 8)
        return {};
    const auto* bytes = static_cast<const char*>(data);
    if (juce::ByteOrder::littleEndianInt(bytes) != kBinaryXmlMagic)
        return {};
    const auto declaredLength = static_cast<int>(juce::ByteOrder::littleEndianInt(bytes + 4));
    if (declaredLength <= 0)
        return {};

    // The text ends at the declared length, the end of the block or a terminating zero.
    const auto available = static_cast<size_t>(juce::jmin(sizeInBytes - 8, declaredLength));
    const auto* text = bytes + 8;
    const auto* terminator = static_cast<const char*>(std::memchr(text, 0, available));
    const size_t length = terminator != nullptr ? static_cast<size_t>(terminator - text) : available;
    if (!isPlainStateXmlText(text, length))
        return {};
    return juce::parseXML(juce::String::fromUTF8(text, static_cast<int>(length)));
}
} // namespace vorl
