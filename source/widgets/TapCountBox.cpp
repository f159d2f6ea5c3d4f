#include "TapCountBox.h"

#include "Palette.h"
#include "Typefaces.h"
#include "ValueEntryBox.h"

void TapCountBox::mouseDown(const juce::MouseEvent& e)
{
    if (onDragStart)
        onDragStart();
    dragStartCount = count;
    dragged = false;
    e.source.enableUnboundedMouseMovement(true);
}

void TapCountBox::mouseDrag(const juce::MouseEvent& e)
{
    const int dy = juce::roundToInt(e.position.y - e.mouseDownPosition.y);
    if (std::abs(dy) > 2)
        dragged = true;
    // One step per 4 pixels; upwards increases.
    setCount(dragStartCount + dy / -4);
}

void TapCountBox::mouseUp(const juce::MouseEvent& e)
{
    e.source.enableUnboundedMouseMovement(false);
    if (onDragEnd)
        onDragEnd();
    if (dragged)
        return;
    openValueEntry();
}

void TapCountBox::openValueEntry()
{
    juce::Component::SafePointer<TapCountBox> safeThis(this);
    auto entry = std::make_unique<ValueEntryBox>(juce::String(count),
                                                 [safeThis](const juce::String& text)
                                                 {
                                                     if (auto* box = safeThis.getComponent())
                                                         box->commitText(text);
                                                 });
    auto* entryBox = entry.get();
    auto& callOut = juce::CallOutBox::launchAsynchronously(std::move(entry), getScreenBounds(), nullptr);
    callOut.setLookAndFeel(&getLookAndFeel());
    entryBox->focusAndSelectAll();
}

void TapCountBox::commitText(const juce::String& text)
{
    setCount(text.trim().getIntValue());
}

void TapCountBox::setCount(int newCount)
{
    newCount = juce::jlimit(minCount, maxCount, newCount);
    if (newCount == count)
        return;
    count = newCount;
    repaint();
    if (onChange)
        onChange(count);
}

void TapCountBox::paint(juce::Graphics& g)
{
    g.setColour(Palette::groove);
    g.fillRoundedRectangle(getLocalBounds().toFloat(), 3.0f);
    g.setColour(Palette::textBright);
    g.setFont(Typefaces::consolas(11.0f));
    g.drawText("[ " + juce::String(count) + " ] taps", getLocalBounds(), juce::Justification::centred, false);
}
