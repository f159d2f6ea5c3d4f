#include "PitchBody.h"

#include "BodyLabels.h"
#include "ParameterGesture.h"

#include <cmath>

PitchBody::PitchBody(juce::AudioProcessorValueTreeState& treeIn)
    : tree(treeIn), rate(*this, treeIn, {"RATE", "pitchRt", 11, 0, 1000, 1, 0}),
      depth(*this, treeIn, {"DEPTH", "pitchDp", 3, 0, 100, 1, 0}),
      pitch(*this, treeIn, {"PITCH", "pitchCt", 10, -50, 50, 0.1, 0}),
      regen(*this, treeIn, {"REGEN", "pitchFbk", 3, 0, 100, 1, 0}),
      mix(*this, treeIn, {"MIX", "pitchMix", 3, 0, 100, 1, 100})
{
    BodyLabels::styleName(shapeLabel, "SHAPE");
    addAndMakeVisible(shapeLabel);
    addAndMakeVisible(picker);

    for (auto* row : {&rate, &depth, &pitch, &regen, &mix})
        forwardDrags(row->slider, onSliderDragStart, onSliderDragEnd);
    picker.onChange = [this](int shape) { shapePicked(shape); };
    refresh();
    startTimerHz(10);
}

PitchBody::~PitchBody()
{
    stopTimer();
}

void PitchBody::shapePicked(int shape)
{
    shownShape = shape;
    ParameterGesture::setAsOneGesture(tree, "pitchSh", static_cast<float>(shape));
    // Only the smooth random shape draws on a seed of its own.
    if (onRandomShape && shape == 6)
        onRandomShape();
}

void PitchBody::refresh()
{
    const bool doubledNow = ParameterGesture::isOn(tree, "pitch2x");
    if (doubledNow != doubled)
    {
        doubled = doubledNow;
        for (auto* row : {&rate, &depth, &pitch})
        {
            const float scale = doubled ? 2.0f : 1.0f;
            if (row->slider.displayScale != scale)
            {
                row->slider.displayScale = scale;
                row->slider.repaint();
            }
        }
    }
    for (auto* row : {&rate, &depth, &pitch, &regen, &mix})
        row->refreshValue();

    const float shapeValue = ParameterGesture::plainValue(tree, "pitchSh");
    const int shape = std::isfinite(shapeValue) ? static_cast<int>(shapeValue) : 0;
    if (shape != shownShape)
    {
        shownShape = shape;
        picker.setSelected(shape);
    }
}

void PitchBody::setSliderColour(juce::Colour colour)
{
    for (auto* row : {&rate, &depth, &pitch, &regen, &mix})
        row->setColour(colour);
    picker.accent = TdButton::blue;
    picker.applyAccent();
}

void PitchBody::resized()
{
    const int w = getWidth();
    const int b = (w - 4) / 2;
    const bool narrow = b < kNarrowHalfWidth;
    const int leftSliderWidth = narrow ? 110 : b - 100;
    const int leftValueX = narrow ? 166 : b - 44;
    const int rightX = narrow ? 224 : b + 14;
    const int rightSliderX = narrow ? 280 : b + 70;
    const int rightSliderWidth = w - 44 - rightSliderX;
    const int rightValueX = w - BodySliderRow::kValueWidth;
    constexpr int leftValueWidth = 54;
    const int rowPitch = BodySliderRow::kRowPitch;

    rate.place(0, 0, leftSliderWidth, leftValueX, leftValueWidth);
    depth.place(rightX, 0, rightSliderWidth, rightValueX);
    pitch.place(0, rowPitch, leftSliderWidth, leftValueX, leftValueWidth);
    regen.place(rightX, rowPitch, rightSliderWidth, rightValueX);
    shapeLabel.setBounds(0, 2 * rowPitch, BodySliderRow::kNameWidth, BodySliderRow::kRowHeight);
    picker.setBounds(BodySliderRow::kNameWidth, 2 * rowPitch, narrow ? 164 : b - 46,
                     BodySliderRow::kRowHeight);
    mix.place(rightX, 2 * rowPitch, rightSliderWidth, rightValueX);
}
