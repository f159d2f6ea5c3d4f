#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// One horizontal track with a high-pass and a low-pass handle on a two-part logarithmic
// frequency scale (20..1600 Hz on the left half, 1600..22000 Hz on the right). Holds the two
// parameter values in their own 0..1000 units and reports every mouse change.
class FilterSlider : public juce::Component
{
public:
    static constexpr float kDefaultHp = 434.59f; // 200 Hz
    static constexpr float kDefaultLp = 656.65f; // 6 kHz

    std::function<void(const juce::String&)> onDragStart;
    std::function<void(const juce::String&)> onDragEnd;
    std::function<void(float hp, float lp)> onChange;
    juce::String paramIdHp;
    juce::String paramIdLp;

    float hpValue = kDefaultHp;
    float lpValue = kDefaultLp;
    bool draggingHp = false;
    bool dragging = false;
    bool hoverHp = false;
    bool hoverLp = false;
    bool fineDragActive = false;
    float fineDragStartValue = 0.0f;
    float fineDragStartX = 0.0f;

    // Value <-> frequency of the two handles, clamped to 20..22000 Hz.
    static float hpValueToHz(float value);
    static float lpValueToHz(float value);
    static float hzToHpValue(float hz);
    static float hzToLpValue(float hz);

    // Track geometry for the current bounds.
    float frequencyToX(float hz) const;
    float xToFrequency(float x) const;
    float hpX() const { return frequencyToX(hpValueToHz(hpValue)); }
    float lpX() const { return frequencyToX(lpValueToHz(lpValue)); }

    static juce::String frequencyText(float hz);

    void mouseMove(const juce::MouseEvent& e) override;
    void mouseExit(const juce::MouseEvent& e) override;
    void mouseDown(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent& e) override;
    void mouseUp(const juce::MouseEvent& e) override;
    void mouseDoubleClick(const juce::MouseEvent& e) override;
    void paint(juce::Graphics& g) override;

private:
    float trackStart() const { return 4.0f; }
    // Never below 1, so a collapsed component cannot divide by zero.
    float trackLength() const { return static_cast<float>(juce::jmax(getWidth() - 8, 1)); }
    void drawHandle(juce::Graphics& g, float x, float cy, bool active) const;
    void notifyChange();
};
