#include "editor/TarnelControl.h"
#include "HostGestureRecorder.h"
#include "WidgetTestSupport.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

namespace
{
using vorl::test::mouseEvent;

class TarnelControlTest : public testing::Test
{
protected:
    TarnelControlTest()
    {
        control.setSize(436, 64);
        control.onDragStart = [this](const juce::String& id) { starts.add(id); };
        control.onDragEnd = [this](const juce::String& id) { ends.add(id); };
    }

    void set(const char* id, float value)
    {
        auto* p = processor.apvts.getParameter(id);
        p->setValueNotifyingHost(p->convertTo0to1(value));
    }
    float vorl() { return processor.apvts.getRawParameterValue("g")->load(); }

    TarnelDelayAudioProcessor processor;
    TarnelControl control{processor.apvts};
    juce::StringArray starts, ends;
};

TEST_F(TarnelControlTest, ValueFollowsThePointerAndReverseSwapsTheEnds)
{
    const struct
    {
        bool reverse;
        float x;
        float expected;
    } cases[] = {
        {false, 0.0f, -100.0f}, {false, 218.0f, 0.0f},    {false, 436.0f, 100.0f},
        {false, 327.0f, 50.0f}, {false, -50.0f, -100.0f}, {false, 900.0f, 100.0f},
        {true, 0.0f, 100.0f},   {true, 436.0f, -100.0f},  {true, 327.0f, -50.0f},
    };
    for (const auto& c : cases)
    {
        set("rev", c.reverse ? 1.0f : 0.0f);
        EXPECT_FLOAT_EQ(control.vorlForX(c.x), c.expected) << c.reverse << " " << c.x;
    }
}

TEST_F(TarnelControlTest, DragIsOneGestureAndDoubleClickReturnsToZero)
{
    vorl::test::HostGestureRecorder gestures(processor);
    const juce::Point<float> down{100.0f, 30.0f};
    control.mouseDown(mouseEvent(control, down, vorl::test::leftButton, down));
    control.mouseDrag(mouseEvent(control, {0.0f, 30.0f}, vorl::test::leftButton, down));
    EXPECT_EQ(vorl(), -100.0f);
    control.mouseDrag(mouseEvent(control, {327.0f, 30.0f}, vorl::test::leftButton, down));
    control.mouseUp(mouseEvent(control, {327.0f, 30.0f}, {}, down));
    EXPECT_EQ(vorl(), 50.0f);
    EXPECT_TRUE(gestures.isOneGesture("g"));
    EXPECT_EQ(starts, juce::StringArray("g"));
    EXPECT_EQ(ends, juce::StringArray("g"));

    gestures.clear();
    control.mouseDoubleClick(mouseEvent(control, down));
    EXPECT_EQ(vorl(), 0.0f);
    EXPECT_TRUE(gestures.isOneGesture("g"));
}

TEST_F(TarnelControlTest, ValueText)
{
    const struct
    {
        float vorl;
        const char* text;
    } cases[] = {{0.0f, "0%"},    {0.4f, "0%"},       {-0.4f, "0%"},
                 {42.6f, "+43%"}, {-100.0f, "-100%"}, {std::numeric_limits<float>::quiet_NaN(), "0%"}};
    for (const auto& c : cases)
        EXPECT_EQ(TarnelControl::valueText(c.vorl), c.text) << c.vorl;
}

TEST_F(TarnelControlTest, ActivityBuildsWhileTheWellPullsAndFadesOtherwise)
{
    set("g", -80.0f);
    for (int tick = 0; tick < 100; ++tick)
        control.timerCallback();
    const float pulled = control.getActivity();
    EXPECT_GT(pulled, 0.8f);
    EXPECT_LE(pulled, 1.25f);

    set("g", 30.0f);
    for (int tick = 0; tick < 40; ++tick)
        control.timerCallback();
    EXPECT_LT(control.getActivity(), pulled * 0.02f);

    // The hover glow eases towards the hover state.
    control.mouseEnter(mouseEvent(control, {10.0f, 10.0f}, {}));
    control.timerCallback();
    EXPECT_NEAR(control.getHoverGlow(), 0.15f, 1e-6f);
}

TEST_F(TarnelControlTest, AnimatesOnlyWhileShowing)
{
    control.startAnimation();
    EXPECT_FALSE(control.isAnimating()); // not on screen

    juce::Component parent;
    parent.setSize(436, 64);
    parent.addAndMakeVisible(control);
    parent.setVisible(true);
    parent.addToDesktop(0);
    EXPECT_TRUE(control.isAnimating());
    control.setVisible(false);
    EXPECT_FALSE(control.isAnimating());
    control.setVisible(true);
    EXPECT_TRUE(control.isAnimating());
    parent.removeFromDesktop();
    control.setVisible(false);
    EXPECT_FALSE(control.isAnimating());
}

TEST_F(TarnelControlTest, PaintsAtEveryValueWithoutFault)
{
    for (const float value : {-100.0f, -30.0f, 0.0f, 45.0f, 100.0f})
        for (const float reverse : {0.0f, 1.0f})
        {
            set("g", value);
            set("rev", reverse);
            control.timerCallback();
            const auto image = control.createComponentSnapshot(control.getLocalBounds(), true, 2.0f);
            EXPECT_EQ(image.getWidth(), 872);
        }
}
} // namespace
