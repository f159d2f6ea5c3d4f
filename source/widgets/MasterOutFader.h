#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <memory>

// The narrow master output fader on the visualizer's right edge: a plain vertical slider bound to
// "mout" over a peak meter of the output, linear in dB from -60 (bottom) to +6 (top), green to
// -12 dB, amber to -3 dB, red above.
class MasterOutFader : public juce::Component, private juce::Timer
{
public:
    static constexpr int kTimerHz = 20;
    static constexpr float kFallPerTick = 0.85f;
    static constexpr float kSilence = 0.0001f;

    MasterOutFader(juce::AudioProcessorValueTreeState& tree, std::function<float()> levelGetter);
    ~MasterOutFader() override;

    std::function<void(const juce::String&)> onDragStart, onDragEnd, onHoverStart, onHoverEnd;

    void resized() override;
    void paint(juce::Graphics& g) override;
    void mouseDown(const juce::MouseEvent&) override;
    void mouseUp(const juce::MouseEvent&) override;
    void mouseEnter(const juce::MouseEvent&) override;
    void mouseExit(const juce::MouseEvent&) override;

    // One meter tick (what the timer does every 50 ms); public for tests.
    void updateMeter();
    float getMeterLevel() const noexcept { return meterLevel; }
    juce::Slider& getSlider() noexcept { return slider; }

    // The meter's position for a linear level: 0 at -60 dB and below, 1 at +6 dB.
    static float meterProportion(float level) noexcept;

private:
    void timerCallback() override { updateMeter(); }
    static void report(const std::function<void(const juce::String&)>& callback);

    juce::Slider slider{juce::Slider::LinearVertical, juce::Slider::NoTextBox};
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;
    std::function<float()> levelSource;
    float meterLevel = 0.0f;
    juce::RangedAudioParameter* parameter = nullptr;
};
