#pragma once

#include "BodySliderRow.h"
#include "ShapePicker.h"

#include <functional>

// The pitch/chorus section's body: vibrato rate and depth, pitch shift, regeneration, mix and
// the vibrato shape. With "Pitch 2x" on, rate, depth and pitch read doubled.
class PitchBody : public juce::Component, private juce::Timer
{
public:
    explicit PitchBody(juce::AudioProcessorValueTreeState& tree);
    ~PitchBody() override;

    std::function<void(const juce::String&)> onSliderDragStart;
    std::function<void(const juce::String&)> onSliderDragEnd;
    // Called after the user picks the smooth random shape, which takes a new seed.
    std::function<void()> onRandomShape;

    void setSliderColour(juce::Colour colour);
    void resized() override;

    // One tick of the read-out refresh (what the 10 Hz timer does).
    void refresh();

    // Below this half-width the columns keep fixed positions.
    static constexpr int kNarrowHalfWidth = 211;

    ShapePickerComponent& getPicker() noexcept { return picker; }
    BodySliderRow& getRate() noexcept { return rate; }
    BodySliderRow& getDepth() noexcept { return depth; }
    BodySliderRow& getPitch() noexcept { return pitch; }
    BodySliderRow& getRegen() noexcept { return regen; }
    BodySliderRow& getMix() noexcept { return mix; }

private:
    void timerCallback() override { refresh(); }
    void shapePicked(int shape);

    juce::AudioProcessorValueTreeState& tree;
    BodySliderRow rate, depth, pitch, regen, mix;
    juce::Label shapeLabel;
    ShapePickerComponent picker{{0, 1, 2, 6, 5}};

    bool doubled = false;
    int shownShape = -1;
};
