#pragma once

#include "AccordionLayout.h"
#include "DelayEngine.h"
#include "EngineParameters.h"
#include "LfoSeeds.h"
#include "RandomMatrix.h"
#include "StateHistory.h"
#include "SteppedValueReporter.h"
#include "TapRecord.h"
#include "presets/Patch.h"
#include "presets/PresetLibrary.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

class TarnelDelayAudioProcessor : public juce::AudioProcessor,
                                  public juce::AudioProcessorValueTreeState::Listener
{
public:
    TarnelDelayAudioProcessor();
    ~TarnelDelayAudioProcessor() override;

    const juce::String getName() const override { return "Vorl Delay"; }
    void prepareToPlay(double sampleRate, int samplesPerBlock) override;
    void releaseResources() override {}
    void processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using juce::AudioProcessor::processBlock;

    // The delay line holds 15 seconds.
    double getTailLengthSeconds() const override { return 15.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override { return true; }

    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram(int) override {}
    const juce::String getProgramName(int) override { return {}; }
    void changeProgramName(int, const juce::String&) override {}

    void getStateInformation(juce::MemoryBlock& destination) override;
    void setStateInformation(const void* data, int sizeInBytes) override;

    void parameterChanged(const juce::String& parameterId, float newValue) override;

    // Preset and history operations (message thread).
    void applyPatch(const presets::Patch& patch);
    juce::var captureParams() const;

    void pushHistory();
    void stepHistoryBack();
    void stepHistoryForward();
    bool canStepHistoryBack() const noexcept { return history.canStepBack(); }
    bool canStepHistoryForward() const noexcept { return history.canStepForward(); }
    const vorl::StateHistory& getHistory() const noexcept { return history; }

    void reseedAllLfos();
    void reseedTremoloLfo();
    void reseedWaveLfo();
    void reseedPitchLfo();
    void writeSeedState();
    void readSeedState();

    // Asks the audio thread to return the engine to silence at the start of its next
    // block, so the reset never overlaps a running block.
    void resetEngine() noexcept { engineResetRequested.store(true); }

    // The tap layout the engine published last (editor thread; never waits for audio).
    vorl::TapLayoutResult getTapSnapshot() noexcept { return engine.readPublishedLayout(); }
    // The last tempo the host reported, 120 until it reports one.
    float getHostTempo() const noexcept { return engine.getHostTempo(); }

    juce::AudioProcessorValueTreeState apvts;
    vorl::RandomMatrix randomMatrix;
    vorl::AccordionLayout accordionLayout;
    vorl::LfoSeeds seeds;

    std::atomic<int> tapCount{64};
    std::atomic<uint32_t> stateVersion{0};
    float outputPeak = 0.0f; // largest output sample of the last block; torn reads are harmless

    juce::String currentPresetName{"INIT"};
    juce::String currentPresetBank;

    // Lives here so it survives the editor.
    presets::PresetLibrary presetLibrary;

private:
    void restoreSnapshot(const juce::ValueTree& snapshot);
    void keepValuesOfParametersMissingFrom(juce::ValueTree& restored) const;
    void finishWholeStateChange();
    void bindEngineParameters();
    void readEngineParameters() noexcept;
    vorl::HostPosition readHostPosition() noexcept;
    void reportParameterValuesToHost();

    vorl::StateHistory history;
    // Declared after the parameter tree, so it stops before the parameters go.
    vorl::SteppedValueReporter steppedValueReporter{getParameters()};

    vorl::DelayEngine engine;
    std::atomic<bool> engineResetRequested{false};

    // Raw parameter values copied into the engine's per-block snapshot.
    struct EngineBinding
    {
        std::atomic<float>* source;
        float* field;
    };
    vorl::EngineParameterValues engineParams;
    std::vector<EngineBinding> engineBindings;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TarnelDelayAudioProcessor)
};
