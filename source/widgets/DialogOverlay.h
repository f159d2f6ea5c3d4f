#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// Covers the whole editor, darkens it and hosts one dialog centred on it. A click on the
// darkened area closes the dialog.
class DialogOverlay : public juce::Component
{
public:
    DialogOverlay();

    // Replaces any current content with this one and shows the overlay.
    void show(std::unique_ptr<juce::Component> newContent);
    // Hides the overlay and destroys its content.
    void close();

    juce::Component* getContent() const noexcept { return content.get(); }

    void mouseDown(const juce::MouseEvent& e) override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    static constexpr int kFallbackWidth = 288;
    static constexpr int kFallbackHeight = 200;

private:
    std::unique_ptr<juce::Component> content;
};
