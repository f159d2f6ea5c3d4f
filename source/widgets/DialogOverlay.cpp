#include "DialogOverlay.h"

DialogOverlay::DialogOverlay()
{
    setVisible(false);
    setInterceptsMouseClicks(true, true);
}

void DialogOverlay::show(std::unique_ptr<juce::Component> newContent)
{
    if (content != nullptr)
        removeChildComponent(content.get());
    content = std::move(newContent);
    if (content != nullptr)
        addAndMakeVisible(*content);
    setVisible(true);
    resized();
    toFront(true);
}

void DialogOverlay::close()
{
    if (content != nullptr)
        removeChildComponent(content.get());
    content.reset();
    setVisible(false);
}

void DialogOverlay::mouseDown(const juce::MouseEvent& e)
{
    const auto position = e.getEventRelativeTo(this).getPosition();
    if (content != nullptr && content->getBounds().contains(position))
        return;
    close();
}

void DialogOverlay::paint(juce::Graphics& g)
{
    g.fillAll(juce::Colours::black.withAlpha(0.78f));
}

void DialogOverlay::resized()
{
    if (content == nullptr)
        return;
    const int w = content->getWidth() < 1 ? kFallbackWidth : content->getWidth();
    const int h = content->getHeight() < 1 ? kFallbackHeight : content->getHeight();
    content->setBounds((getWidth() - w) / 2, (getHeight() - h) / 2, w, h);
}
