#include "TdLookAndFeel.h"

#include "Palette.h"
#include "TdSlider.h"
#include "Typefaces.h"

TdLookAndFeel::TdLookAndFeel()
{
    setColour(juce::Slider::backgroundColourId, Palette::panelBg);
    setColour(juce::Slider::thumbColourId, juce::Colours::white.withAlpha(0.55f));
    setColour(juce::Slider::trackColourId, Palette::border);
    setColour(juce::ScrollBar::backgroundColourId, Palette::insetBg);
    setColour(juce::ScrollBar::thumbColourId, Palette::border);
    setColour(juce::PopupMenu::backgroundColourId, Palette::panelBg);
    setColour(juce::PopupMenu::textColourId, Palette::text);
    setColour(juce::PopupMenu::highlightedBackgroundColourId, Palette::yellowFill);
    setColour(juce::PopupMenu::highlightedTextColourId, Palette::accentYellow);
    setColour(juce::TextButton::buttonColourId, Palette::panelBg);
    setColour(juce::TextButton::buttonOnColourId, Palette::yellowFill);
    setColour(juce::TextButton::textColourOffId, Palette::text);
    setColour(juce::TextButton::textColourOnId, Palette::accentYellow);
}

void TdLookAndFeel::drawScrollbar(juce::Graphics& g, juce::ScrollBar&, int x, int y, int width, int height,
                                  bool isScrollbarVertical, int thumbStartPosition, int thumbSize, bool, bool)
{
    g.setColour(Palette::insetBg);
    g.fillRect(x, y, width, height);

    g.setColour(Palette::border);
    if (isScrollbarVertical)
        g.fillRect(x + 1, thumbStartPosition, width - 2, thumbSize);
    else
        g.fillRect(thumbStartPosition, y + 1, thumbSize, height - 2);
}

juce::Font TdLookAndFeel::getTextButtonFont(juce::TextButton&, int)
{
    return Typefaces::consolas(10.0f);
}

void TdLookAndFeel::drawPopupMenuBackground(juce::Graphics& g, int width, int height)
{
    g.setColour(Palette::panelBg);
    g.fillRect(0, 0, width, height);
    g.setColour(Palette::outline);
    g.drawRect(0, 0, width, height, 1);
}

void TdLookAndFeel::drawLinearSlider(juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                                     float, float, juce::Slider::SliderStyle style, juce::Slider& slider)
{
    const auto trackColour = slider.findColour(juce::Slider::trackColourId);
    const auto thumbColour = slider.findColour(juce::Slider::thumbColourId);
    const bool hot = slider.isMouseOverOrDragging() || slider.isMouseButtonDown();
    auto* tdSlider = dynamic_cast<TdSlider*>(&slider);

    if (style == juce::Slider::LinearVertical)
    {
        const int cx = x + width / 2;
        g.setColour(Palette::groove);
        g.fillRect(cx - 1, y, 2, height);

        const auto bottom = static_cast<float>(y + height);
        g.setGradientFill(juce::ColourGradient(trackColour.withAlpha(0.25f), static_cast<float>(cx - 1),
                                               bottom, trackColour, static_cast<float>(cx - 1), sliderPos,
                                               false));
        g.fillRect(juce::Rectangle<float>(static_cast<float>(cx - 1), sliderPos, 2.0f, bottom - sliderPos));

        const auto centre = juce::Point<float>(static_cast<float>(cx), sliderPos);
        if (hot)
        {
            g.setColour(thumbColour.withAlpha(0.5f));
            g.fillEllipse(juce::Rectangle<float>(16.0f, 16.0f).withCentre(centre));
        }
        const auto body = juce::Rectangle<float>(10.0f, 10.0f).withCentre(centre);
        g.setColour(juce::Colours::black.withAlpha(0.45f));
        g.fillEllipse(body.translated(0.0f, 1.0f));
        g.setColour(thumbColour);
        g.fillEllipse(body);
        g.setColour(juce::Colours::black.withAlpha(0.22f));
        g.drawEllipse(body, 1.5f);
        return;
    }

    // Every other style, bar styles included, is drawn as a horizontal slider.
    const int cy = y + height / 2;
    g.setColour(Palette::groove);
    g.fillRect(x, cy - 1, width, 2);

    const auto barY = static_cast<float>(cy - 1);
    if (tdSlider != nullptr && tdSlider->inverted)
    {
        g.setGradientFill(juce::ColourGradient(trackColour.withAlpha(0.25f), static_cast<float>(x + width),
                                               barY, trackColour, sliderPos, barY, false));
        const int start = static_cast<int>(sliderPos);
        g.fillRect(start, cy - 1, x + width - start, 2);
    }
    else
    {
        g.setGradientFill(juce::ColourGradient(trackColour.withAlpha(0.25f), static_cast<float>(x), barY,
                                               trackColour, sliderPos, barY, false));
        g.fillRect(x, cy - 1, static_cast<int>(sliderPos - static_cast<float>(x)), 2);
    }

    if (tdSlider != nullptr)
    {
        g.setColour(Palette::textDim);
        g.fillRect(x, cy - 2, 2, 4);
        g.fillRect(x + width - 2, cy - 2, 2, 4);
    }

    // A slider hides its thumb by making the thumb colour transparent.
    if (thumbColour.getAlpha() == 0)
        return;

    const auto centre = juce::Point<float>(sliderPos, static_cast<float>(cy));
    if (hot)
    {
        g.setColour(thumbColour.withAlpha(0.4f));
        g.fillEllipse(juce::Rectangle<float>(16.0f, 16.0f).withCentre(centre));
    }
    const auto body = juce::Rectangle<float>(10.0f, 10.0f).withCentre(centre);
    g.setColour(thumbColour);
    g.fillEllipse(body);
    g.setColour(juce::Colours::white.withAlpha(0.35f));
    g.drawEllipse(body, 1.0f);
}

void TdLookAndFeel::drawCallOutBoxBackground(juce::CallOutBox& box, juce::Graphics& g, const juce::Path& path,
                                             juce::Image& cachedImage)
{
    // The shadow is rendered once per call-out box and reused on later paints.
    if (cachedImage.isNull())
    {
        cachedImage = juce::Image(juce::Image::ARGB, box.getWidth(), box.getHeight(), true);
        juce::Graphics shadowGraphics(cachedImage);
        juce::DropShadow(juce::Colours::black.withAlpha(0.6f), 10, {0, 0}).drawForPath(shadowGraphics, path);
    }

    g.setColour(juce::Colours::black);
    g.drawImageAt(cachedImage, 0, 0);
    g.setColour(Palette::panelBg);
    g.fillPath(path);
    g.setColour(Palette::accentYellow);
    g.strokePath(path, juce::PathStrokeType(1.2f));
}
