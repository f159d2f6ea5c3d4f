#include "WidgetTestSupport.h"
#include "editor/OptionsPanelComponent.h"
#include "editor/Randomizer.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace
{
class OptionsPanelTest : public testing::Test
{
protected:
    OptionsPanelTest()
    {
        parent.setSize(460, 788);
        parent.addChildComponent(panel);
        panel.setBounds(460, 233, OptionsPanelComponent::kWidth, 555);
        panel.matrix = &processor.randomMatrix;
    }

    std::map<juce::String, float> values()
    {
        std::map<juce::String, float> all;
        for (auto* parameter : processor.getParameters())
            if (auto* withId = dynamic_cast<juce::AudioProcessorParameterWithID*>(parameter))
                all[withId->paramID] = parameter->getValue();
        return all;
    }

    TarnelDelayAudioProcessor processor;
    juce::Component parent;
    OptionsPanelComponent panel{processor.apvts};
};

TEST_F(OptionsPanelTest, MatrixListIsBuiltOnceOnFirstOpening)
{
    EXPECT_EQ(panel.matrixContent.getNumChildComponents(), 0);
    panel.show();
    ASSERT_EQ(panel.rowToggles.size(), 49u);
    const int childrenAfterFirst = panel.matrixContent.getNumChildComponents();
    auto* firstToggle = panel.rowToggles.front().button.get();

    std::vector<int> captionTops;
    for (const auto& caption : panel.groupCaptions)
        captionTops.push_back(caption->getY());
    EXPECT_EQ(captionTops, (std::vector<int>{20, 131, 210, 289, 384, 447}));
    EXPECT_EQ(panel.matrixContent.getHeight(), 522);
    // The viewport gets whole rows of what fits below the smoothing box.
    EXPECT_EQ(panel.matrixViewport.getBounds(), juce::Rectangle<int>(8, 62, 304, 464));

    panel.hide();
    panel.timerCallback();
    panel.show();
    EXPECT_EQ(panel.matrixContent.getNumChildComponents(), childrenAfterFirst);
    EXPECT_EQ(panel.rowToggles.front().button.get(), firstToggle);
}

TEST_F(OptionsPanelTest, OpeningAndClosingReportAndHideOnlyWhenStillClosed)
{
    std::vector<bool> reports;
    panel.onVisibilityChanged = [&](bool shown) { reports.push_back(shown); };
    panel.show();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_TRUE(panel.isOpen());
    panel.hide();
    EXPECT_TRUE(panel.isVisible()); // sliding out
    // Opened again before the slide ended: the pending hide does nothing.
    panel.show();
    panel.timerCallback();
    EXPECT_TRUE(panel.isVisible());
    panel.hide();
    panel.timerCallback();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(reports, (std::vector<bool>{true, false, true, false}));
}

TEST_F(OptionsPanelTest, TogglesAndAllButtonsWriteTheMatrix)
{
    panel.show();
    auto& matrix = processor.randomMatrix;
    EXPECT_FALSE(matrix.isEnabled("hp"));
    panel.allOnButton.triggerClick();
    vorl::test::deliverMessages();
    EXPECT_TRUE(matrix.isEnabled("hp"));
    for (const auto& toggle : panel.rowToggles)
        EXPECT_TRUE(toggle.button->getToggleState()) << toggle.id;

    panel.allOffButton.triggerClick();
    vorl::test::deliverMessages();
    for (const auto& row : matrix.getRows())
        EXPECT_FALSE(matrix.isEnabled(row.id)) << row.id;

    panel.rowToggles[5].button->triggerClick(); // Decay Curve
    vorl::test::deliverMessages();
    EXPECT_TRUE(matrix.isEnabled("dcv"));
}

TEST_F(OptionsPanelTest, FreshMatrixLeavesFiltersMixFlipAndPredelayAlone)
{
    const std::set<juce::String> off{"hp", "lp", "mix", "flipped", "pd"};
    int on = 0;
    for (const auto& row : processor.randomMatrix.getRows())
    {
        EXPECT_EQ(processor.randomMatrix.isEnabled(row.id), off.count(row.id) == 0) << row.id;
        on += processor.randomMatrix.isEnabled(row.id) ? 1 : 0;
    }
    EXPECT_EQ(on, 44);

    juce::Random random(7);
    const auto before = values();
    for (int round = 0; round < 20; ++round)
        randomizeEnabledParameters(processor.apvts, processor.randomMatrix, random);
    const auto after = values();
    for (const auto& id : off)
        EXPECT_EQ(after.at(id), before.at(id)) << id;
    EXPECT_EQ(after.at("tapCnt"), before.at("tapCnt")); // outside the table
    EXPECT_NE(after.at("g"), before.at("g"));
}

TEST_F(OptionsPanelTest, RandomizeWithEveryRowOffChangesNothing)
{
    processor.randomMatrix.setAll(false);
    juce::Random random(3);
    const auto before = values();
    randomizeEnabledParameters(processor.apvts, processor.randomMatrix, random);
    EXPECT_EQ(values(), before);
}

TEST_F(OptionsPanelTest, EachKindOfRowReachesBothEndsOfItsRange)
{
    for (const char* id : {"dcMode", "tremSh", "rev", "g"})
    {
        const auto& range = processor.apvts.getParameter(id)->getNormalisableRange();
        const struct
        {
            const char* id;
            float low, high;
        } row{id, range.start, range.end};
        processor.randomMatrix.setAll(false);
        processor.randomMatrix.setEnabled(row.id, true);
        juce::Random random(11);
        std::set<float> seen;
        float lowest = 1.0e9f, highest = -1.0e9f;
        for (int round = 0; round < 400; ++round)
        {
            randomizeEnabledParameters(processor.apvts, processor.randomMatrix, random);
            const float value = processor.apvts.getRawParameterValue(row.id)->load();
            seen.insert(value);
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
        }
        if (juce::String(row.id) == "g")
        {
            EXPECT_LT(lowest, -95.0f);
            EXPECT_GT(highest, 95.0f);
        }
        else
        {
            EXPECT_EQ(lowest, row.low) << row.id;
            EXPECT_EQ(highest, row.high) << row.id;
            EXPECT_EQ(seen.size(), static_cast<size_t>(row.high - row.low + 1.0f)) << row.id;
        }
    }
}
} // namespace
