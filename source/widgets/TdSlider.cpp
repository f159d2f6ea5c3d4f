#include "TdSlider.h"

#include "ValueEntryBox.h"

#include <cmath>

float uiHostTempo = 120.0f;

double snapToNoteStep(double value)
{
    const double i = juce::jlimit(0.0, 12.0, std::round(12.0 - value / 1000.0 * 12.0));
    return (12.0 - i) / 12.0 * 1000.0;
}

TdSlider::TdSlider(int kind)
    : juce::Slider(juce::Slider::LinearHorizontal, juce::Slider::NoTextBox), valueKind(kind)
{
    setRange(0.0, 1.0, 0.001);
    setValue(0.0, juce::sendNotificationAsync);
    setMouseCursor(juce::MouseCursor::PointingHandCursor);
    setColour(juce::Slider::thumbColourId, juce::Colour(0xffccc524));
    setColour(juce::Slider::trackColourId, juce::Colour(0xffb3ad20));
}

ValueTextFormat TdSlider::textFormat() const
{
    ValueTextFormat format;
    format.kind = valueKind;
    format.displayScale = displayScale;
    format.tempoSync = tempoSync;
    format.beatPhaseSnap = beatPhaseSnap;
    format.hostTempo = uiHostTempo;
    return format;
}

void TdSlider::mouseDown(const juce::MouseEvent& e)
{
    if (e.mods.isCtrlDown() || e.mods.isRightButtonDown())
    {
        openValueEntry();
        return;
    }
    if (onDragStart)
        onDragStart(paramId);
    juce::Slider::mouseDown(e);
}

void TdSlider::openValueEntry()
{
    juce::Component::SafePointer<TdSlider> safeThis(this);
    auto entry = std::make_unique<ValueEntryBox>(getTextFromValue(getValue()),
                                                 [safeThis](const juce::String& text)
                                                 {
                                                     if (auto* slider = safeThis.getComponent())
                                                     {
                                                         // A typed value reaches the host as one gesture.
                                                         const ScopedDragNotification gesture(*slider);
                                                         slider->setValue(slider->getValueFromText(text),
                                                                          juce::sendNotificationSync);
                                                     }
                                                 });
    auto* entryBox = entry.get();
    auto& callOut = juce::CallOutBox::launchAsynchronously(std::move(entry), getScreenBounds(), nullptr);
    callOut.setLookAndFeel(&getLookAndFeel());
    entryBox->focusAndSelectAll();
}

void TdSlider::mouseDrag(const juce::MouseEvent& e)
{
    if (e.mods.isCtrlDown())
    {
        // Fine drag: a full-width movement changes the value by one eighth of the range.
        if (!fineDragActive)
        {
            fineDragActive = true;
            fineDragStartValue = getValue();
            fineDragStartX = e.position.x;
        }
        const double span = getMaximum() - getMinimum();
        const double width = static_cast<double>(juce::jmax(getWidth(), 1));
        const double value =
            fineDragStartValue + static_cast<double>(e.position.x - fineDragStartX) / width * span * 0.125;
        setValue(juce::jlimit(getMinimum(), getMaximum(), value), juce::sendNotificationSync);
    }
    else
    {
        fineDragActive = false;
        juce::Slider::mouseDrag(e);
        applyDetent();
        applyTempoSnapping();
    }
    repaintWithMargin();
}

void TdSlider::applyDetent()
{
    if (detentRange <= 0.0)
        return;
    const double v = getValue();
    const double d = std::abs(v - detentValue);
    if (d >= detentRange)
        return;
    // Quadratic pull towards the centre that stays continuous at the zone's edge.
    const double pulled = detentValue + (v - detentValue) * d / detentRange;
    if (pulled != v)
        setValue(pulled, juce::sendNotificationSync);
}

void TdSlider::applyTempoSnapping()
{
    if (!tempoSync)
        return;
    const auto kind = static_cast<ValueKind>(valueKind);
    const bool noteKind =
        kind == ValueKind::DelayTime || kind == ValueKind::RateHz || kind == ValueKind::SlowRateHz;
    if (noteKind && uiHostTempo > 0.0f)
    {
        const double snapped = snapToNoteStep(getValue());
        if (std::abs(snapped - getValue()) > 0.5)
            setValue(snapped, juce::sendNotificationSync);
    }
    if (beatPhaseSnap)
    {
        const double snapped = std::round(getValue() / 45.0) * 45.0;
        if (std::abs(snapped - getValue()) > 0.001)
            setValue(snapped, juce::sendNotificationSync);
    }
}

void TdSlider::mouseUp(const juce::MouseEvent& e)
{
    // A fine drag ends with the gesture, so the next one starts from the value it finds.
    fineDragActive = false;
    if (onDragEnd)
        onDragEnd(paramId);
    juce::Slider::mouseUp(e);
}

void TdSlider::mouseEnter(const juce::MouseEvent& e)
{
    if (onHoverStart)
        onHoverStart(paramId);
    juce::Slider::mouseEnter(e);
    repaintWithMargin();
}

void TdSlider::mouseExit(const juce::MouseEvent& e)
{
    if (onHoverEnd)
        onHoverEnd(paramId);
    juce::Slider::mouseExit(e);
    repaintWithMargin();
}

void TdSlider::mouseDoubleClick(const juce::MouseEvent&)
{
    // The reset reaches the host as one gesture, like a drag.
    const ScopedDragNotification gesture(*this);
    setValue(resetValue, juce::sendNotificationSync);
}

void TdSlider::mouseWheelMove(const juce::MouseEvent&, const juce::MouseWheelDetails&)
{
    // The wheel never changes a slider here, and is not passed on either.
}

juce::String TdSlider::getTextFromValue(double value)
{
    return SliderValueText::toText(value, textFormat());
}

double TdSlider::getValueFromText(const juce::String& text)
{
    return SliderValueText::fromText(text, textFormat());
}

double TdSlider::proportionOfLengthToValue(double proportion)
{
    return juce::Slider::proportionOfLengthToValue(inverted ? 1.0 - proportion : proportion);
}

double TdSlider::valueToProportionOfLength(double value)
{
    const double proportion = juce::Slider::valueToProportionOfLength(value);
    return inverted ? 1.0 - proportion : proportion;
}

void TdSlider::repaintWithMargin()
{
    auto* parent = getParentComponent();
    if (repaintMargin < 1 || parent == nullptr)
        return;
    parent->repaint(getBounds().expanded(repaintMargin));
}
