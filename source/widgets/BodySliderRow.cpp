#include "BodySliderRow.h"

#include "BodyLabels.h"

void forwardDrags(TdSlider& slider, const ParameterCallback& onStart, const ParameterCallback& onEnd)
{
    slider.onDragStart = [&onStart](const juce::String& id)
    {
        if (onStart)
            onStart(id);
    };
    slider.onDragEnd = [&onEnd](const juce::String& id)
    {
        if (onEnd)
            onEnd(id);
    };
}

BodySliderRow::BodySliderRow(juce::Component& owner, juce::AudioProcessorValueTreeState& tree,
                             const Setup& setup)
    : slider(setup.kind)
{
    slider.setRange(setup.minimum, setup.maximum, setup.step);
    slider.resetValue = setup.reset;
    slider.paramId = setup.paramId;
    owner.addAndMakeVisible(slider);

    BodyLabels::styleName(name, setup.label);
    owner.addAndMakeVisible(name);
    BodyLabels::styleValue(value);
    owner.addAndMakeVisible(value);

    if (tree.getParameter(setup.paramId) != nullptr)
        attachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(
            tree, setup.paramId, slider);
    refreshValue();
}

void BodySliderRow::place(int x, int y, int sliderWidth, int valueX, int valueWidth)
{
    name.setBounds(x, y, kNameWidth, kRowHeight);
    slider.setBounds(x + kNameWidth, y, sliderWidth, kRowHeight);
    value.setBounds(valueX, y, valueWidth, kRowHeight);
}

void BodySliderRow::refreshValue()
{
    const double v = slider.getValue();
    value.setText(valueText ? valueText(v) : slider.getTextFromValue(v), juce::dontSendNotification);
}

void BodySliderRow::setAlpha(float alpha)
{
    slider.setAlpha(alpha);
    name.setAlpha(alpha);
    value.setAlpha(alpha);
}

void BodySliderRow::setColour(juce::Colour colour)
{
    slider.setColour(juce::Slider::thumbColourId, colour);
    slider.setColour(juce::Slider::trackColourId, colour);
}
