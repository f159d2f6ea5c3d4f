#include "ModulatorBody.h"

#include "BodyLabels.h"
#include "ParameterGesture.h"

#include <cmath>

namespace
{
bool isRandomShape(int shape)
{
    return shape == 5 || shape == 6;
}

int shapeOf(float value)
{
    return std::isfinite(value) ? static_cast<int>(value) : 0;
}
} // namespace

ModulatorBody::ModulatorBody(juce::AudioProcessorValueTreeState& treeIn, const Setup& setup)
    : tree(treeIn), shapeId(setup.shapeId), rightValuesAtEdge(setup.rightValuesAtEdge),
      rate(*this, treeIn, setup.rate), depth(*this, treeIn, setup.depth), phase(*this, treeIn, setup.phase),
      offset(*this, treeIn, setup.offset)
{
    phase.slider.beatPhaseSnap = true;
    BodyLabels::styleName(shapeLabel, "SHAPE");
    addAndMakeVisible(shapeLabel);

    picker.accent = setup.pickerAccent;
    picker.applyAccent();
    addAndMakeVisible(picker);

    latestShape = shapeOf(ParameterGesture::plainValue(tree, shapeId));
    showShape(latestShape);
    picker.onChange = [this](int shape) { shapePicked(shape); };

    tree.addParameterListener(shapeId, this);
    startTimerHz(10);
}

ModulatorBody::~ModulatorBody()
{
    stopTimer();
    tree.removeParameterListener(shapeId, this);
}

void ModulatorBody::shapePicked(int shape)
{
    shownShape = shape;
    ParameterGesture::setAsOneGesture(tree, shapeId, static_cast<float>(shape));
    if (onRandomShape && isRandomShape(shape))
        onRandomShape();
}

void ModulatorBody::parameterChanged(const juce::String&, float newValue)
{
    latestShape = shapeOf(newValue);
    // Off the message thread (host automation) the timer shows it on its next tick.
    if (juce::MessageManager::existsAndIsCurrentThread())
        showShape(latestShape);
}

void ModulatorBody::showShape(int shape)
{
    if (shape == shownShape)
        return;
    shownShape = shape;
    picker.setSelected(shape);
}

void ModulatorBody::refresh()
{
    for (auto* row : {&rate, &depth, &phase, &offset})
        row->refreshValue();
    showShape(latestShape);
}

void ModulatorBody::setSliderColour(juce::Colour colour)
{
    for (auto* row : {&rate, &depth, &phase, &offset})
        row->setColour(colour);
}

void ModulatorBody::resized()
{
    const int w = getWidth();
    const int b = (w - 4) / 2;
    const int c = b - 100;
    const int rightValueX = rightValuesAtEdge ? w - BodySliderRow::kValueWidth : 2 * b - 40;
    const int pitch = BodySliderRow::kRowPitch;

    rate.place(0, 0, c, b - 44);
    depth.place(b + 4, 0, c, rightValueX);
    shapeLabel.setBounds(0, pitch, BodySliderRow::kNameWidth, BodySliderRow::kRowHeight);
    picker.setBounds(BodySliderRow::kNameWidth, pitch, 224, BodySliderRow::kRowHeight);
    phase.place(0, 2 * pitch, c, b - 44);
    offset.place(b + 4, 2 * pitch, c, rightValueX);
}

TremoloBody::TremoloBody(juce::AudioProcessorValueTreeState& tree)
    : ModulatorBody(tree, {{"RATE", "tremR", 8, 0, 1000, 1, 753},
                           {"DEPTH", "tremD", 3, 0, 100, 1, 80},
                           "tremSh",
                           TdButton::green,
                           {"PHASE", "tremPh", 5, -180, 180, 1, 0},
                           {"OFFSET", "tremOff", 5, -180, 180, 1, 0},
                           false})
{
}

WaveBody::WaveBody(juce::AudioProcessorValueTreeState& tree)
    : ModulatorBody(tree, {{"RATE", "lrs", 8, 0, 1000, 1, 523},
                           {"DENSITY", "lfoDp", 3, 0, 100, 1, 70},
                           "lsh",
                           TdButton::purple,
                           {"PHASE", "woPh", 5, -180, 180, 1, 0},
                           {"OFFSET", "woOff", 5, -180, 180, 1, 0},
                           true})
{
}
