#include "WidgetTestSupport.h"
#include "widgets/ButtonGrid.h"
#include "widgets/ClickCatcher.h"
#include "widgets/CloseButton.h"
#include "widgets/Palette.h"
#include "widgets/TdButton.h"
#include "widgets/TdModeSwitch.h"

#include <gtest/gtest.h>

using vorl::test::mouseEvent;

namespace
{
TEST(TdButtonAccents, NumberedSetsAndNeutralOutside)
{
    struct Case
    {
        int index;
        juce::Colour fill, edge, bright;
    };
    const Case cases[] = {
        {1, Palette::yellowFill, Palette::yellowEdge, Palette::accentYellow},
        {2, Palette::purpleFill, Palette::purpleEdge, Palette::accentPurple},
        {3, Palette::greenFill, Palette::greenEdge, Palette::accentGreen},
        {4, Palette::orangeFill, Palette::orangeEdge, Palette::accentOrange},
        {5, Palette::blueFill, Palette::blueEdge, Palette::accentBlue},
        {6, Palette::pinkFill, Palette::pinkEdge, Palette::accentIndigo},
        {0, Palette::panelBg, Palette::border, Palette::text},
        {7, Palette::panelBg, Palette::border, Palette::text},
        {-1, Palette::panelBg, Palette::border, Palette::text},
    };
    for (const auto& c : cases)
    {
        const auto set = TdButton::accentColours(c.index);
        EXPECT_EQ(set.fill, c.fill) << c.index;
        EXPECT_EQ(set.edge, c.edge) << c.index;
        EXPECT_EQ(set.bright, c.bright) << c.index;
        EXPECT_EQ(accentColour(c.index), c.bright) << c.index;
    }
}

juce::Image paintButton(juce::Button& button)
{
    juce::Image image(juce::Image::ARGB, button.getWidth(), button.getHeight(), true);
    juce::Graphics g(image);
    button.paintEntireComponent(g, true);
    return image;
}

TEST(TdButton, CustomColoursReplaceTheAccentUntilCleared)
{
    TdButton button("X", TdButton::blue);
    button.setBounds(0, 0, 40, 20);
    button.setToggleState(true, juce::dontSendNotification);
    const juce::Colour fill(0xff00ff00);
    button.setCustomColours(fill, juce::Colours::red, juce::Colours::white);
    EXPECT_TRUE(button.customColours);
    EXPECT_EQ(paintButton(button).getPixelAt(5, 10), fill);
    button.clearCustomColours();
    EXPECT_EQ(paintButton(button).getPixelAt(5, 10), Palette::blueFill);
}

TEST(TdButton, EmptyIconIsNotDrawnAndIconPainterWins)
{
    TdButton button("", TdButton::yellow);
    button.setBounds(0, 0, 20, 20);
    button.iconOnly = true;
    button.icon.startNewSubPath(3.0f, 3.0f); // a path without area
    EXPECT_EQ(paintButton(button).getPixelAt(10, 10).getAlpha(), 0);

    juce::Rectangle<float> paintedArea;
    button.iconPainter = [&](juce::Graphics&, juce::Rectangle<float> area, juce::Colour)
    {
        paintedArea = area;
        return area.getWidth();
    };
    paintButton(button);
    EXPECT_EQ(paintedArea, juce::Rectangle<float>(2.0f, 2.0f, 16.0f, 16.0f));
}

TEST(TdButton, IconPathIsScaledIntoACentredSquare)
{
    TdButton button("", TdButton::yellow);
    button.setBounds(0, 0, 40, 24); // icon area 36 x 20: a 20 px square centred at x 8..28
    button.iconOnly = true;
    button.setToggleState(true, juce::dontSendNotification);
    button.icon.addRectangle(0.0f, 0.0f, 10.0f, 10.0f);
    const auto image = paintButton(button);
    EXPECT_EQ(image.getPixelAt(20, 12), Palette::accentYellow);
    EXPECT_EQ(image.getPixelAt(5, 12).getAlpha(), 0);
    EXPECT_EQ(image.getPixelAt(32, 12).getAlpha(), 0);
}

TEST(TdModeSwitchGeometry, TrackIsAThirdOfTheWidthUpTo34By18)
{
    struct Case
    {
        float w, h, trackW, trackH;
    };
    for (const auto& c :
         {Case{60, 20, 60 * 0.34f, 16}, Case{100, 30, 34, 18}, Case{200, 22, 34, 18}, Case{200, 21, 34, 17}})
    {
        const auto track = TdModeSwitch::trackBounds({0, 0, c.w, c.h});
        EXPECT_FLOAT_EQ(track.getWidth(), c.trackW);
        EXPECT_FLOAT_EQ(track.getHeight(), c.trackH);
        EXPECT_FLOAT_EQ(track.getCentreX(), c.w / 2);
        EXPECT_FLOAT_EQ(track.getCentreY(), c.h / 2);
    }
}

TEST(TdModeSwitch, KnobMovesToTheRightWhenOn)
{
    TdModeSwitch modeSwitch("mode");
    modeSwitch.switchColour = juce::Colour(0xffff0000);
    modeSwitch.setBounds(0, 0, 200, 26);
    const auto track = TdModeSwitch::trackBounds(modeSwitch.getLocalBounds().toFloat());
    const int y = juce::roundToInt(track.getCentreY());
    const int leftKnobX = juce::roundToInt(track.getX() + 2 + 7);
    const int rightKnobX = juce::roundToInt(track.getRight() - 2 - 7);
    auto image = paintButton(modeSwitch);
    EXPECT_EQ(image.getPixelAt(leftKnobX, y), juce::Colour(0xffff0000));
    EXPECT_NE(image.getPixelAt(rightKnobX, y), juce::Colour(0xffff0000));
    modeSwitch.setToggleState(true, juce::dontSendNotification);
    image = paintButton(modeSwitch);
    EXPECT_NE(image.getPixelAt(leftKnobX, y), juce::Colour(0xffff0000));
    EXPECT_EQ(image.getPixelAt(rightKnobX, y), juce::Colour(0xffff0000));
}

class ButtonGridTest : public testing::Test
{
protected:
    std::array<ButtonGridItem, ButtonGrid::kSlots> items()
    {
        std::array<ButtonGridItem, ButtonGrid::kSlots> result;
        const char* texts[] = {"A", "B", "C", "D"};
        for (int i = 0; i < ButtonGrid::kSlots; ++i)
        {
            result[static_cast<size_t>(i)].text = texts[i];
            result[static_cast<size_t>(i)].accent = i + 1;
            result[static_cast<size_t>(i)].onClick = [this, i] { clicks.add(i); };
        }
        result[1].toggleParamId = "rev";
        result[3].icon.addRectangle(0.0f, 0.0f, 4.0f, 4.0f);
        return result;
    }

    ButtonGrid grid;
    juce::Array<int> clicks;
};

TEST_F(ButtonGridTest, BuildsFourButtonsInEqualSlotsLeavingTheRemainderEmpty)
{
    grid.setBounds(0, 0, 203, 30);
    grid.setItems(items());
    const auto buttons = grid.getButtons();
    ASSERT_EQ(buttons.size(), 4u);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(buttons[static_cast<size_t>(i)]->getBounds(), juce::Rectangle<int>(i * 50, 0, 50, 30));
        EXPECT_EQ(buttons[static_cast<size_t>(i)]->accent, i + 1);
        EXPECT_TRUE(buttons[static_cast<size_t>(i)]->isVisible());
    }
    EXPECT_EQ(buttons[1]->text, "B");
    EXPECT_FALSE(buttons[3]->icon.isEmpty());
    EXPECT_TRUE(buttons[0]->icon.isEmpty());
    EXPECT_EQ(grid.getNumChildComponents(), 4);

    grid.setBounds(0, 0, 403, 30);
    EXPECT_EQ(buttons[3]->getBounds(), juce::Rectangle<int>(300, 0, 100, 30));
}

TEST_F(ButtonGridTest, OnlyButtonsWithAParameterToggleAndEveryOneRunsItsAction)
{
    grid.setBounds(0, 0, 200, 30);
    grid.setItems(items());
    const auto buttons = grid.getButtons();
    EXPECT_EQ(buttons[1]->toggleParamId, "rev");
    EXPECT_TRUE(buttons[1]->getClickingTogglesState());
    EXPECT_FALSE(buttons[0]->getClickingTogglesState());

    for (auto* button : buttons)
        button->triggerClick();
    vorl::test::deliverMessages();
    EXPECT_EQ(clicks, juce::Array<int>({0, 1, 2, 3}));
    EXPECT_TRUE(buttons[1]->getToggleState());
    EXPECT_FALSE(buttons[0]->getToggleState());
}

TEST_F(ButtonGridTest, RebuildingReplacesTheButtons)
{
    grid.setBounds(0, 0, 200, 30);
    grid.setItems(items());
    juce::Component::SafePointer<TdButton> first(grid.getButtons()[0]);
    grid.setItems(items());
    EXPECT_EQ(first.getComponent(), nullptr);
    EXPECT_EQ(grid.getNumChildComponents(), 4);
}

TEST(CloseButton, ClickCallsBackAndHoverIsTracked)
{
    CloseButton button;
    button.setBounds(0, 0, 14, 14);
    int clicks = 0;
    button.mouseDown(mouseEvent(button, {7, 7}));
    button.onClick = [&] { ++clicks; };
    button.mouseEnter(mouseEvent(button, {7, 7}));
    EXPECT_TRUE(button.hovered);
    button.mouseDown(mouseEvent(button, {7, 7}));
    button.mouseExit(mouseEvent(button, {20, 20}));
    EXPECT_FALSE(button.hovered);
    EXPECT_EQ(clicks, 1);
}

TEST(ClickCatcher, CatchesClicksOnlyWhileActive)
{
    juce::Component parent;
    parent.setSize(100, 100);
    parent.setVisible(true);
    juce::Component below;
    below.setBounds(0, 0, 100, 100);
    parent.addAndMakeVisible(below);
    ClickCatcher catcher;
    catcher.setBounds(0, 0, 100, 100);
    parent.addChildComponent(catcher);
    int clicks = 0;
    catcher.onClick = [&] { ++clicks; };

    EXPECT_FALSE(catcher.isVisible());
    EXPECT_EQ(parent.getComponentAt(50, 50), &below);
    catcher.mouseDown(mouseEvent(catcher, {50, 50}));
    EXPECT_EQ(clicks, 0);

    catcher.setActive(true);
    EXPECT_TRUE(catcher.isVisible());
    EXPECT_EQ(parent.getComponentAt(50, 50), &catcher);
    catcher.mouseDown(mouseEvent(catcher, {50, 50}));
    EXPECT_EQ(clicks, 1);

    catcher.setActive(false);
    EXPECT_EQ(parent.getComponentAt(50, 50), &below);
}
} // namespace
