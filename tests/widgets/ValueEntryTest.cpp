#include "WidgetTestSupport.h"
#include "widgets/TapCountBox.h"
#include "widgets/ValueEntryBox.h"

#include <gtest/gtest.h>

#include <optional>

using vorl::test::mouseEvent;

namespace
{
TEST(ValueEntryBox, CommitsTheTypedTextWhenItGoesAwayUnlessCancelled)
{
    std::optional<juce::String> committed;
    {
        ValueEntryBox box("350 ms", [&](const juce::String& text) { committed = text; });
        EXPECT_EQ(box.getWidth(), ValueEntryBox::kWidth);
        EXPECT_EQ(box.getHeight(), ValueEntryBox::kHeight);
        EXPECT_EQ(box.editor.getBounds(), box.getLocalBounds());
        EXPECT_EQ(box.editor.getText(), "350 ms");
        EXPECT_EQ(box.editor.getHighlightedText(), "350 ms");
        box.editor.setText("1.2 s");
        // Return dismisses only the enclosing call-out; without one nothing is committed yet.
        box.editor.onReturnKey();
        EXPECT_FALSE(committed.has_value());
    }
    ASSERT_TRUE(committed.has_value());
    EXPECT_EQ(*committed, "1.2 s");

    committed.reset();
    {
        ValueEntryBox box("350 ms", [&](const juce::String& text) { committed = text; });
        box.editor.setText("999");
        box.editor.onEscapeKey();
        EXPECT_TRUE(box.cancelled);
    }
    EXPECT_FALSE(committed.has_value());
}

class ObservedTapCountBox : public TapCountBox
{
public:
    int entryRequests = 0;

protected:
    void openValueEntry() override { ++entryRequests; }
};

class TapCountBoxTest : public testing::Test
{
protected:
    void SetUp() override
    {
        box.setBounds(0, 0, 90, 20);
        box.count = 10;
        box.onChange = [this](int count) { changes.push_back(count); };
        box.onDragStart = [this] { ++dragStarts; };
        box.onDragEnd = [this] { ++dragEnds; };
    }

    void dragBy(float dy)
    {
        const juce::Point<float> down(40, 10);
        box.mouseDown(mouseEvent(box, down, vorl::test::leftButton, down));
        box.mouseDrag(mouseEvent(box, down.translated(0, dy), vorl::test::leftButton, down));
        box.mouseUp(mouseEvent(box, down.translated(0, dy), {}, down));
    }

    ObservedTapCountBox box;
    std::vector<int> changes;
    int dragStarts = 0, dragEnds = 0;
};

TEST_F(TapCountBoxTest, DraggingUpFortyPixelsAddsTen)
{
    dragBy(-40.0f);
    EXPECT_EQ(box.count, 20);
    EXPECT_EQ(changes, std::vector<int>{20});
    EXPECT_EQ(box.entryRequests, 0);
    EXPECT_EQ(dragStarts, 1);
    EXPECT_EQ(dragEnds, 1);
}

TEST_F(TapCountBoxTest, DraggingIsClampedAndStepsEveryFourPixels)
{
    dragBy(400.0f);
    EXPECT_EQ(box.count, 1);
    box.count = 10;
    dragBy(-7.0f); // 7 / 4 truncates to one step
    EXPECT_EQ(box.count, 11);
    dragBy(-1000.0f);
    EXPECT_EQ(box.count, 64);
}

TEST_F(TapCountBoxTest, SmallMovementIsAClickThatOpensTheEntry)
{
    dragBy(-2.0f);
    EXPECT_EQ(box.entryRequests, 1);
    EXPECT_EQ(box.count, 10);
    EXPECT_TRUE(changes.empty());
    dragBy(-3.0f);
    EXPECT_EQ(box.entryRequests, 1);
}

TEST_F(TapCountBoxTest, TypedCountIsClampedAndLettersGiveTheMinimum)
{
    box.commitText(" 200 ");
    EXPECT_EQ(box.count, 64);
    box.commitText("letters");
    EXPECT_EQ(box.count, 1);
    box.commitText("1");
    EXPECT_EQ(changes, (std::vector<int>{64, 1}));
}
} // namespace
