// What an LV2 host believes the plug-in's parameters hold. LV2 hosts start from the defaults in
// the plug-in's description and learn other values only from the plug-in's reports, so the
// plug-in must report the preset it starts with and every value a state load brings.
#include "BuiltPlugin.h"
#include "ExpectedParameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace
{
using vorl::test::kExpectedParameters;

constexpr double kSampleRate = 48000.0;
constexpr int kBlockSize = 512;

// JUCE's LV2 host scales LV2 parameters linearly between the described minimum and maximum.
std::map<juce::String, double> hostPlainValues(juce::AudioPluginInstance& instance)
{
    std::map<juce::String, double> values;
    for (const auto& expected : kExpectedParameters)
        if (auto* parameter = vorl::test::findParameter(instance, expected.name))
            values[expected.id] =
                expected.minimum + parameter->getValue() * (expected.maximum - expected.minimum);
    return values;
}

bool agree(const std::map<juce::String, double>& host, const std::map<juce::String, double>& plugin)
{
    for (const auto& expected : kExpectedParameters)
    {
        const auto a = host.find(expected.id), b = plugin.find(expected.id);
        if (a == host.end() || b == plugin.end() ||
            std::abs(a->second - b->second) > 1.0e-4 * (expected.maximum - expected.minimum))
            return false;
    }
    return true;
}

// Blocks and the message loop, as in a running host, until the host agrees with what the
// plug-in holds (at most a second); returns the host's values.
std::map<juce::String, double> runUntilHostAgrees(juce::AudioPluginInstance& instance)
{
    const auto deadline = juce::Time::getMillisecondCounter() + 1000;
    auto host = hostPlainValues(instance);
    while (!agree(host, vorl::test::storedValues(instance)) && juce::Time::getMillisecondCounter() < deadline)
    {
        vorl::test::processABlock(instance, kBlockSize);
        juce::MessageManager::getInstance()->runDispatchLoopUntil(5);
        host = hostPlainValues(instance);
    }
    return host;
}

vorl::host::HostedPlugin loadLv2()
{
    return vorl::test::loadPrepared(vorl::test::Format::lv2, kSampleRate, kBlockSize);
}

void expectHostShowsPluginValues(juce::AudioPluginInstance& instance)
{
    const auto host = runUntilHostAgrees(instance);
    vorl::test::expectValuesNear(host, vorl::test::storedValues(instance), 1.0e-4);
}

// A fresh instance plays the INIT PATCH preset, which differs from the parameter defaults in
// 27 parameters (Start, Predelay, Dry/Wet, ...).
TEST(HostedLv2Values, HostSeesThePresetAFreshInstanceStartsWith)
{
    auto plugin = loadLv2();
    ASSERT_NE(plugin.instance, nullptr);
    expectHostShowsPluginValues(*plugin.instance);
}

TEST(HostedLv2Values, HostSeesTheValuesAStateLoadBrings)
{
    auto first = loadLv2();
    ASSERT_NE(first.instance, nullptr);
    vorl::test::moveEveryParameter(*first.instance);
    vorl::test::processABlock(*first.instance, kBlockSize);
    juce::MemoryBlock saved;
    first.instance->getStateInformation(saved);

    auto second = loadLv2();
    ASSERT_NE(second.instance, nullptr);
    second.instance->setStateInformation(saved.getData(), (int)saved.getSize());
    expectHostShowsPluginValues(*second.instance);
}
} // namespace
