// The LV2 and the VST3 built from the same sources, each loaded through JUCE's hosting of its
// format: the same settings must sound the same and leave the same values in the saved states,
// and each host's default for a parameter must be the plug-in's default.
#include "BuiltPlugin.h"
#include "ExpectedParameters.h"
#include "HostedRender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace
{
using vorl::test::Format;
using vorl::test::kExpectedParameters;

constexpr double kSampleRate = 48000.0;
constexpr int kBlockSize = 512;

const vorl::test::ExpectedParameter& expectedFor(const char* id)
{
    for (const auto& expected : kExpectedParameters)
        if (std::strcmp(expected.id, id) == 0)
            return expected;
    throw std::invalid_argument(id);
}

// Sets a parameter to a plain value through the host's normalised value. LV2 hosts scale
// linearly between the described minimum and maximum, so this suits the VST3 only for the
// parameters whose range is linear there too (all but Master, Pitch, Pitch Depth and Length
// Bend).
void setPlain(juce::AudioPluginInstance& instance, const char* id, double plain)
{
    const auto& expected = expectedFor(id);
    auto* parameter = vorl::test::findParameter(instance, expected.name);
    ASSERT_NE(parameter, nullptr) << id;
    parameter->setValueNotifyingHost(
        (float)((plain - expected.minimum) / (expected.maximum - expected.minimum)));
}

// Half a second of silence, then plucked tones on both channels with a short noise burst, then
// silence for the echoes. The silence comes first because JUCE's LV2 host re-creates the plug-in
// and restores its state in prepareToPlay and the VST3 host does not: the first block after
// preparing then starts the engine's 4 ms start-up fade from different points. Hosts play
// silence before the song in any case.
juce::AudioBuffer<float> testSignal()
{
    const int start = (int)(0.5 * kSampleRate);
    juce::AudioBuffer<float> signal(2, (int)(3.0 * kSampleRate));
    signal.clear();
    juce::Random random(0x5eed);
    for (int i = 0; i < (int)(0.4 * kSampleRate); ++i)
    {
        const double t = i / kSampleRate;
        const auto pluck =
            (float)(0.5 * std::sin(2.0 * juce::MathConstants<double>::pi * 220.0 * t) * std::exp(-6.0 * t));
        const float noise = i < 2400 ? 0.3f * (2.0f * random.nextFloat() - 1.0f) : 0.0f;
        signal.setSample(0, start + i, pluck + noise);
        signal.setSample(1, start + i, 0.8f * pluck - noise);
    }
    return signal;
}

double largestDifference(const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    double largest = 0.0;
    for (int channel = 0; channel < a.getNumChannels(); ++channel)
        for (int i = 0; i < a.getNumSamples(); ++i)
            largest = std::max(largest, (double)std::abs(a.getSample(channel, i) - b.getSample(channel, i)));
    return largest;
}

class FormatComparisonTest : public testing::Test
{
protected:
    static vorl::host::HostedPlugin load(Format format)
    {
        return vorl::test::loadPrepared(format, kSampleRate, kBlockSize);
    }
};

struct Setting
{
    const char* id;
    double plain;
};

struct SettingsCase
{
    const char* name;
    std::vector<Setting> settings;
};

const SettingsCase kSoundCases[] = {
    {"fresh patch", {}},
    {"six reversed ping-pong taps with feedback",
     {{"tapCnt", 6}, {"fbk", 45}, {"rev", 1}, {"ppOn", 1}, {"ppW", 60}, {"mix", 50}, {"s", 150}, {"e", 400}}},
    {"tape, linked pitch, wave, tremolo and stepped decay",
     {{"tp", 1},
      {"tBoost", 40},
      {"flutter", 30},
      {"pitchOn", 1},
      {"pitchGLink", 1},
      {"pitchWLAmt", 300},
      {"g", 40},
      {"wo", 1},
      {"trem", 1},
      {"tremD", 50},
      {"dcMode", 1},
      {"dcSteps", 6},
      {"spread", 10}}},
};

TEST_F(FormatComparisonTest, SameSettingsSoundTheSame)
{
    const auto input = testSignal();
    for (const auto& soundCase : kSoundCases)
    {
        SCOPED_TRACE(soundCase.name);
        auto vst3 = load(Format::vst3);
        auto lv2 = load(Format::lv2);
        ASSERT_TRUE(vst3.instance != nullptr && lv2.instance != nullptr);
        for (const auto& setting : soundCase.settings)
        {
            setPlain(*vst3.instance, setting.id, setting.plain);
            setPlain(*lv2.instance, setting.id, setting.plain);
        }

        // Both hosts play at 120 BPM from the start: JUCE's VST3 host passes the play head in
        // the process context, its LV2 host as time:Position events.
        vorl::host::OfflinePlayHead vst3PlayHead(120.0, kSampleRate), lv2PlayHead(120.0, kSampleRate);
        const auto fromVst3 = vorl::host::renderInBlocks(*vst3.instance, input, kBlockSize, &vst3PlayHead);
        const auto fromLv2 = vorl::host::renderInBlocks(*lv2.instance, input, kBlockSize, &lv2PlayHead);
        EXPECT_GT(fromVst3.getMagnitude(0, fromVst3.getNumSamples()), 0.01f);
        const double difference = largestDifference(fromVst3, fromLv2);
        EXPECT_LE(difference, 1.0e-6);
        std::printf("lv2-vs-vst3: %s: largest difference %.3g\n", soundCase.name, difference);
        EXPECT_EQ(vorl::test::storedValues(*lv2.instance), vorl::test::storedValues(*vst3.instance));
    }
}

// Every parameter moved in the VST3; the same plain values set in the LV2 (through its linear
// host range, for the skewed parameters too) save the same values.
TEST_F(FormatComparisonTest, SavedStatesOfTheSameSettingsHoldTheSameValues)
{
    auto vst3 = load(Format::vst3);
    auto lv2 = load(Format::lv2);
    ASSERT_TRUE(vst3.instance != nullptr && lv2.instance != nullptr);
    vorl::test::moveEveryParameter(*vst3.instance);
    vorl::test::processABlock(*vst3.instance, kBlockSize);
    const auto fromVst3 = vorl::test::storedValues(*vst3.instance);
    ASSERT_EQ(fromVst3.size(), kExpectedParameters.size());

    for (const auto& [id, plain] : fromVst3)
        setPlain(*lv2.instance, id.toRawUTF8(), plain);
    vorl::test::processABlock(*lv2.instance, kBlockSize);
    vorl::test::expectValuesNear(vorl::test::storedValues(*lv2.instance), fromVst3, 1.0e-6);
}

// A host's "reset to default" sends the default it read from the plug-in's description; in
// both formats that must land on the parameter's default. (A fresh instance plays the INIT
// PATCH preset instead.)
TEST_F(FormatComparisonTest, HostDefaultsAreTheParameterDefaults)
{
    for (const auto format : {Format::vst3, Format::lv2})
    {
        SCOPED_TRACE(vorl::test::formatName(format));
        auto plugin = load(format);
        ASSERT_NE(plugin.instance, nullptr);
        vorl::test::moveEveryParameter(*plugin.instance);
        // A step report still on its way would otherwise overtake the defaults set below.
        vorl::test::settle(*plugin.instance, 100, kBlockSize);
        for (auto* parameter : plugin.instance->getParameters())
            if (parameter != plugin.instance->getBypassParameter())
                parameter->setValueNotifyingHost(parameter->getDefaultValue());
        vorl::test::processABlock(*plugin.instance, kBlockSize);

        std::map<juce::String, double> defaults;
        for (const auto& expected : kExpectedParameters)
            defaults[expected.id] = expected.defaultValue;
        vorl::test::expectValuesNear(vorl::test::storedValues(*plugin.instance), defaults, 1.0e-6);
    }
}
} // namespace
