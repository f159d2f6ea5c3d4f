#include "PanelTestSupport.h"
#include "editor/AccordionComponent.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

using vorl::test::mouseEvent;

namespace
{
constexpr int kBodyHeight = 100;

// Remembers every height the section reports, and stores its open state the way the editor does.
struct LayoutRecorder : AccordionComponent::HeightListener
{
    void accordionHeightChanged(AccordionComponent& section) override
    {
        heights.push_back(section.getShownHeight());
        if (layout != nullptr)
            layout->setExpanded(section.getTitle(), section.isExpanded());
    }
    std::vector<int> heights;
    vorl::AccordionLayout* layout = nullptr;
};

class AccordionTest : public testing::Test
{
protected:
    AccordionTest()
    {
        section.setBodyHeight(kBodyHeight);
        parent.addAndMakeVisible(section);
        parent.setSize(436, 400);
        section.setBounds(0, 0, 436, 24 + kBodyHeight);
        section.setHeightListener(&recorder);
    }

    void clickHeader(juce::Point<float> position = {200.0f, 12.0f})
    {
        section.mouseDown(mouseEvent(section, position));
    }

    int heightAfter(juce::uint32 ms)
    {
        section.stepAnimation(section.getAnimationStartMs() + ms);
        return section.getShownHeight();
    }

    juce::Component parent;
    AccordionComponent section{"PITCH / CHORUS",
                               {juce::Colours::blue, juce::Colours::black, juce::Colours::white, {}},
                               TdButton::blue};
    LayoutRecorder recorder;
};

TEST_F(AccordionTest, HeaderClickUnfoldsLinearlyIn200Milliseconds)
{
    clickHeader();
    EXPECT_TRUE(section.isExpanded());
    EXPECT_TRUE(section.isAnimating());
    EXPECT_TRUE(section.getContent()->isVisible());

    const struct
    {
        juce::uint32 ms;
        int height;
    } frames[] = {{0, 0}, {50, 25}, {102, 51}, {150, 75}, {200, 100}, {260, 100}};
    for (const auto& frame : frames)
    {
        EXPECT_EQ(heightAfter(frame.ms), frame.height) << frame.ms;
        EXPECT_EQ(section.getContent()->getBounds(), juce::Rectangle<int>(0, 24, 436, frame.height));
    }
    EXPECT_FALSE(section.isAnimating());
    EXPECT_EQ(recorder.heights, (std::vector<int>{0, 25, 51, 75, 100}));
}

TEST_F(AccordionTest, ClickDuringTheAnimationReversesFromTheCurrentHeight)
{
    clickHeader();
    ASSERT_EQ(heightAfter(120), 60);
    clickHeader();
    EXPECT_FALSE(section.isExpanded());
    EXPECT_TRUE(section.isAnimating());
    EXPECT_EQ(heightAfter(0), 60);
    EXPECT_EQ(heightAfter(100), 30);
    EXPECT_EQ(heightAfter(200), 0);
    EXPECT_FALSE(section.isAnimating());
    EXPECT_FALSE(section.getContent()->isVisible());

    // setExpanded reverses a running animation the same way.
    section.setExpanded(true);
    ASSERT_EQ(heightAfter(100), 50);
    section.setExpanded(false);
    EXPECT_EQ(heightAfter(40), 40); // 50 towards 0, a fifth of the way
}

TEST_F(AccordionTest, ClicksOnTheHeaderButtonsDoNotToggleTheSection)
{
    section.showSyncButton();
    section.showWideButton("WIDE");
    section.show2xButton("2X");
    EXPECT_EQ(section.syncButton.getBounds(), juce::Rectangle<int>(368, 2, 40, 20));
    EXPECT_EQ(section.wideButton.getBounds(), juce::Rectangle<int>(314, 2, 44, 20));
    EXPECT_EQ(section.twoXButton.getBounds(), juce::Rectangle<int>(270, 2, 34, 20));
    for (auto* button : {&section.powerButton, &section.syncButton, &section.wideButton, &section.twoXButton})
    {
        clickHeader(button->getBounds().getCentre().toFloat());
        EXPECT_FALSE(section.isExpanded()) << button->getButtonText();
    }
    // A hidden button's place belongs to the header.
    AccordionComponent plain{"TAPE", {}, TdButton::orange};
    parent.addAndMakeVisible(plain);
    plain.setBounds(0, 200, 436, 24);
    plain.mouseDown(mouseEvent(plain, section.syncButton.getBounds().getCentre().toFloat()));
    EXPECT_TRUE(plain.isExpanded());
}

TEST_F(AccordionTest, WithoutAParentTheSectionJumpsAndTellsNobody)
{
    AccordionComponent alone{"WAVE", {}, TdButton::purple};
    LayoutRecorder heard;
    alone.setHeightListener(&heard);
    alone.setBodyHeight(80);
    alone.setExpanded(true);
    EXPECT_EQ(alone.getShownHeight(), 80);
    EXPECT_FALSE(alone.isAnimating());
    EXPECT_TRUE(alone.getContent()->isVisible());
    alone.setExpanded(false);
    EXPECT_EQ(alone.getShownHeight(), 0);
    EXPECT_FALSE(alone.getContent()->isVisible());
    EXPECT_TRUE(heard.heights.empty());
}

// Power changes only the look: the open state stays, the body and switches dim.
TEST_F(AccordionTest, UnpoweredSectionKeepsItsStateAndDims)
{
    section.showModeSwitch("TAPE", "OD", juce::Colours::orange);
    section.setContent(std::make_unique<juce::Component>());
    section.setExpanded(true);
    heightAfter(200);
    EXPECT_FALSE(section.isPowered());
    EXPECT_EQ(section.powerButton.getButtonText(), "OFF");
    // Components keep their alpha in eight bits.
    EXPECT_NEAR(section.getContent()->getAlpha(), AccordionComponent::kUnpoweredContentAlpha, 0.01f);
    EXPECT_NEAR(section.modeSwitch.getAlpha(), AccordionComponent::kUnpoweredSwitchAlpha, 0.01f);

    vorl::test::click(section.powerButton);
    EXPECT_TRUE(section.isPowered());
    EXPECT_TRUE(section.powerButton.getToggleState());
    EXPECT_EQ(section.powerButton.getButtonText(), "ON");
    EXPECT_FALSE(section.powerButton.customColours);
    EXPECT_EQ(section.getContent()->getAlpha(), 1.0f);
    EXPECT_EQ(section.modeSwitch.getAlpha(), 1.0f);
    EXPECT_TRUE(section.isExpanded());

    section.setPowered(false);
    EXPECT_TRUE(section.isExpanded());
    EXPECT_EQ(section.getShownHeight(), kBodyHeight);
    EXPECT_TRUE(section.powerButton.customColours);
}

// The power button drives the section's parameter as one gesture once the editor attaches it.
TEST_F(AccordionTest, AttachedPowerButtonFollowsAndSetsItsParameter)
{
    TarnelDelayAudioProcessor processor;
    juce::AudioProcessorValueTreeState::ButtonAttachment attachment(processor.apvts, "pitchOn",
                                                                    section.powerButton);
    vorl::test::setPlainValue(processor.apvts, "pitchOn", 1.0f);
    EXPECT_TRUE(section.isPowered());

    vorl::test::GestureRecorder recorder(*processor.apvts.getParameter("pitchOn"));
    vorl::test::click(section.powerButton);
    EXPECT_EQ(vorl::test::plainValue(processor.apvts, "pitchOn"), 0.0f);
    EXPECT_EQ(recorder.events(), "bve");
    EXPECT_FALSE(section.isPowered());
}

// The open state is stored as soon as a section starts to move, travels with the plug-in state
// and opens the sections of the next editor.
TEST_F(AccordionTest, OpenStateRoundTripsThroughThePluginState)
{
    TarnelDelayAudioProcessor source;
    recorder.layout = &source.accordionLayout;
    section.setExpanded(true);
    heightAfter(200);
    clickHeader();
    heightAfter(16); // the first frame already stores the new state
    EXPECT_FALSE(source.accordionLayout.isExpanded("PITCH / CHORUS"));

    juce::MemoryBlock state;
    source.getStateInformation(state);
    TarnelDelayAudioProcessor target;
    target.accordionLayout.setExpanded("PITCH / CHORUS", true);
    target.setStateInformation(state.getData(), static_cast<int>(state.getSize()));

    const auto layout = target.apvts.state.getChildWithName("AccordionLayout");
    EXPECT_FALSE(static_cast<bool>(layout.getProperty("expanded_PITCH___CHORUS", true)));
    EXPECT_FALSE(target.accordionLayout.isExpanded("PITCH / CHORUS"));
    EXPECT_TRUE(target.accordionLayout.isExpanded("WAVE"));

    AccordionComponent reopened{"PITCH / CHORUS", {}, TdButton::blue};
    reopened.setBodyHeight(kBodyHeight);
    reopened.setExpanded(target.accordionLayout.isExpanded(reopened.getTitle()));
    EXPECT_EQ(reopened.getShownHeight(), 0);
}
} // namespace
