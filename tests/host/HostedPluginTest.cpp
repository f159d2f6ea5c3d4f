#include "HostedPlugin.h"
#include "ExpectedParameters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
class HostedPluginTest : public testing::Test
{
protected:
    static vorl::host::HostedPlugin load(double sampleRate = 48000.0, int blockSize = 512)
    {
        juce::String error;
        auto plugin = vorl::host::loadVst3(VORL_VST3_BUNDLE, sampleRate, blockSize, error);
        EXPECT_NE(plugin.instance, nullptr) << error;
        return plugin;
    }
};

TEST_F(HostedPluginTest, HostSeesOneStereoFxNamedVorlDelay)
{
    const auto plugin = load();
    ASSERT_NE(plugin.instance, nullptr);
    EXPECT_EQ(plugin.description.name, "Vorl Delay");
    EXPECT_EQ(plugin.description.category, "Fx");
    EXPECT_EQ(plugin.description.version, "1.0.0");
    EXPECT_EQ(plugin.description.pluginFormatName, "VST3");
    EXPECT_FALSE(plugin.description.isInstrument);

    auto& instance = *plugin.instance;
    EXPECT_EQ(instance.getTotalNumInputChannels(), 2);
    EXPECT_EQ(instance.getTotalNumOutputChannels(), 2);
    EXPECT_DOUBLE_EQ(instance.getTailLengthSeconds(), 15.0);
    EXPECT_EQ(instance.getLatencySamples(), 0);
    EXPECT_FALSE(instance.acceptsMidi());
    EXPECT_FALSE(instance.producesMidi());
    // The processor has one program with an empty name; JUCE's VST3 wrapper publishes a
    // program list only for more than one.
    EXPECT_LE(instance.getNumPrograms(), 1);
}

TEST_F(HostedPluginTest, ParametersArriveInHostOrderWithTheirNames)
{
    const auto plugin = load();
    ASSERT_NE(plugin.instance, nullptr);
    // Our 63 parameters come first, in order; the VST3 wrapper appends its own host bypass.
    const auto& parameters = plugin.instance->getParameters();
    const int ours = (int)vorl::test::kExpectedParameters.size();
    ASSERT_EQ(parameters.size(), ours + 1);
    for (int i = 0; i < ours; ++i)
        EXPECT_EQ(parameters[i]->getName(1024), vorl::test::kExpectedParameters[(size_t)i].name) << i;
    EXPECT_EQ(parameters[ours], plugin.instance->getBypassParameter());

    const auto info = vorl::host::describe(plugin);
    EXPECT_EQ(info["parameters"].size(), 63);
    EXPECT_EQ(info["parameters"][11]["name"].toString(), "Tap Count");
    EXPECT_NEAR((double)info["parameters"][11]["default"], 1.0, 1e-6);
}

TEST_F(HostedPluginTest, StateSurvivesATripThroughHostedInstances)
{
    auto first = load();
    ASSERT_NE(first.instance, nullptr);
    auto& parameters = first.instance->getParameters();
    const float chosen[] = {0.1f, 0.35f, 0.8f, 0.55f};
    for (int i = 0; i < parameters.size(); ++i)
        if (parameters[i] != first.instance->getBypassParameter())
            parameters[i]->setValueNotifyingHost(chosen[i % 4]);

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

    // ...and the host sees the restored values, not the defaults.
    int changedFromDefault = 0;
    for (auto* parameter : second.instance->getParameters())
        changedFromDefault += parameter->getValue() != parameter->getDefaultValue() ? 1 : 0;
    EXPECT_GT(changedFromDefault, 50);
}

TEST_F(HostedPluginTest, ProcessesBlocksOfAnySizeWithoutFault)
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

TEST_F(HostedPluginTest, ImpulseComesBackAsEchoesOfTheFreshPatch)
{
    constexpr double sampleRate = 48000.0;
    constexpr int blockSize = 480;
    constexpr int windowSize = 4800;
    constexpr int windows = 40;
    auto plugin = load(sampleRate, blockSize);
    ASSERT_NE(plugin.instance, nullptr);
    auto& instance = *plugin.instance;
    instance.prepareToPlay(sampleRate, blockSize);

    juce::MidiBuffer midi;
    std::vector<float> left;
    juce::AudioBuffer<float> buffer(2, blockSize);
    for (int block = 0; block < windows * windowSize / blockSize; ++block)
    {
        buffer.clear();
        if (block == 0)
            for (int channel = 0; channel < 2; ++channel)
                buffer.setSample(channel, 0, 1.0f);
        instance.processBlock(buffer, midi);
        left.insert(left.end(), buffer.getReadPointer(0), buffer.getReadPointer(0) + blockSize);
    }

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

TEST_F(HostedPluginTest, EditorOpensInAWindowAndCloses)
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

TEST(HostedPluginLoading, MissingBundleIsAnErrorNotACrash)
{
    juce::String error;
    const auto plugin = vorl::host::loadVst3("/nonexistent/Nothing.vst3", 44100.0, 256, error);
    EXPECT_EQ(plugin.instance, nullptr);
    EXPECT_FALSE(error.isEmpty());
}
} // namespace

namespace
{
// A DAW opens and closes the window many times while the transport runs; the editor's refresh
// must never disturb the sound or the state.
TEST_F(HostedPluginTest, EditorOpensAndClosesRepeatedlyWhileAudioRunsAndChangesNothing)
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
