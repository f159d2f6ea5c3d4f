#pragma once

#include "widgets/TdSlider.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <memory>
#include <vector>

// The strip under the filter slider: stereo width (its label switches "No Mid") and the
// ping-pong amount. While No Mid leaves nothing of the wet signal the width read-out blinks
// "MUTED".
class MainControlsComponent : public juce::Component, private juce::Timer
{
public:
    explicit MainControlsComponent(juce::AudioProcessorValueTreeState& tree);
    ~MainControlsComponent() override;

    std::function<void(const juce::String&)> onDragStart;
    std::function<void(const juce::String&)> onDragEnd;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void mouseUp(const juce::MouseEvent& e) override;

    // One tick of the 10 Hz refresh: the width label, the "MUTED" blink and the read-outs.
    void tick();

    static constexpr int kTimerHz = 10;
    // "MUTED" changes phase every this many ticks.
    static constexpr int kBlinkTicks = 3;

    TdSlider& getWidthSlider() noexcept { return widthSlider; }
    TdSlider& getPingPongSlider() noexcept { return pingPongSlider; }
    juce::Label& getWidthLabel() noexcept { return widthLabel; }
    juce::Label& getWidthValueLabel() noexcept { return widthValueLabel; }
    juce::Label& getPingPongValueLabel() noexcept { return pingPongValueLabel; }

private:
    void timerCallback() override { tick(); }
    void refreshWidthLabel();
    bool isWetSignalMuted() const;

    juce::AudioProcessorValueTreeState& tree;
    TdSlider widthSlider{ValueKind::StereoWidth};
    TdSlider pingPongSlider{ValueKind::Percent};
    juce::Label widthLabel, pingPongLabel, widthValueLabel, pingPongValueLabel;
    // Declared after the sliders, so they are released first.
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> widthAttachment, pingPongAttachment;
    std::vector<juce::Rectangle<int>> boxes;
    bool mutedPhase = false;
    int mutedCounter = 0;
};
