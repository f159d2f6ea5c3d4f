#pragma once

#include "VorlField.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The vorl control under the tap visualizer: an animated field whose well sits where the Vorl
// amount puts it. Dragging sets Vorl from the pointer's x (mirrored while Reverse is on), as
// one host gesture per drag; a double-click returns it to 0. It animates only while showing.
class TarnelControl : public juce::Component, private juce::Timer
{
public:
    static constexpr int kAnimationHz = 20;

    explicit TarnelControl(juce::AudioProcessorValueTreeState& tree);
    ~TarnelControl() override;

    std::function<void(const juce::String&)> onDragStart;
    std::function<void(const juce::String&)> onDragEnd;

    // Starts the 20 Hz animation; it pauses by itself while the control is not showing.
    void startAnimation();
    bool isAnimating() const noexcept { return isTimerRunning(); }

    // One animation tick (what the timer does); public for pictures and tests.
    void timerCallback() override;

    // Vorl for a pointer at x: the left edge is -100 and the right +100, swapped by Reverse.
    float vorlForX(float x) const noexcept;

    float getActivity() const noexcept { return activity; }
    float getHoverGlow() const noexcept { return hoverGlow; }
    bool isHovered() const noexcept { return hovered; }
    double getClockMs() const noexcept { return clockMs; }

    void paint(juce::Graphics& g) override;
    void mouseEnter(const juce::MouseEvent& e) override;
    void mouseExit(const juce::MouseEvent& e) override;
    void mouseDown(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent& e) override;
    void mouseUp(const juce::MouseEvent& e) override;
    void mouseDoubleClick(const juce::MouseEvent& e) override;
    void visibilityChanged() override;
    void parentHierarchyChanged() override;

    // The value text: "+n%", "-n%" or "0%".
    static juce::String valueText(float vorl);

private:
    float vorlAmount() const noexcept; // -1..1
    bool reversed() const noexcept;
    void setFromX(float x);
    void updateTimer();
    const juce::Image& gridFor(float v, float scale);
    void paintWell(juce::Graphics& g, juce::Point<float> well, float v) const;
    void paintTexts(juce::Graphics& g, float vorl) const;

    juce::AudioProcessorValueTreeState& tree;
    juce::RangedAudioParameter* vorlParameter = nullptr;
    bool hovered = false;
    float hoverGlow = 0.0f;
    float activity = 0.0f;
    double clockMs = 0.0;
    bool animationWanted = false;
    bool gestureOpen = false;
    VorlField field;

    juce::Image frame;
    juce::Image gridImage;
    float gridV = 2.0f;
    float gridScale = 0.0f;
    juce::Rectangle<int> gridSize;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TarnelControl)
};
