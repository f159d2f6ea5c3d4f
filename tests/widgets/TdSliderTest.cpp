#include "widgets/TdSlider.h"
#include "WidgetTestSupport.h"
#include "widgets/TdLookAndFeel.h"

#include <gtest/gtest.h>

using vorl::test::mouseEvent;

namespace
{
// Records value-entry requests instead of opening a call-out on the desktop.
class ObservedSlider : public TdSlider
{
public:
    using TdSlider::TdSlider;
    int entryRequests = 0;

protected:
    void openValueEntry() override { ++entryRequests; }
};

class TdSliderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        uiHostTempo = 120.0f;
        slider.setBounds(0, 0, 200, 20);
        slider.paramId = "dcv";
        slider.onDragStart = [this](const juce::String& id) { events.add("start " + id); };
        slider.onDragEnd = [this](const juce::String& id) { events.add("end " + id); };
        slider.onHoverStart = [this](const juce::String& id) { events.add("hover " + id); };
        slider.onHoverEnd = [this](const juce::String& id) { events.add("leave " + id); };
    }
    void TearDown() override { uiHostTempo = 120.0f; }

    // Presses at the current value's position and drags to the position of `target`.
    void dragTo(double target, juce::ModifierKeys mods = vorl::test::leftButton)
    {
        const juce::Point<float> down(static_cast<float>(slider.getPositionOfValue(slider.getValue())),
                                      10.0f);
        slider.mouseDown(mouseEvent(slider, down, vorl::test::leftButton, down));
        const juce::Point<float> to(static_cast<float>(slider.getPositionOfValue(target)), 10.0f);
        slider.mouseDrag(mouseEvent(slider, to, mods, down));
        slider.mouseUp(mouseEvent(slider, to, {}, down));
    }

    ObservedSlider slider{ValueKind::Plain};
    juce::StringArray events;
};

TEST_F(TdSliderTest, ConstructorDefaults)
{
    EXPECT_EQ(slider.getSliderStyle(), juce::Slider::LinearHorizontal);
    EXPECT_EQ(slider.getTextBoxPosition(), juce::Slider::NoTextBox);
    EXPECT_EQ(slider.getMinimum(), 0.0);
    EXPECT_EQ(slider.getMaximum(), 1.0);
    EXPECT_DOUBLE_EQ(slider.getInterval(), 0.001);
    EXPECT_EQ(slider.findColour(juce::Slider::thumbColourId), juce::Colour(0xffccc524));
    EXPECT_EQ(slider.findColour(juce::Slider::trackColourId), juce::Colour(0xffb3ad20));
}

TEST_F(TdSliderTest, CallbacksCarryTheParameterId)
{
    slider.setRange(0, 100, 0.001);
    dragTo(40);
    slider.mouseEnter(mouseEvent(slider, {5, 5}));
    slider.mouseExit(mouseEvent(slider, {5, 5}));
    EXPECT_EQ(events.joinIntoString("|"), "start dcv|end dcv|hover dcv|leave dcv");
    EXPECT_NEAR(slider.getValue(), 40.0, 0.6);
}

TEST_F(TdSliderTest, RightClickOrCtrlClickOpensEntryWithoutStartingADrag)
{
    slider.setRange(0, 100, 0.001);
    slider.setValue(30);
    slider.mouseDown(mouseEvent(slider, {150, 10}, vorl::test::rightButton, {150, 10}));
    slider.mouseDown(mouseEvent(slider, {150, 10}, vorl::test::leftButtonWithCtrl, {150, 10}));
    EXPECT_EQ(slider.entryRequests, 2);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(slider.getValue(), 30.0);
}

TEST_F(TdSliderTest, DetentPullsQuadraticallyAndStaysContinuousAtItsEdge)
{
    slider.setRange(-50, 50, 0.001);
    slider.detentValue = 0.0;
    slider.detentRange = 10.0;
    struct Case
    {
        double target, expected;
    };
    for (const auto& c : {Case{5, 2.5}, Case{-5, -2.5}, Case{10, 10}, Case{2, 0.4}, Case{30, 30}})
    {
        slider.setValue(-40);
        dragTo(c.target);
        EXPECT_NEAR(slider.getValue(), c.expected, 0.01) << "dragged to " << c.target;
    }
}

TEST_F(TdSliderTest, FineDragMovesAnEighthOfTheRangePerWidth)
{
    slider.setRange(0, 1000, 0.001);
    slider.setValue(500);
    slider.detentRange = 100.0; // neither the detent nor snapping apply while fine-dragging
    slider.detentValue = 520.0;
    const juce::Point<float> down(100, 10);
    slider.mouseDown(mouseEvent(slider, down, vorl::test::leftButton, down));
    const double afterDown = slider.getValue();
    slider.mouseDrag(mouseEvent(slider, {100, 10}, vorl::test::leftButtonWithCtrl, down));
    EXPECT_TRUE(slider.fineDragActive);
    EXPECT_EQ(slider.fineDragStartValue, afterDown);
    slider.mouseDrag(mouseEvent(slider, {150, 10}, vorl::test::leftButtonWithCtrl, down));
    EXPECT_NEAR(slider.getValue(), afterDown + 50.0 / 200.0 * 1000.0 * 0.125, 1e-3);
    slider.mouseDrag(mouseEvent(slider, {-5000, 10}, vorl::test::leftButtonWithCtrl, down));
    EXPECT_EQ(slider.getValue(), 0.0);

    // Releasing Ctrl ends the fine drag.
    slider.mouseDrag(mouseEvent(slider, {100, 10}, vorl::test::leftButton, down));
    EXPECT_FALSE(slider.fineDragActive);
}

TEST_F(TdSliderTest, ASecondFineDragStartsFromTheValueItFinds)
{
    slider.setRange(0, 1000, 0.001);
    slider.setValue(500);
    for (int gesture = 0; gesture < 2; ++gesture)
    {
        // Ctrl is held through the release, so no plain drag event ends the fine drag.
        const juce::Point<float> down(100, 10);
        slider.mouseDrag(mouseEvent(slider, down, vorl::test::leftButtonWithCtrl, down));
        slider.mouseDrag(mouseEvent(slider, {180, 10}, vorl::test::leftButtonWithCtrl, down));
        slider.mouseUp(
            mouseEvent(slider, {180, 10}, juce::ModifierKeys(juce::ModifierKeys::ctrlModifier), down));
    }
    EXPECT_NEAR(slider.getValue(), 500.0 + 2 * 80.0 / 200.0 * 1000.0 * 0.125, 1e-3);
}

TEST_F(TdSliderTest, FineDragOnAZeroWidthSliderStaysFinite)
{
    slider.setBounds(0, 0, 0, 20);
    slider.setRange(0, 1000, 0.001);
    slider.setValue(500);
    slider.mouseDrag(mouseEvent(slider, {0, 10}, vorl::test::leftButtonWithCtrl, {0, 10}));
    slider.mouseDrag(mouseEvent(slider, {1, 10}, vorl::test::leftButtonWithCtrl, {0, 10}));
    EXPECT_NEAR(slider.getValue(), 500.0 + 1000.0 * 0.125, 1e-3);
}

TEST(SnapToNoteStep, MovesToTheNearestOfThirteenSteps)
{
    const double step = 1000.0 / 12.0;
    EXPECT_DOUBLE_EQ(snapToNoteStep(0.0), 0.0);
    EXPECT_DOUBLE_EQ(snapToNoteStep(1000.0), 1000.0);
    EXPECT_NEAR(snapToNoteStep(500.0), 6 * step, 1e-9);
    EXPECT_NEAR(snapToNoteStep(step * 2.4), 2 * step, 1e-9);
    EXPECT_NEAR(snapToNoteStep(step * 2.6), 3 * step, 1e-9);
    EXPECT_DOUBLE_EQ(snapToNoteStep(-300.0), 0.0);
    EXPECT_DOUBLE_EQ(snapToNoteStep(5000.0), 1000.0);
}

TEST_F(TdSliderTest, SyncedRateDragSnapsToNoteStepsOnlyWithAKnownTempo)
{
    slider.valueKind = static_cast<int>(ValueKind::RateHz);
    slider.setRange(0, 1000, 0.001);
    slider.tempoSync = true;
    const double step = 1000.0 / 12.0;

    dragTo(300);
    const double snapped = slider.getValue();
    EXPECT_NEAR(snapped, 4 * step, 1e-3);

    uiHostTempo = 0.0f;
    dragTo(300);
    EXPECT_NEAR(slider.getValue(), 300.0, 3.0);
}

TEST_F(TdSliderTest, BeatPhaseDragSnapsTo45DegreesWhateverTheTempo)
{
    slider.setRange(-180, 180, 0.001);
    slider.tempoSync = true;
    slider.beatPhaseSnap = true;
    uiHostTempo = 0.0f;
    dragTo(100);
    EXPECT_DOUBLE_EQ(slider.getValue(), 90.0);
    dragTo(-160);
    EXPECT_DOUBLE_EQ(slider.getValue(), -180.0);
}

TEST_F(TdSliderTest, InvertedSliderRunsFromMaximumToMinimum)
{
    slider.setRange(0, 100, 0.001);
    slider.inverted = true;
    EXPECT_DOUBLE_EQ(slider.valueToProportionOfLength(100.0), 0.0);
    EXPECT_DOUBLE_EQ(slider.valueToProportionOfLength(25.0), 0.75);
    EXPECT_DOUBLE_EQ(slider.proportionOfLengthToValue(0.0), 100.0);
    EXPECT_DOUBLE_EQ(slider.proportionOfLengthToValue(0.75), 25.0);
    // The left end of the track is now the maximum.
    EXPECT_LT(slider.getPositionOfValue(90.0), slider.getPositionOfValue(10.0));
}

TEST_F(TdSliderTest, WheelChangesNothingAndDoubleClickResets)
{
    slider.setRange(0, 100, 0.001);
    slider.setValue(60);
    slider.resetValue = 25;
    slider.setDoubleClickReturnValue(false, 0.0);
    juce::MouseWheelDetails wheel{};
    wheel.deltaY = 1.0f;
    slider.mouseWheelMove(mouseEvent(slider, {50, 10}), wheel);
    EXPECT_EQ(slider.getValue(), 60.0);
    slider.mouseDoubleClick(mouseEvent(slider, {50, 10}, vorl::test::leftButton, {50, 10}, 2));
    EXPECT_EQ(slider.getValue(), 25.0);
}

TEST_F(TdSliderTest, TextUsesTheSharedTempo)
{
    slider.valueKind = static_cast<int>(ValueKind::RateHz);
    slider.setRange(0, 1000, 0.001);
    slider.tempoSync = true;
    EXPECT_EQ(slider.getTextFromValue(500.0), "1/8T");
    uiHostTempo = 0.0f;
    EXPECT_EQ(slider.getTextFromValue(500.0), "");
    slider.tempoSync = false;
    EXPECT_EQ(slider.getValueFromText("8 Hz"), 1000.0);
}

// Paints the slider with the editor's look and feel and reads back the groove and bar.
class TdSliderPaintTest : public testing::Test
{
protected:
    juce::Image paint(TdSlider& s)
    {
        s.setLookAndFeel(&lookAndFeel);
        juce::Image image(juce::Image::ARGB, s.getWidth(), s.getHeight(), true);
        juce::Graphics g(image);
        s.paintEntireComponent(g, true);
        s.setLookAndFeel(nullptr);
        return image;
    }
    TdLookAndFeel lookAndFeel;
};

TEST_F(TdSliderPaintTest, OddHeightPutsTheGrooveAtTheTruncatedCentre)
{
    TdSlider s(ValueKind::Percent);
    s.setRange(0, 100, 0);
    s.setValue(0);
    s.setColour(juce::Slider::thumbColourId, juce::Colours::transparentBlack);
    s.setBounds(0, 0, 101, 7);
    const auto image = paint(s);
    // cy = 7 / 2 = 3: the groove covers rows 2 and 3, nothing above or below at the centre column.
    const int x = image.getWidth() / 2;
    EXPECT_GT(image.getPixelAt(x, 2).getAlpha(), 200);
    EXPECT_GT(image.getPixelAt(x, 3).getAlpha(), 200);
    EXPECT_EQ(image.getPixelAt(x, 1).getAlpha(), 0);
    EXPECT_EQ(image.getPixelAt(x, 4).getAlpha(), 0);
}

TEST_F(TdSliderPaintTest, HiddenThumbLeavesOnlyGrooveBarAndTicks)
{
    TdSlider s(ValueKind::Percent);
    s.setRange(0, 100, 0);
    s.setValue(50);
    s.setColour(juce::Slider::thumbColourId, juce::Colours::transparentBlack);
    s.setBounds(0, 0, 120, 20);
    const auto image = paint(s);
    const int thumbX = static_cast<int>(s.getPositionOfValue(50));
    // Above the 2 px bar, where a thumb would be drawn, nothing is painted.
    EXPECT_EQ(image.getPixelAt(thumbX, 6).getAlpha(), 0);
    // The end ticks are 4 px high at both ends of the track.
    const int left = static_cast<int>(s.getPositionOfValue(0));
    const int right = static_cast<int>(s.getPositionOfValue(100));
    EXPECT_GT(image.getPixelAt(left, 8).getAlpha(), 200);
    EXPECT_GT(image.getPixelAt(right - 1, 8).getAlpha(), 200);
    EXPECT_EQ(image.getPixelAt(left + 4, 8).getAlpha(), 0);

    s.setColour(juce::Slider::thumbColourId, juce::Colours::white);
    const auto withThumb = paint(s);
    EXPECT_GT(withThumb.getPixelAt(thumbX, 6).getAlpha(), 200);
}

TEST_F(TdSliderPaintTest, InvertedBarGrowsFromTheRightEnd)
{
    TdSlider s(ValueKind::Percent);
    s.setRange(0, 100, 0);
    s.inverted = true;
    s.setColour(juce::Slider::thumbColourId, juce::Colours::transparentBlack);
    s.setColour(juce::Slider::trackColourId, juce::Colours::red);
    s.setBounds(0, 0, 200, 20);
    const int cy = 10;

    s.setValue(0); // minimum: the thumb sits at the right end and the bar is empty
    auto image = paint(s);
    EXPECT_LT(image.getPixelAt(100, cy).getRed(), 60);

    s.setValue(100); // maximum: the bar fills the track
    image = paint(s);
    EXPECT_GT(image.getPixelAt(100, cy).getRed(), 120);
    EXPECT_GT(image.getPixelAt(150, cy).getRed(), 120);
}
} // namespace
