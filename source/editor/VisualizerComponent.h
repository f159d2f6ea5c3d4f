#pragma once

#include "DensityStrip.h"
#include "DisplayState.h"
#include "TapRecord.h"
#include "VisualizerCurves.h"
#include "widgets/AxisSliderLookAndFeel.h"
#include "widgets/MotionHuds.h"
#include "widgets/PlotHuds.h"
#include "widgets/ReadoutHuds.h"
#include "widgets/TapeHuds.h"
#include "widgets/TdButton.h"
#include "widgets/TdSlider.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>

// The tap display: every tap of the layout the engine published, as a bar on a time axis, with
// the decay, falloff and tape-wear curves and the predelay ("START") mark, each shaped by
// dragging its handle. Owns the heads-up overlays, the Length axis slider and the start/end strip.
class VisualizerComponent : public juce::Component
{
public:
    enum class Handle
    {
        none,
        decay,
        wear,
        falloff,
        predelay,
        steps,
    };

    VisualizerComponent();
    ~VisualizerComponent() override;

    // Binds the handles' hidden sliders, the Length slider and the decay-mode button to the tree.
    void attachDecay(juce::AudioProcessorValueTreeState& tree);
    void setPredelayParameter(juce::RangedAudioParameter* parameter) { predelay = parameter; }

    // Repaints only when the taps differ from the ones shown.
    void setLayout(const vorl::TapLayoutResult& newLayout);
    void setTotalLength(float ms);
    void setDisplayState(const DisplayState& newState);
    void setStartEndTexts(const juce::String& startText, const juce::String& endText);
    // The vorl overlay has no mode of its own; the editor shows it while Vorl is being dragged.
    void setVorlOverlayWanted(bool wanted);

    std::function<void(const juce::String&)> onDragStart;
    std::function<void(const juce::String&)> onDragEnd;
    std::function<void(const juce::String&)> onHoverStart;
    std::function<void(const juce::String&)> onHoverEnd;

    const vorl::TapLayoutResult& getLayout() const noexcept { return layout; }
    float getTotalLength() const noexcept { return totalMs; }
    const DisplayState& getDisplayState() const noexcept { return state; }
    Handle getHoveredHandle() const noexcept { return hovered; }
    Handle getDraggedHandle() const noexcept { return dragged; }
    PlotGeometry plot() const noexcept;
    VisualizerCurves curves() const noexcept;
    // The overlay belonging to a heads-up mode, or null when the mode shows none.
    HudOverlay* overlayForMode(int hudMode) noexcept;

    TdSlider decaySlider{ValueKind::Bipolar};
    TdSlider wearSlider{ValueKind::Percent};
    TdSlider falloffSlider{ValueKind::Percent};
    TdSlider lengthSlider{ValueKind::TimeWide};
    TdButton decayModeButton{"Smooth", TdButton::blue};
    juce::Label stepsLabel;
    juce::Label lengthLabel;
    DensityStrip strip;

    EqHud eqHud;
    DecayHud decayHud;
    WearHud wearHud;
    TapeChainHud tapeChainHud;
    TapeMixHud tapeMixHud;
    BumpHud bumpHud;
    FlutterHud flutterHud;
    WidthHud widthHud;
    TarnelSingularityHud vorlHud;
    std::array<FaderReadoutHud, 4> readoutHuds; // MIX, MASTER, START, FALLOFF
    PitchHud pitchHud;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void mouseMove(const juce::MouseEvent& e) override;
    void mouseExit(const juce::MouseEvent& e) override;
    void mouseDown(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent& e) override;
    void mouseUp(const juce::MouseEvent& e) override;
    void mouseDoubleClick(const juce::MouseEvent& e) override;

    // The length label's text: whole milliseconds below a second, else seconds with two decimals.
    static juce::String lengthText(float ms, const juce::String& msUnit, const juce::String& secondsUnit);
    // What a typed predelay means in milliseconds ("250", "250 ms", "1.5 s").
    static float parsePredelayText(const juce::String& text);

private:
    std::array<HudOverlay*, 14> allOverlays();
    void selectOverlay();
    void fillReadout(int hudMode);
    void updateHandleHeights();

    Handle handleAt(juce::Point<float> position) const;
    void setHovered(Handle handle);
    float parameterValue(const char* id, float fallback) const;
    juce::RangedAudioParameter* parameter(const char* id) const;
    void beginGesture(juce::RangedAudioParameter* p);
    void endGesture(juce::RangedAudioParameter*& p);
    static void setParameter(juce::RangedAudioParameter* p, float value);
    void setParameterAsGesture(const char* id, float value);
    void openPredelayEntry();
    void startSliderDrag(TdSlider& slider);
    void endSliderDrags();
    float falloffFromX(float x) const;
    void setCursorFor(Handle handle);

    vorl::TapLayoutResult layout;
    float totalMs = 2400.0f;
    DisplayState state;
    bool vorlOverlayWanted = false;

    juce::AudioProcessorValueTreeState* tree = nullptr;
    juce::RangedAudioParameter* predelay = nullptr;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment>> attachments;
    AxisSliderLookAndFeel axisLookAndFeel;

    Handle hovered = Handle::none;
    Handle dragged = Handle::none;
    bool predelayHovered = false;
    float dragStartX = 0.0f, dragStartY = 0.0f;
    float dragStartValue = 0.0f;
    float grabOffset = 0.0f;
    bool fineDrag = false;
    float fineStartX = 0.0f, fineStartValue = 0.0f;
    float lastDragX = 0.0f;
    juce::RangedAudioParameter* gestureParameter = nullptr;
    std::optional<juce::Slider::ScopedDragNotification> decayDrag, wearDrag, falloffDrag;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(VisualizerComponent)
};
