#include "AboutTexts.h"

namespace AboutTexts
{
juce::String thirdPartyNotices()
{
    const juce::String rule = juce::String::repeatedString("-", 72);
    return productName + juce::String(juce::CharPointer_UTF8(" \xe2\x80\x94 Third-Party Notices")) + "\n\n" +
           rightsNotice + "\n\n" +
           "This product includes a Tape Saturation algorithm adapted from Airwindows\n"
           "ToTape6, used under the following license:\n\n" +
           rule + "\n" + toTape6License + rule + "\n";
}
} // namespace AboutTexts
