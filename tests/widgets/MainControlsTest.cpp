#include "PanelTestSupport.h"
#include "editor/MainControlsComponent.h"
#include "processor/PluginProcessor.h"
#include "widgets/Palette.h"

#include <gtest/gtest.h>

using vorl::test::GestureRecorder;
using vorl::test::mouseEvent;
using vorl::test::plainValue;
using vorl::test::setPlainValue;

namespace
{
class MainControlsTest : public testing::Test
{
protected:
    MainControlsTest() { strip.setSize(436, 24); }

    juce::Colour widthValueColour()
    {
        return strip.getWidthValueLabel().findColour(juce::Label::textColourId);
    }

    void clickWidthLabel()
    {
        auto& label = strip.getWidthLabel();
        strip.mouseUp(mouseEvent(label, {10.0f, 10.0f}, {}, {10.0f, 10.0f}));
    }

    TarnelDelayAudioProcessor processor;
    MainControlsComponent strip{processor.apvts};
};

TEST_F(MainControlsTest, ClickingTheWidthLabelTogglesNoMidAsOneGesture)
{
    GestureRecorder recorder(*processor.apvts.getParameter("sideOnly"));
    clickWidthLabel();
    EXPECT_EQ(plainValue(processor.apvts, "sideOnly"), 1.0f);
    EXPECT_EQ(recorder.events(), "bve");
    EXPECT_EQ(strip.getWidthLabel().getText(), "NO MID");
    EXPECT_EQ(strip.getWidthLabel().findColour(juce::Label::textColourId), Palette::accentYellow);

    clickWidthLabel();
    EXPECT_EQ(plainValue(processor.apvts, "sideOnly"), 0.0f);
    EXPECT_EQ(strip.getWidthLabel().getText(), "WIDTH");

    // A click anywhere else on the strip is not a click on the label.
    recorder.clear();
    strip.mouseUp(mouseEvent(strip, {300.0f, 10.0f}, {}, {300.0f, 10.0f}));
    EXPECT_EQ(recorder.events(), "");
}

// "MUTED" only when No Mid is on and the width is at its minimum; it blinks every third tick.
TEST_F(MainControlsTest, MutedBlinksEveryThirdTickOnlyWhenNothingIsLeft)
{
    setPlainValue(processor.apvts, "spread", 0.0f);
    strip.tick();
    EXPECT_EQ(strip.getWidthValueLabel().getText(), "MONO");

    setPlainValue(processor.apvts, "sideOnly", 1.0f);
    juce::String phases;
    for (int tick = 0; tick < 9; ++tick)
    {
        strip.tick();
        EXPECT_EQ(strip.getWidthValueLabel().getText(), "MUTED");
        phases << (widthValueColour() == Palette::accentYellow ? "1" : "0");
    }
    EXPECT_EQ(phases, "001110001");
    EXPECT_EQ(strip.getWidthLabel().getText(), "NO MID");

    setPlainValue(processor.apvts, "spread", 3.75f);
    strip.tick();
    EXPECT_EQ(strip.getWidthValueLabel().getText(), "-50");
    EXPECT_EQ(widthValueColour(), Palette::accentIndigo);
}

TEST_F(MainControlsTest, SlidersAreBoundAndForwardTheirDrags)
{
    juce::StringArray events;
    strip.onDragStart = [&events](const juce::String& id) { events.add("start " + id); };
    strip.onDragEnd = [&events](const juce::String& id) { events.add("end " + id); };
    for (auto* slider : {&strip.getWidthSlider(), &strip.getPingPongSlider()})
    {
        GestureRecorder recorder(*processor.apvts.getParameter(slider->paramId));
        vorl::test::dragSlider(*slider, 2.0f, static_cast<float>(slider->getWidth() - 2));
        EXPECT_EQ(recorder.events(), "bve") << slider->paramId;
        EXPECT_NEAR(plainValue(processor.apvts, slider->paramId.toRawUTF8()), slider->getMaximum(), 0.5);
    }
    EXPECT_EQ(events.joinIntoString("|"), "start spread|end spread|start ppW|end ppW");

    setPlainValue(processor.apvts, "ppW", 40.0f);
    strip.tick();
    EXPECT_EQ(strip.getPingPongValueLabel().getText(), "40%");
}

} // namespace
