#pragma once

#include <string>

namespace vorl::lv2
{
// Corrects two things in the dsp.ttl that JUCE 7.0.5 writes for the plug-in; everything else
// is kept as written.
//
// Scale points: JUCE describes the steps of a discrete parameter with normalised values (step
// k of n at k / (n - 1)) while the parameter's range, default and every value a host sends
// are plain, so a host would offer Tap Count's steps between 0 and 1 instead of 1 to 64. They
// are rewritten to the plain step values, minimum + k * (maximum - minimum) / (n - 1). Scale
// points already in plain units, and ranges of 0 to 1 (where both agree), stay as they are.
//
// Empty links: for an empty company website or e-mail JUCE writes the empty IRI <>, which
// names the description file itself; hosts would show that file as the maker's home page and
// e-mail. Such properties are left out.
std::string fixJuceDescription(const std::string& ttl);
} // namespace vorl::lv2
