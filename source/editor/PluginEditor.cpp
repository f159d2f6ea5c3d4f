#include "PluginEditor.h"

#include "processor/PluginProcessor.h"

TarnelDelayAudioProcessorEditor::TarnelDelayAudioProcessorEditor(TarnelDelayAudioProcessor& processor)
    : juce::AudioProcessorEditor(processor)
{
    setSize(kWidth, kHeight);
}

void TarnelDelayAudioProcessorEditor::paint(juce::Graphics& g)
{
    g.fillAll(juce::Colour(0xff1b1d22));
    g.setColour(juce::Colours::white.withAlpha(0.85f));
    g.setFont(20.0f);
    g.drawFittedText("Vorl Delay", getLocalBounds().removeFromTop(60), juce::Justification::centred, 1);
}
