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
                             const Spec& spec)
    : slider(spec.kind)
{
    slider.setRange(spec.minimum, spec.maximum, spec.step);
    slider.resetValue = spec.reset;
    slider.paramId = spec.paramId;
    owner.addAndMakeVisible(slider);

    BodyLabels::styleName(name, spec.label);
    owner.addAndMakeVisible(name);
    BodyLabels::styleValue(value);
    owner.addAndMakeVisible(value);

    if (tree.getParameter(spec.paramId) != nullptr)
        attachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(
            tree, spec.paramId, slider);
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
