// Switches and whole-number parameters as a VST3 host meets them: discrete with their number
// of steps, and always reporting the step the plug-in holds, whatever value the host sent.
#include "ExpectedParameters.h"
#include "HostedPlugin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace
{
// Every stepped parameter: the switches and the whole numbers, with the names and ranges hosts
// know them by.
std::vector<vorl::test::ExpectedParameter> steppedParameters()
{
    const juce::StringArray ids{"io2x",     "lk",         "mu",      "rev",       "flipped",   "tapCnt",
                                "dc",       "dcMode",     "dcSteps", "mixByp",    "sideOnly",  "ppOn",
                                "tp",       "tOd",        "pitchOn", "pitchSync", "pitchWide", "pitch2x",
                                "pitchSh",  "pitchGLink", "wo",      "waveSync",  "lsh",       "trem",
                                "tremSync", "tremSh"};
    std::vector<vorl::test::ExpectedParameter> stepped;
    for (const auto& expected : vorl::test::kExpectedParameters)
        if (ids.contains(expected.id))
            stepped.push_back(expected);
    return stepped;
}

const auto kSteppedParameters = steppedParameters();

// The plug-in's own state inside a hosted VST3 state: JUCE's host keeps the component's
// block as base64 text, and the plug-in's binary XML starts at its magic number.
std::unique_ptr<juce::XmlElement> pluginStateXml(const juce::MemoryBlock& hostState)
{
    const auto host = juce::AudioProcessor::getXmlFromBinary(hostState.getData(), (int)hostState.getSize());
    const auto* component = host != nullptr ? host->getChildByName("IComponent") : nullptr;
    juce::MemoryBlock block;
    if (component == nullptr || !block.fromBase64Encoding(component->getAllSubText()))
        return {};
    const char magic[] = {'V', 'C', '2', '!'};
    const auto* bytes = static_cast<const char*>(block.getData());
    for (size_t offset = 0; offset + sizeof magic <= block.getSize(); ++offset)
        if (std::memcmp(bytes + offset, magic, sizeof magic) == 0)
            return juce::AudioProcessor::getXmlFromBinary(bytes + offset, (int)(block.getSize() - offset));
    return {};
}

class HostedSteppedParameterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        juce::String error;
        plugin = vorl::host::loadVst3(VORL_VST3_BUNDLE, 48000.0, 256, error);
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
        for (auto* parameter : plugin.instance->getParameters())
            if (parameter->getName(1024) == name)
                return parameter;
        ADD_FAILURE() << "no parameter " << name;
        return nullptr;
    }

    // One block of audio, then the message loop until the condition holds (at most a second),
    // as in a running host.
    template <typename Condition> void runHostUntil(Condition&& condition)
    {
        juce::AudioBuffer<float> buffer(2, 256);
        buffer.clear();
        juce::MidiBuffer midi;
        plugin.instance->processBlock(buffer, midi);
        const auto deadline = juce::Time::getMillisecondCounter() + 1000;
        do
            juce::MessageManager::getInstance()->runDispatchLoopUntil(5);
        while (!condition() && juce::Time::getMillisecondCounter() < deadline);
    }

    void runHost()
    {
        runHostUntil([] { return false; });
    }

    // The plain value the plug-in stores for a parameter, read from its saved state.
    double storedValue(const char* id)
    {
        juce::MemoryBlock state;
        plugin.instance->getStateInformation(state);
        if (const auto xml = pluginStateXml(state))
            for (auto* param : xml->getChildWithTagNameIterator("PARAM"))
                if (param->getStringAttribute("id") == id)
                    return param->getDoubleAttribute("value", std::nan(""));
        return std::nan("");
    }

    vorl::host::HostedPlugin plugin;
};

TEST_F(HostedSteppedParameterTest, StepsAreDiscreteWithTheirCount)
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
// step; the host then shows that step and the plug-in stores it.
TEST_F(HostedSteppedParameterTest, ValuesBetweenStepsReportTheStepHeld)
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
                runHostUntil([&] { return std::abs(parameter->getValue() - expected) < 1.0e-6f; });
                EXPECT_NEAR(parameter->getValue(), (double)step / steps, 1.0e-6);
                EXPECT_DOUBLE_EQ(storedValue(stepped.id), stepped.minimum + step);
            }
    }
}

// After a state load every switch reports the restored 0 or 1, not a value the host sent
// before the load.
TEST_F(HostedSteppedParameterTest, StateLoadsReportTheRestoredSteps)
{
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
