#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The bright colour of accent 1..6; `text` for any other index.
juce::Colour accentColour(int index);

// The editor's push, toggle and icon button: an accent-coloured pill, a bare icon or an
// engraved "plate", chosen by flags.
class TdButton : public juce::Button
{
public:
    enum Accent : int
    {
        neutral = 0,
        yellow = 1,
        purple = 2,
        green = 3,
        orange = 4,
        blue = 5,
        indigo = 6,
    };

    // Draws an icon in the given rectangle and colour; returns the width it drew.
    using IconPainter = std::function<float(juce::Graphics&, juce::Rectangle<float>, juce::Colour)>;

    struct ColourSet
    {
        juce::Colour fill, edge, bright;
    };
    // The fill, edge and bright colour of an accent; the neutral set outside 1..6.
    static ColourSet accentColours(int index);

    TdButton(const juce::String& text, int accent);

    juce::String text;
    juce::Path icon;
    IconPainter iconPainter;
    juce::String toggleParamId;
    int accent = neutral;
    bool iconOnly = false;
    bool customColours = false;
    juce::Colour customFill, customEdge, customBright;
    float cornerRadius = 6.0f;
    bool quietHover = false;
    bool iconAtLeft = false;
    bool plateStyle = false;
    bool plateBold = false;
    float fontSize = 0.0f; // 0 or less: 10

    void setCustomColours(juce::Colour fill, juce::Colour edge, juce::Colour bright);
    void clearCustomColours();

    bool hasIcon() const { return iconPainter != nullptr || !icon.isEmpty(); }

    // Draws the icon (painter first, else the path scaled into a centred square).
    void drawIcon(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour) const;

    void paintButton(juce::Graphics& g, bool highlighted, bool down) override;

private:
    float textHeight() const { return fontSize > 0.0f ? fontSize : 10.0f; }
    void paintPlate(juce::Graphics& g, bool highlighted, bool down);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TdButton)
};
