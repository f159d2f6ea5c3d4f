#include "CloseButton.h"

#include "Palette.h"
#include "Typefaces.h"

void CloseButton::mouseDown(const juce::MouseEvent&)
{
    if (onClick)
        onClick();
}

void CloseButton::mouseEnter(const juce::MouseEvent&)
{
    hovered = true;
    repaint();
}

void CloseButton::mouseExit(const juce::MouseEvent&)
{
    hovered = false;
    repaint();
}

void CloseButton::paint(juce::Graphics& g)
{
    if (label.isNotEmpty())
    {
        g.setColour(hovered ? Palette::accentYellow : Palette::accentYellow.withAlpha(0.9f));
        g.fillRoundedRectangle(getLocalBounds().toFloat(), 4.0f);
        g.setColour(Palette::windowBg);
        g.setFont(Typefaces::consolas(11.0f));
        g.drawText(label, getLocalBounds(), juce::Justification::centred, false);
        return;
    }

    const float k = static_cast<float>(getWidth()) / 14.0f;
    juce::Path cross;
    cross.startNewSubPath(2.0f * k, 2.0f * k);
    cross.lineTo(12.0f * k, 12.0f * k);
    cross.startNewSubPath(12.0f * k, 2.0f * k);
    cross.lineTo(2.0f * k, 12.0f * k);
    g.setColour(hovered ? Palette::textBright : Palette::textDim.withAlpha(0.65f));
    g.strokePath(cross, juce::PathStrokeType(1.2f * k));
}
