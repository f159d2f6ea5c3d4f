#include "DensityStrip.h"

#include "ValueCurves.h"
#include "widgets/Palette.h"
#include "widgets/Typefaces.h"

#include <cmath>

const juce::Colour DensityStrip::readoutColour{0xffecd64c};

namespace
{
constexpr double kDefaultStartMs = 30.0;
constexpr double kDefaultEndMs = 300.0;

void setUpSpacingSlider(TdSlider& slider, double resetMs)
{
    slider.setRange(0.0, 1000.0, 1.0);
    slider.resetValue = vorl::msToTimeSlider(static_cast<float>(resetMs));
}

void setUpReadout(juce::Label& label, juce::Justification justification)
{
    label.setFont(Typefaces::consolas(9.0f));
    label.setColour(juce::Label::textColourId, DensityStrip::readoutColour);
    label.setJustificationType(justification);
    label.setBorderSize({});
    label.setInterceptsMouseClicks(false, false);
}
} // namespace

float drawPadlock(juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour)
{
    const float size = std::min(area.getWidth(), area.getHeight());
    const auto box = area.withSizeKeepingCentre(size, size);
    const auto body =
        box.withTrimmedTop(size * 0.45f).reduced(size * 0.12f, 0.0f).withTrimmedBottom(size * 0.05f);
    juce::Path shackle;
    const float shackleWidth = body.getWidth() * 0.62f;
    const float left = body.getCentreX() - shackleWidth / 2.0f;
    const float top = box.getY() + size * 0.08f;
    shackle.startNewSubPath(left, body.getY());
    shackle.lineTo(left, top + shackleWidth / 2.0f);
    shackle.addCentredArc(body.getCentreX(), top + shackleWidth / 2.0f, shackleWidth / 2.0f,
                          shackleWidth / 2.0f, 0.0f, -juce::MathConstants<float>::halfPi,
                          juce::MathConstants<float>::halfPi);
    shackle.lineTo(left + shackleWidth, body.getY());
    g.setColour(colour);
    g.strokePath(shackle, juce::PathStrokeType(std::max(1.0f, size * 0.12f)));
    g.fillRoundedRectangle(body, size * 0.08f);
    return box.getWidth();
}

DensityStrip::DensityStrip()
    : startSlider(ValueKind::DelayTime), endSlider(ValueKind::DelayTime), lockButton({}, TdButton::yellow),
      fourXButton("4X", TdButton::yellow)
{
    setUpSpacingSlider(startSlider, kDefaultStartMs);
    setUpSpacingSlider(endSlider, kDefaultEndMs);
    lastStart = startSlider.getValue();
    lastEnd = endSlider.getValue();
    startSlider.onValueChange = [this] { propagate(startSlider, endSlider, lastStart, lastEnd); };
    endSlider.onValueChange = [this] { propagate(endSlider, startSlider, lastEnd, lastStart); };

    lockButton.iconPainter = drawPadlock;
    lockButton.iconOnly = true;
    fourXButton.fontSize = 10.0f;
    for (auto* button : {&lockButton, &fourXButton})
        button->setClickingTogglesState(true);

    setUpReadout(startReadout, juce::Justification::centredLeft);
    setUpReadout(endReadout, juce::Justification::centredRight);

    for (juce::Component* child : std::initializer_list<juce::Component*>{
             &startSlider, &endSlider, &lockButton, &fourXButton, &startReadout, &endReadout})
        addAndMakeVisible(child);
}

void DensityStrip::propagate(TdSlider& moved, TdSlider& other, double& lastMoved, double& lastOther)
{
    if (propagating)
        return;
    double a = moved.getValue();
    if (moved.tempoSync)
        a = snapToNoteStep(a);
    if (lockButton.getToggleState() && std::abs(a - lastPropagated) > 0.5)
    {
        double next = juce::jlimit(0.0, 1000.0, a);
        if (std::abs(lastOther - lastMoved) > 0.5)
            next = juce::jlimit(0.0, 1000.0, next + (lastOther - lastMoved));
        if (other.tempoSync)
            next = snapToNoteStep(next);
        {
            const juce::ScopedValueSetter<bool> guard(propagating, true);
            other.setValue(next, juce::sendNotificationSync);
        }
        lastPropagated = a;
        lastOther = next;
    }
    lastMoved = a;
}

void DensityStrip::setReadoutTexts(const juce::String& startText, const juce::String& endText)
{
    startReadout.setText(startText, juce::dontSendNotification);
    endReadout.setText(endText, juce::dontSendNotification);
}

void DensityStrip::setVorlAmount(float amount)
{
    if (amount == vorlAmount)
        return;
    vorlAmount = amount;
    repaint();
}

void DensityStrip::paint(juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setColour(Palette::insetBg);
    g.fillRoundedRectangle(bounds, 3.0f);

    g.setColour(readoutColour);
    g.setFont(Typefaces::consolas(9.0f));
    const auto textRow = bounds.withTop(bounds.getBottom() - 12.0f).reduced(4.0f, 0.0f).toNearestInt();
    g.drawText("IN", textRow, juce::Justification::centredLeft, false);
    g.drawText("OUT", textRow, juce::Justification::centredRight, false);
}

void DensityStrip::paintOverChildren(juce::Graphics& g)
{
    g.setColour(readoutColour);
    for (auto* button : {&lockButton, &fourXButton})
        if (button->getToggleState())
            g.drawRoundedRectangle(button->getBounds().toFloat().expanded(1.0f), 3.0f, 1.5f);
}

void DensityStrip::resized()
{
    const int width = getWidth();
    const int height = getHeight();
    const int a = (width - 14) / 2;
    const int b = (height - 6) / 2;
    startSlider.setBounds(0, 0, a, height);
    endSlider.setBounds(a + 14, 0, width - a - 14, height);
    lockButton.setBounds(a, 2, 14, b);
    fourXButton.setBounds(a, b + 4, 14, b);
    startReadout.setBounds(a - 48, height - 14, 44, 12);
    endReadout.setBounds(a + 18, height - 14, 44, 12);
}
