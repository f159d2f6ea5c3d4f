#include "TdModeSwitch.h"

#include "Palette.h"
#include "Typefaces.h"

TdModeSwitch::TdModeSwitch(const juce::String& name) : juce::Button(name)
{
    setMouseCursor(juce::MouseCursor::PointingHandCursor);
}

juce::Rectangle<float> TdModeSwitch::trackBounds(juce::Rectangle<float> bounds)
{
    const float th = juce::jmin(bounds.getHeight() - 4.0f, 18.0f);
    const float tw = juce::jmin(bounds.getWidth() * 0.34f, 34.0f);
    return {bounds.getX() + bounds.getWidth() / 2.0f - tw / 2.0f,
            bounds.getY() + bounds.getHeight() / 2.0f - th / 2.0f, tw, th};
}

void TdModeSwitch::paintButton(juce::Graphics& g, bool highlighted, bool)
{
    const auto bounds = getLocalBounds().toFloat();
    const float x = bounds.getX(), y = bounds.getY(), w = bounds.getWidth(), h = bounds.getHeight();
    const auto track = trackBounds(bounds);
    const float tl = track.getX(), tt = track.getY(), tw = track.getWidth(), th = track.getHeight();
    const float radius = th / 2.0f;
    const bool on = getToggleState();

    g.setFont(Typefaces::defaultSans(11.0f));
    g.setColour(on ? Palette::textDim : Palette::textBright);
    g.drawText(leftLabel, juce::Rectangle<float>(x, y, juce::jmax(tl - 6.0f - x, 0.0f), h),
               juce::Justification::centredRight, true);
    const float rightX = tl + tw + 6.0f;
    g.setColour(on ? Palette::textBright : Palette::textDim);
    g.drawText(rightLabel, juce::Rectangle<float>(rightX, y, juce::jmax(x + w - rightX, 0.0f), h),
               juce::Justification::centredLeft, true);

    g.setColour(Palette::black);
    g.fillRoundedRectangle(track, radius);
    g.setColour(switchColour.withAlpha(highlighted ? 0.85f : 0.55f));
    g.drawRoundedRectangle(tl + 0.5f, tt + 0.5f, juce::jmax(0.0f, tw - 1.0f), juce::jmax(0.0f, th - 1.0f),
                           radius, 1.0f);

    const float d = th - 4.0f;
    if (d > 0.0f)
    {
        g.setColour(switchColour);
        g.fillEllipse(on ? tl + tw - d - 2.0f : tl + 2.0f, tt + 2.0f, d, d);
    }
}
