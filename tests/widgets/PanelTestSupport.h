#pragma once

#include "PlainValues.h"
#include "WidgetTestSupport.h"
#include "widgets/TdSlider.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

namespace vorl::test
{
// Records what a host sees of one parameter: gesture starts and ends and value changes, in order.
class GestureRecorder : private juce::AudioProcessorParameter::Listener
{
public:
    explicit GestureRecorder(juce::AudioProcessorParameter& parameter) : parameter(parameter)
    {
        parameter.addListener(this);
    }
    ~GestureRecorder() override { parameter.removeListener(this); }

    // 'b' begin, 'v' value, 'e' end; repeated values collapse, so one gesture reads "bve".
    juce::String events() const { return log; }
    void clear() { log.clear(); }

private:
    void parameterValueChanged(int, float) override
    {
        if (!log.endsWithChar('v'))
            log << "v";
    }
    void parameterGestureChanged(int, bool starting) override { log << (starting ? "b" : "e"); }

    juce::AudioProcessorParameter& parameter;
    juce::String log;
};

// A full mouse drag along a horizontal slider, from one x position to another.
inline void dragSlider(juce::Slider& slider, float fromX, float toX)
{
    const juce::Point<float> down{fromX, slider.getHeight() / 2.0f};
    const juce::Point<float> to{toX, down.y};
    slider.mouseDown(mouseEvent(slider, down, leftButton, down));
    slider.mouseDrag(mouseEvent(slider, to, leftButton, down));
    slider.mouseUp(mouseEvent(slider, to, {}, down));
}

// A click on a button, delivered through the message loop as the framework does.
inline void click(juce::Button& button)
{
    button.triggerClick();
    deliverMessages();
}

// Every TdSlider among the component's direct children.
inline std::vector<TdSlider*> slidersOf(juce::Component& component)
{
    std::vector<TdSlider*> sliders;
    for (auto* child : component.getChildren())
        if (auto* slider = dynamic_cast<TdSlider*>(child))
            sliders.push_back(slider);
    return sliders;
}

} // namespace vorl::test
