#include "BuiltPlugin.h"
#include "ExpectedParameters.h"
#include "HostedRender.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
using vorl::test::Format;

// The same checks on each format of the built plug-in.
class HostedPluginTest : public testing::TestWithParam<Format>
{
protected:
    static vorl::host::HostedPlugin load(double sampleRate = 48000.0, int blockSize = 512)
    {
        juce::String error;
        auto plugin = vorl::test::loadBuilt(GetParam(), sampleRate, blockSize, error);
        EXPECT_NE(plugin.instance, nullptr) << error;
        return plugin;
    }
};

INSTANTIATE_TEST_SUITE_P(Formats, HostedPluginTest, testing::ValuesIn(vorl::test::builtFormats()),
                         [](const auto& info) { return vorl::test::formatName(info.param); });

TEST_P(HostedPluginTest, HostSeesOneStereoFxNamedVorlDelay)
{
    const auto plugin = load();
    ASSERT_NE(plugin.instance, nullptr);
    EXPECT_EQ(plugin.description.name, "Vorl Delay");
    EXPECT_EQ(plugin.description.pluginFormatName.toStdString(), vorl::test::formatName(GetParam()));
    EXPECT_FALSE(plugin.description.isInstrument);

    auto& instance = *plugin.instance;
    EXPECT_EQ(instance.getTotalNumInputChannels(), 2);
    EXPECT_EQ(instance.getTotalNumOutputChannels(), 2);
    EXPECT_EQ(instance.getLatencySamples(), 0);
    EXPECT_FALSE(instance.acceptsMidi());
    EXPECT_FALSE(instance.producesMidi());
    // The processor has one program with an empty name; JUCE's VST3 wrapper publishes a
    // program list only for more than one, its LV2 wrapper one preset per program.
    EXPECT_LE(instance.getNumPrograms(), 1);
    if (GetParam() == Format::vst3)
    {
        // LV2 describes neither a category beyond "effect", a version string nor a tail.
        EXPECT_EQ(plugin.description.category, "Fx");
        EXPECT_EQ(plugin.description.version, "1.0.0");
        EXPECT_DOUBLE_EQ(instance.getTailLengthSeconds(), 15.0);
    }
}

// The plug-in's 63 parameters and the host's bypass (the VST3 wrapper's own parameter after
// them, the LV2 "enabled" port before them). The VST3 keeps the plug-in's order; JUCE's LV2
// host orders LV2 parameters by URI, so by identifier.
TEST_P(HostedPluginTest, ParametersArriveInHostOrderWithTheirNames)
{
    const auto plugin = load();
    ASSERT_NE(plugin.instance, nullptr);
    auto expected = std::vector<vorl::test::ExpectedParameter>(vorl::test::kExpectedParameters.begin(),
                                                               vorl::test::kExpectedParameters.end());
    if (GetParam() == Format::lv2)
        std::sort(expected.begin(), expected.end(),
                  [](const auto& a, const auto& b) { return std::strcmp(a.id, b.id) < 0; });

    auto* bypass = plugin.instance->getBypassParameter();
    ASSERT_NE(bypass, nullptr);
    juce::StringArray names;
    for (auto* parameter : plugin.instance->getParameters())
        if (parameter != bypass)
            names.add(parameter->getName(1024));
    ASSERT_EQ(names.size(), (int)expected.size());
    EXPECT_EQ(plugin.instance->getParameters().size(), names.size() + 1);
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(names[i], expected[(size_t)i].name) << i;

    const auto info = vorl::host::describe(plugin);
    EXPECT_EQ(info["parameters"].size(), 63);
    const int tapCount = names.indexOf("Tap Count");
    EXPECT_EQ(info["parameters"][tapCount]["name"].toString(), "Tap Count");
    EXPECT_NEAR((double)info["parameters"][tapCount]["default"], 1.0, 1e-6);
}

TEST_P(HostedPluginTest, StateSurvivesATripThroughHostedInstances)
{
    auto first = load();
    ASSERT_NE(first.instance, nullptr);
    first.instance->prepareToPlay(48000.0, 512);
    vorl::test::moveEveryParameter(*first.instance);
    vorl::test::processABlock(*first.instance);

    juce::MemoryBlock saved;
    first.instance->getStateInformation(saved);
    ASSERT_GT(saved.getSize(), 0u);

    auto second = load();
    ASSERT_NE(second.instance, nullptr);
    second.instance->setStateInformation(saved.getData(), (int)saved.getSize());

    // What the second instance saves, a third restores unchanged (the first instance's own
    // block also carries the host-side values it was given before the plug-in rounded them)...
    juce::MemoryBlock resaved, thirdSaved;
    second.instance->getStateInformation(resaved);
    auto third = load();
    ASSERT_NE(third.instance, nullptr);
    third.instance->setStateInformation(resaved.getData(), (int)resaved.getSize());
    third.instance->getStateInformation(thirdSaved);
    EXPECT_EQ(thirdSaved, resaved);

    // ...the plug-in holds every value the first one held (a ping-pong amount without its
    // switch comes back as 0, by design)...
    auto expected = vorl::test::storedValues(*first.instance);
    ASSERT_EQ(expected.size(), vorl::test::kExpectedParameters.size());
    if (expected["ppOn"] < 0.5)
        expected["ppW"] = 0.0;
    EXPECT_EQ(vorl::test::storedValues(*second.instance), expected);

    // ...and the host sees the restored values, not the defaults (an LV2 plug-in tells its
    // host with the next block).
    second.instance->prepareToPlay(48000.0, 512);
    vorl::test::processABlock(*second.instance);
    int expectedChanged = 0;
    for (const auto& parameter : vorl::test::kExpectedParameters)
        expectedChanged += expected[parameter.id] != parameter.defaultValue ? 1 : 0;
    int changedFromDefault = 0;
    for (auto* parameter : second.instance->getParameters())
        changedFromDefault += parameter->getValue() != parameter->getDefaultValue() ? 1 : 0;
    EXPECT_GT(expectedChanged, 45);
    EXPECT_EQ(changedFromDefault, expectedChanged);
}

TEST_P(HostedPluginTest, ProcessesBlocksOfAnySizeWithoutFault)
{
    auto plugin = load(48000.0, 512);
    ASSERT_NE(plugin.instance, nullptr);
    auto& instance = *plugin.instance;
    instance.prepareToPlay(48000.0, 512);

    // Blocks up to the announced size, then the host announces a larger one. (A VST3 host
    // must not exceed the size it announced: JUCE's wrapper would overrun its own buffers.
    // The processor itself copes with longer blocks, which its own tests show.)
    juce::MidiBuffer midi;
    for (int blockSize : {1, 64, 512, 333, 4096, 1})
    {
        if (blockSize == 4096)
            instance.prepareToPlay(48000.0, 4096);
        juce::AudioBuffer<float> buffer(2, blockSize);
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < blockSize; ++i)
                buffer.setSample(channel, i, 0.5f * std::sin(0.01f * (float)(i + channel)));
        instance.processBlock(buffer, midi);
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < blockSize; ++i)
                ASSERT_TRUE(std::isfinite(buffer.getSample(channel, i))) << blockSize;
    }
    instance.releaseResources();
}

TEST_P(HostedPluginTest, ImpulseComesBackAsEchoesOfTheFreshPatch)
{
    constexpr double sampleRate = 48000.0;
    constexpr int blockSize = 480;
    constexpr int windowSize = 4800;
    constexpr int windows = 40;
    auto plugin = load(sampleRate, blockSize);
    ASSERT_NE(plugin.instance, nullptr);
    auto& instance = *plugin.instance;
    instance.prepareToPlay(sampleRate, blockSize);

    juce::AudioBuffer<float> impulse(2, windows * windowSize);
    impulse.clear();
    for (int channel = 0; channel < 2; ++channel)
        impulse.setSample(channel, 0, 1.0f);
    const auto output = vorl::host::renderInBlocks(instance, impulse, blockSize);
    const std::vector<float> left(output.getReadPointer(0),
                                  output.getReadPointer(0) + output.getNumSamples());

    // A fresh instance plays "INIT PATCH": fully wet, first tap at its 320 ms Start time.
    const auto firstEcho =
        std::find_if(left.begin(), left.end(), [](float x) { return std::abs(x) > 1.0e-3f; });
    ASSERT_NE(firstEcho, left.end());
    const auto firstEchoSample = firstEcho - left.begin();
    EXPECT_NEAR((double)firstEchoSample / sampleRate, 0.320, 0.010);

    // The echoes fade. The per-window levels are printed for comparing platforms.
    std::vector<double> rms(windows);
    for (int w = 0; w < windows; ++w)
    {
        double sum = 0.0;
        for (int i = w * windowSize; i < (w + 1) * windowSize; ++i)
        {
            ASSERT_TRUE(std::isfinite(left[(size_t)i]));
            sum += (double)left[(size_t)i] * (double)left[(size_t)i];
        }
        rms[(size_t)w] = std::sqrt(sum / windowSize);
    }
    EXPECT_LT(rms.back(), 0.5 * *std::max_element(rms.begin(), rms.end()));
    std::printf("impulse-response: first echo at sample %d\n", (int)firstEchoSample);
    for (int w = 0; w < windows; ++w)
        std::printf("impulse-response: window %d rms %.6g\n", w, rms[(size_t)w]);
}

TEST_P(HostedPluginTest, EditorOpensInAWindowAndCloses)
{
#if JUCE_LINUX
    if (std::getenv("DISPLAY") == nullptr)
        GTEST_SKIP() << "no X display (the test command provides one)";
#endif
    auto plugin = load();
    ASSERT_NE(plugin.instance, nullptr);
    ASSERT_TRUE(plugin.instance->hasEditor());

    // The host's editor embeds the plug-in's view in a real top-level window, as a DAW does.
    std::unique_ptr<juce::AudioProcessorEditor> editor(plugin.instance->createEditorIfNeeded());
    ASSERT_NE(editor, nullptr);
    editor->setTopLeftPosition(40, 40);
    editor->addToDesktop(juce::ComponentPeer::windowHasTitleBar);
    editor->setVisible(true);
    juce::MessageManager::getInstance()->runDispatchLoopUntil(500);
    EXPECT_TRUE(editor->isShowing());
    EXPECT_EQ(plugin.instance->getActiveEditor(), editor.get());
    EXPECT_GE(editor->getWidth(), 100);
    EXPECT_GE(editor->getHeight(), 100);

    editor.reset();
    juce::MessageManager::getInstance()->runDispatchLoopUntil(100);
    EXPECT_EQ(plugin.instance->getActiveEditor(), nullptr);

    // The instance goes on working after its editor closed.
    juce::AudioBuffer<float> buffer(2, 256);
    buffer.clear();
    juce::MidiBuffer midi;
    plugin.instance->prepareToPlay(48000.0, 256);
    plugin.instance->processBlock(buffer, midi);
    plugin.instance->releaseResources();
}

TEST(HostedPluginLoading, MissingPluginIsAnErrorNotACrash)
{
    for (const char* missing : {"/nonexistent/Nothing.vst3", "https://vorl.audio/lv2/no-such-plugin"})
    {
        juce::String error;
        const auto plugin = vorl::host::load(missing, 44100.0, 256, error);
        EXPECT_EQ(plugin.instance, nullptr) << missing;
        EXPECT_FALSE(error.isEmpty()) << missing;
    }
}
} // namespace

namespace
{
// A DAW opens and closes the window many times while the transport runs; the editor's refresh
// must never disturb the sound or the state.
TEST_P(HostedPluginTest, EditorOpensAndClosesRepeatedlyWhileAudioRunsAndChangesNothing)
{
#if JUCE_LINUX
    if (std::getenv("DISPLAY") == nullptr)
        GTEST_SKIP() << "no X display (the test command provides one)";
#endif
    auto plugin = load(48000.0, 256);
    ASSERT_NE(plugin.instance, nullptr);
    auto& instance = *plugin.instance;
    instance.prepareToPlay(48000.0, 256);
    juce::AudioBuffer<float> buffer(2, 256);
    juce::MidiBuffer midi;
    const auto runAudio = [&](int blocks)
    {
        for (int block = 0; block < blocks; ++block)
        {
            for (int channel = 0; channel < 2; ++channel)
                for (int i = 0; i < 256; ++i)
                    buffer.setSample(channel, i, 0.25f * std::sin(0.03f * (float)(block * 256 + i)));
            instance.processBlock(buffer, midi);
            for (int channel = 0; channel < 2; ++channel)
                ASSERT_TRUE(std::isfinite(buffer.getMagnitude(channel, 0, 256)));
        }
    };
    const auto values = [&]
    {
        std::vector<float> all;
        for (auto* parameter : instance.getParameters())
            all.push_back(parameter->getValue());
        return all;
    };

    runAudio(20);
    const auto before = values();
    for (int round = 0; round < 3; ++round)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor(instance.createEditorIfNeeded());
        ASSERT_NE(editor, nullptr);
        editor->setTopLeftPosition(40, 40);
        editor->addToDesktop(juce::ComponentPeer::windowHasTitleBar);
        editor->setVisible(true);
        // About ten refresh ticks with audio running in between.
        for (int slice = 0; slice < 10; ++slice)
        {
            runAudio(4);
            juce::MessageManager::getInstance()->runDispatchLoopUntil(35);
        }
        EXPECT_TRUE(editor->isShowing());
        editor.reset();
        juce::MessageManager::getInstance()->runDispatchLoopUntil(50);
        EXPECT_EQ(instance.getActiveEditor(), nullptr);
    }
    runAudio(4);
    EXPECT_EQ(values(), before);
    instance.releaseResources();
}
} // namespace
