#include "editor/DensityStrip.h"
#include "HostGestureRecorder.h"
#include "ValueCurves.h"
#include "WidgetTestSupport.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

namespace
{
// The strip bound to the processor's Start, End, Lock and 4x parameters as the editor binds it.
class DensityStripTest : public testing::Test
{
protected:
    using Tree = juce::AudioProcessorValueTreeState;

    DensityStripTest()
    {
        strip.setSize(436, 40);
        set("lk", 0.0f);
        set("s", 300.0f);
        set("e", 600.0f);
    }

    void set(const char* id, float value)
    {
        auto* p = processor.apvts.getParameter(id);
        p->setValueNotifyingHost(p->convertTo0to1(value));
    }
    float get(const char* id) { return processor.apvts.getRawParameterValue(id)->load(); }

    TarnelDelayAudioProcessor processor;
    DensityStrip strip;
    Tree::SliderAttachment start{processor.apvts, "s", strip.startSlider};
    Tree::SliderAttachment end{processor.apvts, "e", strip.endSlider};
    Tree::ButtonAttachment lock{processor.apvts, "lk", strip.lockButton};
    Tree::ButtonAttachment fourX{processor.apvts, "io2x", strip.fourXButton};
};

TEST_F(DensityStripTest, LockKeepsTheOffsetBetweenStartAndEnd)
{
    set("lk", 1.0f);
    const struct
    {
        const char* moved;
        float value;
        float expectedStart, expectedEnd;
    } steps[] = {
        {"s", 400.0f, 400.0f, 700.0f},  // End follows by the same 100
        {"s", 800.0f, 800.0f, 1000.0f}, // and stops at the end of the range
        {"e", 900.0f, 700.0f, 900.0f},  // End moves Start by the offset as clamped: 200
        {"e", 100.0f, 0.0f, 100.0f},    // Start stops at 0
    };
    for (const auto& step : steps)
    {
        set(step.moved, step.value);
        EXPECT_EQ(get("s"), step.expectedStart) << step.moved << " to " << step.value;
        EXPECT_EQ(get("e"), step.expectedEnd) << step.moved << " to " << step.value;
    }
}

TEST_F(DensityStripTest, WithoutTheLockTheSlidersMoveAlone)
{
    set("s", 450.0f);
    EXPECT_EQ(get("e"), 600.0f);
    set("e", 200.0f);
    EXPECT_EQ(get("s"), 450.0f);

    // Locking later keeps the offset as it then is.
    set("lk", 1.0f);
    set("s", 500.0f);
    EXPECT_EQ(get("e"), 250.0f);
}

TEST_F(DensityStripTest, LockAndFourXToggleOnClickAndAreOutlinedWhenOn)
{
    strip.lockButton.triggerClick();
    strip.fourXButton.triggerClick();
    vorl::test::deliverMessages();
    EXPECT_EQ(get("lk"), 1.0f);
    EXPECT_EQ(get("io2x"), 1.0f);
}

TEST_F(DensityStripTest, DoubleClickResetsToThirtyAndThreeHundredMillisecondsAsOneGesture)
{
    vorl::test::HostGestureRecorder gestures(processor);
    strip.startSlider.mouseDoubleClick(vorl::test::mouseEvent(strip.startSlider, {5.0f, 5.0f}));
    strip.endSlider.mouseDoubleClick(vorl::test::mouseEvent(strip.endSlider, {5.0f, 5.0f}));
    EXPECT_NEAR(vorl::timeSliderToMs(get("s")), 30.0f, 0.5f);
    EXPECT_NEAR(vorl::timeSliderToMs(get("e")), 300.0f, 2.0f);
    EXPECT_TRUE(gestures.isOneGesture("s"));
    EXPECT_TRUE(gestures.isOneGesture("e"));
}

TEST_F(DensityStripTest, LayoutSplitsTheWidthAroundTheButtons)
{
    EXPECT_EQ(strip.startSlider.getBounds(), juce::Rectangle<int>(0, 0, 211, 40));
    EXPECT_EQ(strip.endSlider.getBounds(), juce::Rectangle<int>(225, 0, 211, 40));
    EXPECT_EQ(strip.lockButton.getBounds(), juce::Rectangle<int>(211, 2, 14, 17));
    EXPECT_EQ(strip.fourXButton.getBounds(), juce::Rectangle<int>(211, 21, 14, 17));
    EXPECT_EQ(strip.startReadout.getBounds(), juce::Rectangle<int>(163, 26, 44, 12));
    EXPECT_EQ(strip.endReadout.getBounds(), juce::Rectangle<int>(229, 26, 44, 12));
}
} // namespace
