#include "BodyLabels.h"

#include "Palette.h"
#include "Typefaces.h"

namespace BodyLabels
{
void styleName(juce::Label& label, const juce::String& text)
{
    label.setText(text.toUpperCase(), juce::dontSendNotification);
    label.setFont(Typefaces::defaultSans(11.0f).withExtraKerningFactor(0.12f));
    label.setColour(juce::Label::textColourId, Palette::text);
    label.setJustificationType(juce::Justification::centredLeft);
}

void styleValue(juce::Label& label)
{
    label.setFont(Typefaces::consolas(12.0f));
    label.setColour(juce::Label::textColourId, Palette::textBright);
    label.setJustificationType(juce::Justification::centredRight);
    // The column is narrow: no side border, and long read-outs ("12.0 kHz") squeeze rather
    // than end in dots.
    label.setBorderSize({1, 0, 1, 0});
    label.setMinimumHorizontalScale(0.75f);
}
} // namespace BodyLabels
