#pragma once

#include "AccordionComponent.h"
#include "MainControlsComponent.h"
#include "OptionsPanelComponent.h"
#include "RefreshRules.h"
#include "TarnelControl.h"
#include "VisualizerComponent.h"
#include "presets/PresetPanelComponent.h"
#include "widgets/ButtonGrid.h"
#include "widgets/ClickCatcher.h"
#include "widgets/DialogOverlay.h"
#include "widgets/FilterSlider.h"
#include "widgets/MasterOutFader.h"
#include "widgets/ModulatorBody.h"
#include "widgets/PitchBody.h"
#include "widgets/TapCountBox.h"
#include "widgets/TapeDegradationBody.h"
#include "widgets/TdButton.h"
#include "widgets/TdLookAndFeel.h"
#include "widgets/TdSlider.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <vector>

class TarnelDelayAudioProcessor;

// The plug-in's window: a fixed-width column whose height follows the effect sections. It keeps
// no parameter listeners; a 30 Hz refresh pulls what it shows from the processor.
class TarnelDelayAudioProcessorEditor : public juce::AudioProcessorEditor,
                                        private juce::Timer,
                                        public AccordionComponent::HeightListener
{
public:
    static constexpr int kEditorWidth = 460;
    static constexpr int kMaxEditorHeight = 788;
    static constexpr int kRefreshHz = 30;

    // A label that runs an action when clicked.
    class ClickableLabel : public juce::Label
    {
    public:
        ClickableLabel() { setMouseCursor(juce::MouseCursor::PointingHandCursor); }
        void mouseUp(const juce::MouseEvent& e) override
        {
            juce::Label::mouseUp(e);
            if (onClick)
                onClick();
        }
        std::function<void()> onClick;
    };

    explicit TarnelDelayAudioProcessorEditor(TarnelDelayAudioProcessor& processor);
    ~TarnelDelayAudioProcessorEditor() override;

    void paint(juce::Graphics& g) override;
    void paintOverChildren(juce::Graphics& g) override;
    void resized() override;
    void accordionHeightChanged(AccordionComponent& section) override;

    // One refresh tick (what the 30 Hz timer does); public so tests can drive it.
    void timerCallback() override;

    void refreshHistoryButtons();
    void randomize();

    TarnelDelayAudioProcessor& processor;
    TdLookAndFeel lookAndFeel;
    ClickableLabel titleLabel;
    TdButton optionsButton{"Options", TdButton::yellow};
    PresetPanelComponent presetPanel;
    TapCountBox tapCountBox;
    VisualizerComponent visualizer;
    TarnelControl vorlControl;
    FilterSlider filterSlider;
    ButtonGrid buttonGrid;
    TdButton historyBackButton{{}, TdButton::yellow};
    TdButton historyForwardButton{{}, TdButton::yellow};
    TremoloBody* tremoloBody = nullptr;
    WaveBody* waveBody = nullptr;
    TapeDegradationBody* tapeBody = nullptr;
    PitchBody* pitchBody = nullptr;
    TdSlider mixSlider{ValueKind::Plain};
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> mixAttachment;
    std::unique_ptr<MasterOutFader> masterFader;
    ClickableLabel mixLabel;
    juce::Label outLabel;
    RefreshRules::BypassBlink bypassBlink;
    juce::Rectangle<int> mixScaleArea;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> startAttachment, endAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> lockAttachment, fourXAttachment;
    MainControlsComponent mainControls;
    std::vector<std::unique_ptr<AccordionComponent>> accordions;
    juce::Viewport accordionViewport;
    std::unique_ptr<juce::Component> accordionContent;
    int accordionTop = 0;
    int accordionContentHeight = 0;
    ClickCatcher clickCatcher;
    OptionsPanelComponent optionsPanel;
    DialogOverlay dialogOverlay;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment>> gridAttachments;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment>> powerAttachments;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment>> switchAttachments;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> tapeModeAttachment;
    bool lastTapSync = false, lastWaveSync = false, lastTremSync = false, lastPitchSync = false;
    bool syncMemoryValid = false;
    uint32_t lastStateVersion = 0;
    juce::String activeParamId, hoverParamId;
    float titleGlow = 0.0f;
    // The Start note length (ms) the predelay last followed: 0 while Tap Sync is off, below 0
    // when none is known yet (the window just opened or a state was loaded).
    float lastPredelayTarget = -1.0f;
    float flutterPhase = 0.0f, slowPhase = 0.0f;

private:
    float raw(const char* id) const;
    bool on(const char* id) const { return raw(id) > 0.5f; }
    void set(const char* id, float value);
    int fittedHeight() const;
    void buildSections();
    void wireCallbacks();

    // Refresh steps.
    void refreshMixBypass();
    void refreshTempoSync();
    void refreshSyncConversions();
    void convertTapSync(bool nowOn);
    void refreshStartEndPanel(float k);
    void refreshPredelayFollowsStart(float k);
    void refreshTitle();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TarnelDelayAudioProcessorEditor)
};
