#include "ExpectedParameters.h"
#include "processor/ParameterLayout.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using vorl::test::kExpectedParameters;

class ParameterLayoutTest : public testing::Test
{
protected:
    juce::RangedAudioParameter& parameter(const char* id)
    {
        auto* found = processor.apvts.getParameter(id);
        EXPECT_NE(found, nullptr) << id;
        return *found;
    }

    TarnelDelayAudioProcessor processor;
};

TEST_F(ParameterLayoutTest, HostSeesEveryParameterInOrderWithNameRangeDefaultAndHint)
{
    const auto& parameters = processor.getParameters();
    ASSERT_EQ(parameters.size(), (int)kExpectedParameters.size());
    for (int i = 0; i < parameters.size(); ++i)
    {
        const auto& expected = kExpectedParameters[(size_t)i];
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*>(parameters[i]);
        ASSERT_NE(ranged, nullptr);
        SCOPED_TRACE(expected.id);
        EXPECT_EQ(ranged->getParameterID(), expected.id);
        EXPECT_EQ(ranged->getName(100), expected.name);
        EXPECT_EQ(ranged->getVersionHint(), expected.versionHint);
        EXPECT_TRUE(ranged->isAutomatable());
        EXPECT_TRUE(ranged->getLabel().isEmpty());
        const auto& range = ranged->getNormalisableRange();
        EXPECT_FLOAT_EQ(range.start, expected.minimum);
        EXPECT_FLOAT_EQ(range.end, expected.maximum);
        EXPECT_NEAR(ranged->convertFrom0to1(ranged->getDefaultValue()), expected.defaultValue, 1e-4f);
        EXPECT_EQ(juce::String(vorl::kParameterIds[(size_t)i]), juce::String(expected.id));
    }
}

TEST_F(ParameterLayoutTest, DerivedDefaultsAndSkewsMatchTheirCurves)
{
    EXPECT_FLOAT_EQ(parameter("fb").convertFrom0to1(parameter("fb").getDefaultValue()), 757.0f);
    EXPECT_NEAR(parameter("dcv").convertFrom0to1(parameter("dcv").getDefaultValue()), 50.636662f, 1e-4f);
    // The decay-curve default reads back as a curve value of -70.
    const float dcv = parameter("dcv").convertFrom0to1(parameter("dcv").getDefaultValue());
    EXPECT_NEAR(-100.0 * std::cos(dcv * juce::MathConstants<double>::pi / 200.0), -70.0, 1e-4);

    const auto& master = parameter("mout").getNormalisableRange();
    EXPECT_NEAR(master.skew, 2.1766026f, 1e-6f);
    EXPECT_NEAR(master.convertFrom0to1(0.5f), -12.0f, 0.05f); // -12 dB sits at the centre
    EXPECT_FLOAT_EQ(master.interval, 0.1f);

    EXPECT_TRUE(parameter("pitchCt").getNormalisableRange().symmetricSkew);
    EXPECT_FLOAT_EQ(parameter("pitchCt").getNormalisableRange().skew, 0.4f);
    EXPECT_TRUE(parameter("pitchLB").getNormalisableRange().symmetricSkew);
    EXPECT_FLOAT_EQ(parameter("pitchLB").getNormalisableRange().skew, 0.35f);
    EXPECT_FALSE(parameter("pitchDp").getNormalisableRange().symmetricSkew);
    EXPECT_FLOAT_EQ(parameter("pitchDp").getNormalisableRange().skew, 0.5f);
    EXPECT_FLOAT_EQ(parameter("g").getNormalisableRange().skew, 1.0f);
}

struct IntCase
{
    const char* id;
    float normalised;
    float expected;
};

TEST_F(ParameterLayoutTest, IntParametersMapNormalisedValuesToWholeNumbers)
{
    const IntCase cases[] = {
        {"tapCnt", 15.0f / 63.0f, 16.0f}, {"tapCnt", 0.238095f, 16.0f}, {"dcSteps", 0.2f, 4.0f},
        {"lsh", 5.0f / 7.0f, 5.0f},       {"tremSh", 5.0f / 7.0f, 5.0f}, {"tapCnt", 1.0f, 64.0f},
        {"tapCnt", 0.0f, 1.0f},
    };
    for (const auto& c : cases)
    {
        auto& p = parameter(c.id);
        p.setValueNotifyingHost(c.normalised);
        EXPECT_FLOAT_EQ(processor.apvts.getRawParameterValue(c.id)->load(), c.expected) << c.id;
    }
}

struct GridCase
{
    const char* id;
    float origin;
    float step;
};

TEST_F(ParameterLayoutTest, SteppedParametersStoreValuesOnTheirGrid)
{
    const GridCase cases[] = {
        {"pitchCt", -50.0f, 0.1f}, {"mout", -60.0f, 0.1f}, {"pitchLB", -1200.0f, 100.0f},
        {"tDarken", 0.0f, 1.0f},   {"pitchDp", 0.0f, 1.0f},
    };
    for (const auto& c : cases)
        for (float normalised : {0.013f, 0.37f, 0.5f, 0.61f, 0.977f})
        {
            auto& p = parameter(c.id);
            p.setValueNotifyingHost(normalised);
            const float value = processor.apvts.getRawParameterValue(c.id)->load();
            const float stepsFromOrigin = (value - c.origin) / c.step;
            EXPECT_NEAR(stepsFromOrigin, std::round(stepsFromOrigin), 1e-3f) << c.id << " at " << normalised;
        }
}
} // namespace
