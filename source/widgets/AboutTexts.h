#pragma once

#include <juce_core/juce_core.h>

// Texts of the About dialog and of the third-party notices window.
namespace AboutTexts
{
inline const juce::String productName{"Vorl Delay"};
inline const juce::String versionText{"1.649"};
inline const juce::String rightsNotice{
    juce::CharPointer_UTF8("\xc2\xa9 2024 Vorl Audio. All rights reserved.")};
inline const juce::String websiteText{"More plug-ins from Vorl Audio"};
inline const juce::String websiteUrl{"https://www.vorlaudio.com"};

inline const juce::String description{
    juce::CharPointer_UTF8("Multi-tap delay VST3/AU plugin.\nVorl-shaped tap distribution.\n\nEffects: "
                           "Pitch/Chorus \xc2\xb7 Wave \xc2\xb7 "
                           "Tremolo.\nTape saturation and wear applied inside the delay matrix.\nRandom "
                           "reshuffles any enabled parameter.")};

inline const juce::String tapeCredit{"Tape Saturation: Airwindows ToTape6, MIT License."};

// The licence of the tape saturation algorithm, exactly as its authors publish it.
inline const juce::String toTape6License{
    "MIT License\n"
    "\n"
    "Copyright (c) airwindows\n"
    "\n"
    "Permission is hereby granted, free of charge, to any person obtaining a copy\n"
    "of this software and associated documentation files (the \"Software\"), to deal\n"
    "in the Software without restriction, including without limitation the rights\n"
    "to use, copy, modify, merge, publish, distribute, sublicense, and/or sell\n"
    "copies of the Software, and to permit persons to whom the Software is\n"
    "furnished to do so, subject to the following conditions:\n"
    "\n"
    "The above copyright notice and this permission notice shall be included in all\n"
    "copies or substantial portions of the Software.\n"
    "\n"
    "THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR\n"
    "IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,\n"
    "FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE\n"
    "AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER\n"
    "LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM,\n"
    "OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE\n"
    "SOFTWARE.\n"};

// The full text of the notices window.
juce::String thirdPartyNotices();
} // namespace AboutTexts
