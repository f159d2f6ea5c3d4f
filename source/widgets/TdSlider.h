#pragma once

#include "SliderValueText.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The last host tempo known to the editor, in beats per minute; 0 or less means unknown.
// Refreshed by the editor's periodic update; read by the value texts and tempo snapping.
extern float uiHostTempo;

// Moves a 0..1000 value to the nearest of the 13 note steps.
double snapToNoteStep(double value);

// The editor's slider: value-kind texts and parser, fine drag (Ctrl), a magnetic detent,
// tempo-synced snapping, a reversible direction and drag/hover callbacks.
class TdSlider : public juce::Slider
{
public:
    explicit TdSlider(int kind);
    explicit TdSlider(ValueKind kind) : TdSlider(static_cast<int>(kind)) {}

    std::function<void(const juce::String&)> onDragStart;
    std::function<void(const juce::String&)> onDragEnd;
    std::function<void(const juce::String&)> onHoverStart;
    std::function<void(const juce::String&)> onHoverEnd;

    double detentValue = 0.0;
    double detentRange = 0.0; // half-width of the detent; 0 disables it
    bool inverted = false;
    bool tempoSync = false;
    bool tempoKnown = false;
    float displayScale = 1.0f;
    int valueKind = 0;
    double resetValue = 0.0;
    juce::String paramId;
    bool beatPhaseSnap = false;
    int repaintMargin = 0;

    bool fineDragActive = false;
    double fineDragStartValue = 0.0;
    float fineDragStartX = 0.0f;

    void mouseDown(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent& e) override;
    void mouseUp(const juce::MouseEvent& e) override;
    void mouseEnter(const juce::MouseEvent& e) override;
    void mouseExit(const juce::MouseEvent& e) override;
    void mouseDoubleClick(const juce::MouseEvent& e) override;
    void mouseWheelMove(const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;

    juce::String getTextFromValue(double value) override;
    double getValueFromText(const juce::String& text) override;

    double proportionOfLengthToValue(double proportion) override;
    double valueToProportionOfLength(double value) override;

    ValueTextFormat textFormat() const;

protected:
    // Opens the typed-value call-out; separate so that it can be observed without a screen.
    virtual void openValueEntry();

private:
    void applyDetent();
    void applyTempoSnapping();
    void repaintWithMargin();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TdSlider)
};
