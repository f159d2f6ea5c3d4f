#include "widgets/FilterSlider.h"
#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using vorl::test::mouseEvent;

namespace
{
class FilterSliderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        slider.setBounds(0, 0, 408, 24); // track from x 4, 400 px long
        slider.paramIdHp = "hp";
        slider.paramIdLp = "lp";
        slider.onDragStart = [this](const juce::String& id) { events.add("start " + id); };
        slider.onDragEnd = [this](const juce::String& id) { events.add("end " + id); };
        slider.onChange = [this](float hp, float lp)
        {
            ++changes;
            lastHp = hp;
            lastLp = lp;
        };
    }

    void press(float x, float y = 12.0f)
    {
        slider.mouseDown(mouseEvent(slider, {x, y}, vorl::test::leftButton, {x, y}));
    }
    void drag(float x, juce::ModifierKeys mods = vorl::test::leftButton)
    {
        slider.mouseDrag(mouseEvent(slider, {x, 12.0f}, mods, {x, 12.0f}));
    }
    void release(float x) { slider.mouseUp(mouseEvent(slider, {x, 12.0f}, {}, {x, 12.0f})); }

    FilterSlider slider;
    juce::StringArray events;
    int changes = 0;
    float lastHp = -1.0f, lastLp = -1.0f;
};

TEST(FilterSliderMapping, ValuesAndFrequenciesMatchAtTheKnownPoints)
{
    EXPECT_NEAR(FilterSlider::hpValueToHz(0.0f), 20.0f, 1e-3f);
    EXPECT_NEAR(FilterSlider::hpValueToHz(1000.0f), 4000.0f, 0.1f);
    EXPECT_NEAR(FilterSlider::hpValueToHz(FilterSlider::kDefaultHp), 200.0f, 0.05f);
    EXPECT_NEAR(FilterSlider::lpValueToHz(0.0f), 500.0f, 1e-3f);
    EXPECT_NEAR(FilterSlider::lpValueToHz(1000.0f), 22000.0f, 0.5f);
    EXPECT_NEAR(FilterSlider::lpValueToHz(FilterSlider::kDefaultLp), 6000.0f, 0.5f);
    // Out-of-range values stay within the audible band.
    EXPECT_FLOAT_EQ(FilterSlider::hpValueToHz(-500.0f), 20.0f);
    EXPECT_FLOAT_EQ(FilterSlider::lpValueToHz(2000.0f), 22000.0f);
    for (float v : {0.0f, 123.0f, 500.0f, 999.0f})
    {
        EXPECT_NEAR(FilterSlider::hzToHpValue(FilterSlider::hpValueToHz(v)), v, 0.01f);
        EXPECT_NEAR(FilterSlider::hzToLpValue(FilterSlider::lpValueToHz(v)), v, 0.01f);
    }
}

TEST_F(FilterSliderTest, TrackIsSplitAt1600HzWithoutGapOrOverlap)
{
    EXPECT_NEAR(slider.frequencyToX(20.0f), 4.0f, 1e-4f);
    EXPECT_NEAR(slider.frequencyToX(1600.0f), 204.0f, 1e-3f);
    EXPECT_NEAR(slider.frequencyToX(22000.0f), 404.0f, 1e-3f);
    const float below = slider.frequencyToX(1599.9f);
    const float above = slider.frequencyToX(1600.1f);
    EXPECT_LT(below, 204.0f);
    EXPECT_GT(above, 204.0f);
    EXPECT_LT(above - below, 0.01f);
    for (float hz : {20.0f, 200.0f, 1599.0f, 1601.0f, 6000.0f, 22000.0f})
        EXPECT_NEAR(slider.xToFrequency(slider.frequencyToX(hz)), hz, hz * 1e-4f);
    // Pointers beyond the track ends map to its end frequencies.
    EXPECT_FLOAT_EQ(slider.xToFrequency(-50.0f), 20.0f);
    EXPECT_NEAR(slider.xToFrequency(900.0f), 22000.0f, 0.5f);
}

TEST_F(FilterSliderTest, PressGrabsTheNearerHandleAndTheLowPassOnATie)
{
    const float hx = slider.hpX(), lx = slider.lpX();
    press(hx + 3.0f);
    EXPECT_TRUE(slider.draggingHp);
    release(hx + 3.0f);
    press(lx - 3.0f);
    EXPECT_FALSE(slider.draggingHp);
    release(lx - 3.0f);
    slider.hpValue = FilterSlider::hzToHpValue(1000.0f);
    slider.lpValue = FilterSlider::hzToLpValue(1000.0f);
    press(slider.hpX());
    EXPECT_FALSE(slider.draggingHp);
    release(slider.hpX());
    EXPECT_EQ(events.joinIntoString("|"), "start hp|end hp|start lp|end lp|start lp|end lp");
}

TEST_F(FilterSliderTest, CoarseDragFollowsThePointerAndReportsBothValues)
{
    press(slider.hpX());
    drag(slider.frequencyToX(400.0f));
    EXPECT_NEAR(FilterSlider::hpValueToHz(slider.hpValue), 400.0f, 3.0f);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(lastHp, slider.hpValue);
    EXPECT_EQ(lastLp, FilterSlider::kDefaultLp);
    // Sub-threshold movement (< 0.5 value units) reports nothing.
    drag(slider.frequencyToX(400.0f) + 0.2f);
    EXPECT_EQ(changes, 1);
    release(0.0f);
    EXPECT_FALSE(slider.dragging);
}

TEST_F(FilterSliderTest, HandlesMeetButNeverCross)
{
    press(slider.hpX());
    drag(400.0f);
    // The low-pass sits at 6 kHz, above the high-pass range: the value stops at its own maximum
    // instead of leaving the parameter's 0..1000 range.
    EXPECT_FLOAT_EQ(slider.hpValue, 1000.0f);
    release(400.0f);

    slider.hpValue = FilterSlider::kDefaultHp;
    press(slider.lpX());
    drag(0.0f);
    EXPECT_FLOAT_EQ(slider.lpValue, 0.0f);
    release(0.0f);
    slider.lpValue = FilterSlider::kDefaultLp;

    // Already crossed by the owner: hp 4 kHz, lp 500 Hz. The high-pass cannot move above 500 Hz.
    slider.hpValue = 1000.0f;
    slider.lpValue = 0.0f;
    slider.draggingHp = true;
    slider.dragging = true;
    drag(300.0f);
    EXPECT_NEAR(FilterSlider::hpValueToHz(slider.hpValue), 500.0f, 0.5f);
    slider.dragging = false;

    slider.hpValue = FilterSlider::hzToHpValue(1000.0f);
    slider.lpValue = FilterSlider::kDefaultLp;
    press(slider.lpX());
    drag(0.0f);
    EXPECT_NEAR(FilterSlider::lpValueToHz(slider.lpValue), 1000.0f, 0.5f);
}

TEST_F(FilterSliderTest, FineDragMovesAnEighthOfTheValueRangePerTrackLength)
{
    const float start = slider.hpX();
    press(start);
    drag(start, vorl::test::leftButtonWithCtrl);
    EXPECT_TRUE(slider.fineDragActive);
    EXPECT_EQ(slider.fineDragStartValue, FilterSlider::kDefaultHp);
    drag(start + 200.0f, vorl::test::leftButtonWithCtrl); // half the track: 62.5 value units
    EXPECT_NEAR(slider.hpValue, FilterSlider::kDefaultHp + 62.5f, 0.01f);

    const juce::ModifierKeys alt(juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::altModifier);
    drag(start + 208.0f, alt);
    EXPECT_NEAR(slider.hpValue, FilterSlider::kDefaultHp + 65.0f, 0.01f);
    drag(start, vorl::test::leftButton);
    EXPECT_FALSE(slider.fineDragActive);
}

TEST_F(FilterSliderTest, FineDragOnACollapsedSliderStaysFinite)
{
    slider.setBounds(0, 0, 4, 24);
    press(0.0f);
    drag(0.0f, vorl::test::leftButtonWithCtrl);
    drag(3.0f, vorl::test::leftButtonWithCtrl);
    EXPECT_TRUE(std::isfinite(slider.hpValue));
    EXPECT_TRUE(std::isfinite(slider.lpValue));
}

TEST_F(FilterSliderTest, DoubleClickResetsTheNearerHandle)
{
    slider.hpValue = 100.0f;
    slider.lpValue = 900.0f;
    slider.mouseDoubleClick(mouseEvent(slider, {slider.hpX() + 1.0f, 12.0f}));
    EXPECT_EQ(slider.hpValue, FilterSlider::kDefaultHp);
    EXPECT_EQ(slider.lpValue, 900.0f);
    slider.mouseDoubleClick(mouseEvent(slider, {slider.lpX(), 12.0f}));
    EXPECT_EQ(slider.lpValue, FilterSlider::kDefaultLp);
    EXPECT_EQ(changes, 2);
}

TEST_F(FilterSliderTest, HoverNeedsBothAxesWithinEightPixels)
{
    const float hx = slider.hpX();
    slider.mouseMove(mouseEvent(slider, {hx + 5.0f, 12.0f + 7.0f}));
    EXPECT_TRUE(slider.hoverHp);
    EXPECT_FALSE(slider.hoverLp);
    slider.mouseMove(mouseEvent(slider, {hx + 5.0f, 12.0f + 8.0f}));
    EXPECT_FALSE(slider.hoverHp);
    slider.mouseMove(mouseEvent(slider, {hx, 12.0f}));
    slider.mouseExit(mouseEvent(slider, {hx, 12.0f}));
    EXPECT_FALSE(slider.hoverHp);
}

TEST(FilterSliderText, RoundsBelowAKilohertzAndUsesOneDecimalAbove)
{
    EXPECT_EQ(FilterSlider::frequencyText(999.6f), "1000 Hz");
    EXPECT_EQ(FilterSlider::frequencyText(1000.0f), "1.0 kHz");
    EXPECT_EQ(FilterSlider::frequencyText(200.0f), "200 Hz");
    EXPECT_EQ(FilterSlider::frequencyText(22000.0f), "22.0 kHz");
}
} // namespace
