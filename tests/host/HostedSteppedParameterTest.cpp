// Switches and whole-number parameters as a VST3 or LV2 host meets them: discrete with their
// number of steps, and always reporting the step the plug-in holds, whatever value the host sent.
#include "BuiltPlugin.h"
#include "ExpectedParameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
// Every stepped parameter: the switches and the whole numbers, with the names and ranges hosts
// know them by.
std::vector<vorl::test::ExpectedParameter> steppedParameters()
{
    std::vector<vorl::test::ExpectedParameter> stepped;
    for (const auto& expected : vorl::test::kExpectedParameters)
        if (vorl::test::isStepped(expected))
            stepped.push_back(expected);
    return stepped;
}

const auto kSteppedParameters = steppedParameters();

class HostedSteppedParameterTest : public testing::TestWithParam<vorl::test::Format>
{
protected:
    void SetUp() override
    {
        juce::String error;
        plugin = vorl::test::loadBuilt(GetParam(), 48000.0, 256, error);
        ASSERT_NE(plugin.instance, nullptr) << error;
        plugin.instance->prepareToPlay(48000.0, 256);
    }

    void TearDown() override
    {
        if (plugin.instance != nullptr)
            plugin.instance->releaseResources();
    }

    juce::AudioProcessorParameter* find(const juce::String& name)
    {
        auto* parameter = vorl::test::findParameter(*plugin.instance, name);
        if (parameter == nullptr)
            ADD_FAILURE() << "no parameter " << name;
        return parameter;
    }

    // Blocks of audio and the message loop until the condition holds (at most a second), as in
    // a running host. (An LV2 plug-in answers the host in the blocks after a change.)
    template <typename Condition> void runHostUntil(Condition&& condition)
    {
        juce::AudioBuffer<float> buffer(2, 256);
        juce::MidiBuffer midi;
        const auto deadline = juce::Time::getMillisecondCounter() + 1000;
        do
        {
            buffer.clear();
            plugin.instance->processBlock(buffer, midi);
            juce::MessageManager::getInstance()->runDispatchLoopUntil(5);
        } while (!condition() && juce::Time::getMillisecondCounter() < deadline);
    }

    void runHost()
    {
        runHostUntil([] { return false; });
    }

    // The plain value the plug-in stores for a parameter, read from its saved state.
    double storedValue(const char* id)
    {
        const auto values = vorl::test::storedValues(*plugin.instance);
        const auto found = values.find(id);
        return found != values.end() ? found->second : std::nan("");
    }

    vorl::host::HostedPlugin plugin;
};

INSTANTIATE_TEST_SUITE_P(Formats, HostedSteppedParameterTest, testing::ValuesIn(vorl::test::builtFormats()),
                         [](const auto& info) { return vorl::test::formatName(info.param); });

TEST_P(HostedSteppedParameterTest, StepsAreDiscreteWithTheirCount)
{
    ASSERT_EQ(kSteppedParameters.size(), 26u); // 20 switches and 6 whole numbers, none missed
    for (const auto& stepped : kSteppedParameters)
    {
        SCOPED_TRACE(stepped.name);
        auto* parameter = find(stepped.name);
        ASSERT_NE(parameter, nullptr);
        EXPECT_TRUE(parameter->isDiscrete());
        EXPECT_EQ(parameter->getNumSteps(), (int)(stepped.maximum - stepped.minimum) + 1);
    }
    // Continuous parameters stay continuous.
    for (const char* name : {"Vorl", "Start", "Dry/Wet", "Master", "Pitch"})
        EXPECT_FALSE(find(name)->isDiscrete()) << name;
}

// A host value just below and just above the middle between two steps lands on the nearer
// step; the plug-in stores it and the VST3 host then shows it. (JUCE's LV2 wrapper rounds an LV2
// host's value to the nearest step before the plug-in sees it, so the plug-in cannot tell that
// host which step it took; LV2 hosts offer only the steps of an enumeration.)
TEST_P(HostedSteppedParameterTest, ValuesBetweenStepsReportTheStepHeld)
{
    for (const auto& stepped : kSteppedParameters)
    {
        const int steps = (int)(stepped.maximum - stepped.minimum);
        auto* parameter = find(stepped.name);
        ASSERT_NE(parameter, nullptr);
        // The first step, a middle one and the last, approached from both sides.
        for (const int step : {0, steps / 2, steps})
            for (const double side : {-0.45, -0.05, 0.05, 0.45})
            {
                const double hostValue = (step + side) / steps;
                if (hostValue < 0.0 || hostValue > 1.0)
                    continue;
                SCOPED_TRACE(juce::String(stepped.name) + " host value " + juce::String(hostValue, 4));
                parameter->setValue((float)hostValue);
                const float expected = (float)step / (float)steps;
                if (GetParam() == vorl::test::Format::vst3)
                {
                    runHostUntil([&] { return std::abs(parameter->getValue() - expected) < 1.0e-6f; });
                    EXPECT_NEAR(parameter->getValue(), (double)step / steps, 1.0e-6);
                }
                else
                    vorl::test::processABlock(*plugin.instance, 256);
                EXPECT_DOUBLE_EQ(storedValue(stepped.id), stepped.minimum + step);
            }
    }
}

// After a state load every switch reports the restored 0 or 1, not a value the host sent
// before the load.
TEST_P(HostedSteppedParameterTest, StateLoadsReportTheRestoredSteps)
{
    if (GetParam() == vorl::test::Format::lv2)
        GTEST_SKIP() << "an LV2 host's values between steps never reach the plug-in (see above)";
    for (const bool restoredOn : {false, true})
    {
        for (const auto& stepped : kSteppedParameters)
            find(stepped.name)->setValueNotifyingHost(restoredOn ? 1.0f : 0.0f);
        runHost();
        juce::MemoryBlock saved;
        plugin.instance->getStateInformation(saved);

        // Values between the steps that round to the same switch positions as the state.
        for (const auto& stepped : kSteppedParameters)
            find(stepped.name)->setValue(restoredOn ? 0.7f : 0.3f);
        runHost();
        plugin.instance->setStateInformation(saved.getData(), (int)saved.getSize());
        runHost();

        for (const auto& stepped : kSteppedParameters)
            EXPECT_EQ(find(stepped.name)->getValue(), restoredOn ? 1.0f : 0.0f)
                << stepped.name << (restoredOn ? " restored on" : " restored off");
    }
}
} // namespace
