#include "TapeDegradationBody.h"

#include "Palette.h"
#include "ParameterGesture.h"
#include "Typefaces.h"

#include <cmath>

namespace
{
juce::String truncatedPercent(double value)
{
    return juce::String(static_cast<int>(value)) + "%";
}
} // namespace

TapeDegradationBody::TapeDegradationBody(juce::AudioProcessorValueTreeState& treeIn)
    : tree(treeIn), wear(*this, treeIn, {"WEAR", "tDarken", 3, 0, 100, 1, 25}),
      bump(*this, treeIn, {"LO BUMP", "headBump", 12, 0, 100, 1, 20}),
      drive(*this, treeIn, {"DRIVE", "tBoost", 3, 0, 100, 1, 50}),
      output(*this, treeIn, {"OUT", "td", 3, 0, 100, 1, 50}),
      lowPass(*this, treeIn, {"LPF", "sat", 3, 0, 100, 1, 100}),
      mix(*this, treeIn, {"MIX", "tpWet", 3, 0, 100, 1, 100}),
      flutter(*this, treeIn, {"FLUTTER", "flutter", 3, 0, 100, 1, 0}),
      speed(*this, treeIn, {"SPEED", "flutSpd", 3, 0, 100, 1, 50})
{
    wear.slider.inverted = true;
    mix.name.setColour(juce::Label::textColourId, Palette::amber);
    wear.valueText = bypassablePercentText;
    drive.valueText = bypassablePercentText;
    output.valueText = outputText;
    lowPass.valueText = lowPassText;

    for (auto* r : {&wear, &bump, &drive, &output, &lowPass, &mix, &flutter, &speed})
        forwardDrags(r->slider, onSliderDragStart, dragEnded);
    refresh();
    startTimerHz(10);
}

TapeDegradationBody::~TapeDegradationBody()
{
    stopTimer();
}

BodySliderRow& TapeDegradationBody::row(const juce::String& paramId)
{
    for (auto* r : {&wear, &bump, &drive, &output, &lowPass, &mix, &flutter, &speed})
        if (r->slider.paramId == paramId)
            return *r;
    jassertfalse;
    return wear;
}

juce::String TapeDegradationBody::bypassablePercentText(double value)
{
    return value <= 0.0 ? juce::String("BYP") : truncatedPercent(value);
}

juce::String TapeDegradationBody::outputText(double value)
{
    const double gainDb = value / 100.0 * 12.0 - 6.0;
    return (gainDb >= 0.0 ? "+" : "") + juce::String(gainDb, 1) + " dB";
}

juce::String TapeDegradationBody::lowPassText(double value)
{
    const double hz = 2000.0 * std::pow(6.0, value / 100.0);
    if (hz < 1000.0)
        return juce::String(static_cast<int>(hz)) + " Hz";
    return juce::String(hz / 1000.0, hz >= 10000.0 ? 1 : 2) + " kHz";
}

void TapeDegradationBody::refresh()
{
    for (auto* r : {&wear, &bump, &drive, &output, &lowPass, &mix, &flutter, &speed})
        r->refreshValue();

    wear.setAlpha(1.0f);
    bump.setAlpha(1.0f);
    const bool tapeOn = ParameterGesture::isOn(tree, "tp");
    const bool flutterIdle = ParameterGesture::plainValue(tree, "flutter") <= 0.0f;
    const float motionAlpha = tapeOn && flutterIdle ? kInactiveAlpha : 1.0f;
    flutter.setAlpha(motionAlpha);
    speed.setAlpha(motionAlpha);
}

void TapeDegradationBody::setSliderColour(juce::Colour colour)
{
    for (auto* r : {&wear, &bump, &drive, &output, &lowPass, &mix, &flutter, &speed})
        r->setColour(colour);
    wear.setColour(Palette::accentCopper);
}

void TapeDegradationBody::resized()
{
    const int a = (getWidth() - 4) / 2;
    const auto placePair = [a](BodySliderRow& left, BodySliderRow& right, int y)
    {
        left.place(0, y, a - 100, a - 44);
        right.place(a + 4, y, a - 100, 2 * a - 40);
    };
    const int rowPitch = BodySliderRow::kRowPitch;
    placePair(wear, bump, 0);
    placePair(drive, output, rowPitch);
    placePair(lowPass, mix, 2 * rowPitch);
    placePair(flutter, speed, kFlutterRowY);
}

void TapeDegradationBody::paint(juce::Graphics& g)
{
    const juce::String heading("MOTION");
    const auto font = Typefaces::consolas(11.0f);
    const int textWidth = font.getStringWidth(heading);
    const int w = getWidth();
    const int lineY = kMotionY + 8;
    g.setColour(Palette::outline.withAlpha(0.7f));
    g.fillRect(0, lineY, 48, 1);
    g.fillRect(textWidth + 64, lineY, juce::jmax(w - textWidth - 64, 0), 1);
    g.setColour(Palette::textBright);
    g.setFont(font);
    g.drawText(heading, 56, kMotionY, juce::jmax(w - 56, 0), 16, juce::Justification::centredLeft, false);
}
