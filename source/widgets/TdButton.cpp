#include "TdButton.h"

#include "Palette.h"
#include "Typefaces.h"

juce::Colour accentColour(int index)
{
    switch (index)
    {
    case 1:
        return Palette::accentYellow;
    case 2:
        return Palette::accentPurple;
    case 3:
        return Palette::accentGreen;
    case 4:
        return Palette::accentOrange;
    case 5:
        return Palette::accentBlue;
    case 6:
        return Palette::accentIndigo;
    default:
        return Palette::text;
    }
}

TdButton::ColourSet TdButton::accentColours(int index)
{
    switch (index)
    {
    case 1:
        return {Palette::yellowFill, Palette::yellowEdge, Palette::accentYellow};
    case 2:
        return {Palette::purpleFill, Palette::purpleEdge, Palette::accentPurple};
    case 3:
        return {Palette::greenFill, Palette::greenEdge, Palette::accentGreen};
    case 4:
        return {Palette::orangeFill, Palette::orangeEdge, Palette::accentOrange};
    case 5:
        return {Palette::blueFill, Palette::blueEdge, Palette::accentBlue};
    case 6:
        return {Palette::pinkFill, Palette::pinkEdge, Palette::accentIndigo};
    default:
        return {Palette::panelBg, Palette::border, Palette::text};
    }
}

TdButton::TdButton(const juce::String& buttonText, int accentIndex)
    : juce::Button(buttonText), text(buttonText), accent(accentIndex)
{
    setMouseCursor(juce::MouseCursor::PointingHandCursor);
}

void TdButton::setCustomColours(juce::Colour fill, juce::Colour edge, juce::Colour bright)
{
    customFill = fill;
    customEdge = edge;
    customBright = bright;
    customColours = true;
    repaint();
}

void TdButton::clearCustomColours()
{
    customColours = false;
    repaint();
}

void TdButton::drawIcon(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour) const
{
    if (iconPainter)
    {
        iconPainter(g, area, colour);
        return;
    }
    if (icon.isEmpty())
        return;

    // Icon paths live in a square box with its corner at the origin.
    const auto pathBounds = icon.getBounds();
    const float m = juce::jmax(pathBounds.getWidth(), pathBounds.getHeight());
    if (m <= 0.0f)
        return;
    const float s = juce::jmin(area.getWidth() / m, area.getHeight() / m);
    const auto transform =
        juce::AffineTransform::scale(s).translated(area.getX() + area.getWidth() / 2.0f - s * m / 2.0f,
                                                   area.getY() + area.getHeight() / 2.0f - s * m / 2.0f);
    g.setColour(colour);
    g.fillPath(icon, transform);
}

void TdButton::paintButton(juce::Graphics& g, bool highlighted, bool down)
{
    if (plateStyle)
    {
        paintPlate(g, highlighted, down);
        return;
    }

    const auto bounds = getLocalBounds().toFloat();
    const float x = bounds.getX(), y = bounds.getY(), w = bounds.getWidth(), h = bounds.getHeight();
    const bool on = getToggleState();
    const auto iconArea =
        juce::Rectangle<float>(x + 2.0f, y + 2.0f, juce::jmax(0.0f, w - 4.0f), juce::jmax(0.0f, h - 4.0f));

    if (iconOnly)
    {
        const auto colour =
            on ? accentColour(accent) : (highlighted ? Palette::textBright : Palette::textDim);
        drawIcon(g, iconArea, colour);
        return;
    }

    const auto colours =
        customColours ? ColourSet{customFill, customEdge, customBright} : accentColours(accent);
    const bool lighten = highlighted && !quietHover;

    if (on)
    {
        g.setColour(colours.edge.withAlpha(0.35f));
        g.fillRoundedRectangle(bounds.expanded(3.0f), cornerRadius + 2.0f);
        g.setColour(lighten ? colours.fill.brighter(0.2f) : colours.fill);
        g.fillRoundedRectangle(bounds, cornerRadius);
        g.setColour(highlighted ? colours.edge.brighter(0.2f) : colours.edge);
        g.drawRoundedRectangle(bounds, cornerRadius, 1.5f);
    }
    else if (lighten)
    {
        g.setColour(Palette::panelBg.withAlpha(0.4f));
        g.fillRoundedRectangle(bounds, cornerRadius);
        g.setColour(Palette::outline.withAlpha(0.6f));
        g.drawRoundedRectangle(bounds, cornerRadius, 0.5f);
    }
    else
    {
        g.setColour(Palette::panelBg);
        g.fillRoundedRectangle(bounds, cornerRadius);
        g.setColour(Palette::outline.brighter(highlighted ? 0.6f : 0.25f));
        g.drawRoundedRectangle(bounds, cornerRadius, 0.5f);
    }

    if (down)
    {
        g.setColour(Palette::panelBg.darker(0.2f));
        g.fillRoundedRectangle(bounds, cornerRadius);
    }

    const auto font = Typefaces::consolas(textHeight());
    g.setFont(font);
    const auto textColour = on ? colours.bright : (lighten ? Palette::textBright : Palette::text);
    g.setColour(textColour);

    if (hasIcon() && text.isEmpty())
    {
        drawIcon(g, iconArea, textColour);
    }
    else if (!hasIcon() && text.isNotEmpty())
    {
        g.drawText(text, bounds, juce::Justification::centred, false);
    }
    else if (hasIcon())
    {
        const float s = h - 4.0f;
        const float tw = font.getStringWidthFloat(text);
        const float ix = iconAtLeft ? 4.0f : juce::jmax((w - (s + 4.0f + tw)) * 0.5f, 2.0f);
        drawIcon(g, {ix, y + 2.0f, s, s}, textColour);
        g.setColour(textColour);
        const int textX = static_cast<int>(ix + s + 4.0f);
        const int textW = static_cast<int>(x + w - (ix + s + 4.0f) - 2.0f);
        if (textW > 0)
            g.drawText(text, textX, static_cast<int>(y), textW, static_cast<int>(h),
                       juce::Justification::centredLeft, false);
    }
}

void TdButton::paintPlate(juce::Graphics& g, bool highlighted, bool down)
{
    const auto bounds = getLocalBounds().toFloat();
    const float x = bounds.getX(), y = bounds.getY(), w = bounds.getWidth(), h = bounds.getHeight();
    const bool on = getToggleState();

    auto base = on ? juce::Colour(0xff1a1404) : juce::Colour(0xff08080d);
    base = down ? base.darker(0.2f) : (highlighted ? base.brighter(0.08f) : base);
    g.setGradientFill(juce::ColourGradient(base, 0.0f, y, base.brighter(0.1f), 0.0f, y + h, false));
    g.fillRoundedRectangle(bounds, cornerRadius);

    auto rimTop = (on ? juce::Colour(0xff8a5f00) : juce::Colour(0xff3a3e46)).brighter(0.15f);
    if (highlighted)
        rimTop = rimTop.brighter(0.15f);
    juce::ColourGradient rim(rimTop, 0.0f, y, on ? juce::Colour(0xffffe9a3) : juce::Colour(0xffe8ecef), 0.0f,
                             y + h, false);
    rim.addColour(0.5, on ? juce::Colour(0xffffd23d) : juce::Colour(0xff6b7280));
    g.setGradientFill(rim);
    g.drawRoundedRectangle(x + 0.5f, y + 0.5f, juce::jmax(0.0f, w - 1.0f), juce::jmax(0.0f, h - 1.0f),
                           cornerRadius, 1.0f);

    auto font = Typefaces::consolas(textHeight(), plateBold ? juce::Font::bold : juce::Font::plain);
    font.setExtraKerningFactor(0.03f);

    const float s = h - 10.0f;
    const float iconSpace = hasIcon() ? s + 6.0f : 0.0f;
    const float textWidth = text.isEmpty() ? 0.0f : font.getStringWidthFloat(text);
    float start = iconAtLeft ? 7.0f : juce::jmax((w - (iconSpace + textWidth)) * 0.5f, 5.0f);

    if (hasIcon())
    {
        drawIcon(g, {start, y + 5.0f, juce::jmax(0.0f, s), juce::jmax(0.0f, s)},
                 on ? juce::Colour(0xffffd23d) : juce::Colour(0xffc7cdd6));
        start += s + 6.0f;
    }

    if (text.isNotEmpty())
    {
        juce::GlyphArrangement glyphs;
        glyphs.addLineOfText(font, text, start, y + h * 0.5f + 0.35f * font.getAscent());
        juce::Path textPath;
        glyphs.createPath(textPath);
        g.setGradientFill(juce::ColourGradient(on ? juce::Colour(0xfffff3cc) : juce::Colour(0xfff0f3f5), 0.0f,
                                               y, on ? juce::Colour(0xffffd23d) : juce::Colour(0xff9aa1ab),
                                               0.0f, y + h, false));
        g.fillPath(textPath);
    }
}
