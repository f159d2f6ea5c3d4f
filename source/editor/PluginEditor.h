#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class TarnelDelayAudioProcessor;

// The editor window. For now a plain panel with the product name; the full editor
// replaces its contents.
class TarnelDelayAudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    explicit TarnelDelayAudioProcessorEditor(TarnelDelayAudioProcessor& processor);

    void paint(juce::Graphics& g) override;

    static constexpr int kWidth = 460;
    static constexpr int kHeight = 504;
};
