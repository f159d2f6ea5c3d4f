#pragma once

#include "BodySliderRow.h"
#include "ShapePicker.h"

#include <atomic>
#include <functional>

// The body shared by the tremolo and wave sections: rate and depth, a shape picker, phase and
// offset. The picker follows the shape parameter, whichever thread changes it.
class ModulatorBody : public juce::Component,
                      private juce::Timer,
                      private juce::AudioProcessorValueTreeState::Listener
{
public:
    struct Setup
    {
        BodySliderRow::Setup rate, depth;
        const char* shapeId;
        int pickerAccent;
        BodySliderRow::Setup phase, offset;
        // The right-hand read-outs sit at the body's right edge (x = width - 44) instead of
        // right of their slider.
        bool rightValuesAtEdge;
    };

    ModulatorBody(juce::AudioProcessorValueTreeState& tree, const Setup& setup);
    ~ModulatorBody() override;

    // Called after the user picks one of the random shapes (5 or 6), which take a new seed.
    std::function<void()> onRandomShape;

    void setSliderColour(juce::Colour colour);
    void resized() override;

    // One tick of the read-out refresh (what the 10 Hz timer does).
    void refresh();

    ShapePickerComponent& getPicker() noexcept { return picker; }
    BodySliderRow& getRate() noexcept { return rate; }
    BodySliderRow& getDepth() noexcept { return depth; }
    BodySliderRow& getPhase() noexcept { return phase; }
    BodySliderRow& getOffset() noexcept { return offset; }

private:
    void timerCallback() override { refresh(); }
    void parameterChanged(const juce::String& parameterId, float newValue) override;
    void showShape(int shape);
    void shapePicked(int shape);

    juce::AudioProcessorValueTreeState& tree;
    const juce::String shapeId;
    const bool rightValuesAtEdge;

    BodySliderRow rate, depth;
    juce::Label shapeLabel;
    ShapePickerComponent picker{{0, 1, 2, 3, 4, 5, 6}};
    BodySliderRow phase, offset;

    int shownShape = -1;
    // Written by the parameter listener on any thread, shown by the message thread.
    std::atomic<int> latestShape{0};
};

// The tremolo section's body.
class TremoloBody : public ModulatorBody
{
public:
    explicit TremoloBody(juce::AudioProcessorValueTreeState& tree);
};

// The wave modulator section's body.
class WaveBody : public ModulatorBody
{
public:
    explicit WaveBody(juce::AudioProcessorValueTreeState& tree);
};
