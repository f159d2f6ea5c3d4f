#pragma once

#include "processor/RandomMatrix.h"
#include "widgets/CloseButton.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

// The options panel that slides in from the editor's right edge: the "Dynamic Smoothing"
// switch and the random matrix, whose list is built on the first opening and only refreshed
// after that.
class OptionsPanelComponent : public juce::Component, private juce::Timer
{
public:
    static constexpr int kWidth = 320;
    static constexpr int kSlideMs = 200;

    explicit OptionsPanelComponent(juce::AudioProcessorValueTreeState& tree);
    ~OptionsPanelComponent() override;

    std::function<void(bool)> onVisibilityChanged;
    vorl::RandomMatrix* matrix = nullptr;

    void show();
    void hide();
    bool isOpen() const noexcept { return open; }
    // Puts the panel where its current slide ends, at once (for still pictures).
    void finishSliding() { animator.cancelAllAnimations(true); }
    // Shows the matrix flags as they are now.
    void refreshRowToggles();

    void paint(juce::Graphics& g) override;
    void resized() override;
    // What the timer does once the slide out has finished; public for tests.
    void timerCallback() override;

    struct RowToggle
    {
        std::unique_ptr<juce::ToggleButton> button;
        juce::String id;
    };

    juce::Label titleLabel;
    CloseButton closeButton;
    juce::ToggleButton smoothingToggle{"Dynamic Smoothing"};
    juce::Label matrixHeading;
    juce::TextButton allOnButton, allOffButton;
    juce::Viewport matrixViewport;
    juce::Component matrixContent;
    std::vector<RowToggle> rowToggles;
    std::vector<std::unique_ptr<juce::Label>> groupCaptions;
    juce::Rectangle<int> smoothingBox, matrixBox;

private:
    void buildRandomMatrixUI();

    juce::AudioProcessorValueTreeState& tree;
    bool open = false;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> smoothingAttachment;
    juce::ComponentAnimator animator;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(OptionsPanelComponent)
};
