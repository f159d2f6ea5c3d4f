#include "widgets/MasterOutFader.h"
#include "PlainValues.h"
#include "WidgetTestSupport.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
class MasterOutFaderTest : public testing::Test
{
protected:
    MasterOutFaderTest() { fader.setSize(22, 101); }

    int ticksUntilSilent()
    {
        int ticks = 0;
        while (fader.getMeterLevel() > 0.0f && ticks < 1000)
        {
            fader.updateMeter();
            ++ticks;
        }
        return ticks;
    }

    TarnelDelayAudioProcessor processor;
    float level = 0.0f;
    MasterOutFader fader{processor.apvts, [this] { return level; }};
};

TEST_F(MasterOutFaderTest, MeterPositionIsLinearInDbFromMinus60ToPlus6)
{
    const struct
    {
        float level;
        float proportion;
    } cases[] = {
        {0.0f, 0.0f},
        {-1.0f, 0.0f},
        {0.0001f, 0.0f},
        {0.001f, 0.0f},
        {1.0f, 60.0f / 66.0f},
        {2.0f, 1.0f},
        {0.25118864f, 48.0f / 66.0f}, // -12 dB: green ends
        {0.70794576f, 57.0f / 66.0f}, // -3 dB: amber ends
        {100.0f, 1.0f},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(MasterOutFader::meterProportion(c.level), c.proportion, 1e-5f) << c.level;
}

// Jumps up to each new peak, falls by 0.85 per 50 ms tick, and snaps to 0 below 0.0001.
TEST_F(MasterOutFaderTest, MeterJumpsToPeaksAndFallsToExactSilence)
{
    fader.updateMeter();
    EXPECT_EQ(fader.getMeterLevel(), 0.0f);
    level = 1.0f;
    fader.updateMeter();
    EXPECT_EQ(fader.getMeterLevel(), 1.0f);
    level = 0.5f; // a lower peak does not pull the falling meter down faster
    fader.updateMeter();
    EXPECT_FLOAT_EQ(fader.getMeterLevel(), 0.85f);
    level = 0.0f;
    fader.updateMeter();
    EXPECT_FLOAT_EQ(fader.getMeterLevel(), 0.85f * 0.85f);

    level = 1.0f;
    fader.updateMeter();
    level = 0.0f;
    EXPECT_EQ(ticksUntilSilent(), 57); // 0.85^57 < 0.0001 <= 0.85^56
    EXPECT_EQ(fader.getMeterLevel(), 0.0f);
}

TEST_F(MasterOutFaderTest, BrokenLevelsReadAsSilence)
{
    for (const float broken :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
    {
        level = broken;
        fader.updateMeter();
        EXPECT_EQ(fader.getMeterLevel(), 0.0f);
        juce::Image image(juce::Image::ARGB, 22, 101, true);
        juce::Graphics g(image);
        fader.paint(g);
    }
}

// The ticks use the parameter's own skewed mapping, the one that places the thumb.
TEST_F(MasterOutFaderTest, SliderFollowsMasterBothWays)
{
    auto* master = processor.apvts.getParameter("mout");
    EXPECT_NEAR(master->convertTo0to1(0.0f), 0.8127f, 1e-3f);
    EXPECT_FLOAT_EQ(master->convertTo0to1(6.0f), 1.0f);
    EXPECT_FLOAT_EQ(master->convertTo0to1(-60.0f), 0.0f);

    vorl::test::setPlainValue(processor.apvts, "mout", -12.0f);
    EXPECT_NEAR(fader.getSlider().getValue(), -12.0, 0.05);
    fader.getSlider().setValue(3.0, juce::sendNotificationSync);
    EXPECT_NEAR(vorl::test::plainValue(processor.apvts, "mout"), 3.0f, 0.05f);
}

TEST_F(MasterOutFaderTest, ReportsHoverAndDragWithItsParameter)
{
    juce::StringArray calls;
    fader.onDragStart = [&](const juce::String& id) { calls.add("drag start " + id); };
    fader.onDragEnd = [&](const juce::String& id) { calls.add("drag end " + id); };
    fader.onHoverStart = [&](const juce::String& id) { calls.add("hover start " + id); };
    fader.onHoverEnd = [&](const juce::String& id) { calls.add("hover end " + id); };
    auto& slider = fader.getSlider();
    const auto event = vorl::test::mouseEvent(slider, {11.0f, 50.0f});
    fader.mouseEnter(event);
    fader.mouseDown(event);
    fader.mouseUp(event);
    fader.mouseExit(event);
    EXPECT_EQ(calls.joinIntoString("|"), "hover start mout|drag start mout|drag end mout|hover end mout");
}
} // namespace
