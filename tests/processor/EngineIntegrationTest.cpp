#include "PlainValues.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <random>
#include <thread>
#include <vector>

namespace
{
void setValue(TarnelDelayAudioProcessor& processor, const char* id, float plainValue)
{
    vorl::test::setPlainValue(processor.apvts, id, plainValue);
}

void fillNoise(juce::AudioBuffer<float>& buffer, std::mt19937& rng, float amplitude)
{
    std::uniform_real_distribution<float> noise(-amplitude, amplitude);
    for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            buffer.setSample(channel, i, noise(rng));
}

bool sameLayout(const vorl::TapLayoutResult& a, const vorl::TapLayoutResult& b)
{
    if (a.count != b.count)
        return false;
    for (size_t i = 0; i < a.taps.size(); ++i)
        if (a.taps[i].timeMs != b.taps[i].timeMs || a.taps[i].gain != b.taps[i].gain ||
            a.taps[i].stereoOffset != b.taps[i].stereoOffset)
            return false;
    return true;
}

// The editor's reader runs while the audio thread flips between two patterns every block:
// every snapshot it takes is one of the two, whole.
TEST(EngineIntegration, EditorSnapshotsAreNeverTornWhileBlocksRun)
{
    TarnelDelayAudioProcessor processor;
    processor.prepareToPlay(48000.0, 64);
    juce::AudioBuffer<float> buffer(2, 64);
    buffer.clear();
    juce::MidiBuffer midi;

    auto layoutFor = [&](float length, float count)
    {
        setValue(processor, "fb", length);
        setValue(processor, "tapCnt", count);
        processor.processBlock(buffer, midi);
        return processor.getTapSnapshot();
    };
    const auto patternA = layoutFor(300.0f, 64.0f);
    const auto patternB = layoutFor(900.0f, 7.0f);
    ASSERT_FALSE(sameLayout(patternA, patternB));

    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::atomic<int> reads{0};
    std::thread editor(
        [&]
        {
            while (!done.load())
            {
                const auto snapshot = processor.getTapSnapshot();
                if (!sameLayout(snapshot, patternA) && !sameLayout(snapshot, patternB))
                    ++torn;
                ++reads;
            }
        });
    for (int block = 0; block < 4000; ++block)
    {
        const bool useA = block % 2 == 0;
        setValue(processor, "fb", useA ? 300.0f : 900.0f);
        setValue(processor, "tapCnt", useA ? 64.0f : 7.0f);
        processor.processBlock(buffer, midi);
    }
    done = true;
    editor.join();
    EXPECT_EQ(torn.load(), 0);
    EXPECT_GT(reads.load(), 0);
}

// Thousands of blocks of random sizes with every parameter automated each block, while a
// second thread loads states and presets. The output must stay finite; its peak stays under
// 7000 (64 taps at gain 1.8 on a full-scale input, x10 for pitch regeneration at its 0.9
// ceiling, x3 for the widest stereo spread, x2 for +6 dB of master).
TEST(EngineIntegration, StressWithAutomationAndConcurrentStateLoads)
{
    TarnelDelayAudioProcessor processor;
    processor.prepareToPlay(44100.0, 512);
    std::mt19937 rng(4242);

    juce::MemoryBlock savedState;
    processor.getStateInformation(savedState);

    std::atomic<bool> done{false};
    std::thread loader(
        [&]
        {
            std::mt19937 loaderRng(99);
            int round = 0;
            while (!done.load() && round < 400)
            {
                if (round++ % 2 == 0)
                    processor.setStateInformation(savedState.getData(), (int)savedState.getSize());
                else
                {
                    auto* values = new juce::DynamicObject();
                    values->setProperty("g", std::uniform_real_distribution<double>(0.0, 1.0)(loaderRng));
                    values->setProperty("rev", (double)(loaderRng() % 2));
                    processor.applyPatch({"Stress", "", juce::var(values)});
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });

    auto& parameters = processor.getParameters();
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    juce::MidiBuffer midi;
    for (int block = 0; block < 2500; ++block)
    {
        for (auto* parameter : parameters)
            if (unit(rng) < 0.3f)
                parameter->setValueNotifyingHost(unit(rng));
        const int n = 1 + (int)(rng() % 4096u);
        juce::AudioBuffer<float> buffer(2, n);
        fillNoise(buffer, rng, 1.0f);
        processor.processBlock(buffer, midi);
        ASSERT_TRUE(std::isfinite(processor.outputPeak)) << "block " << block;
        ASSERT_LE(processor.outputPeak, 7000.0f) << "block " << block;
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < n; ++i)
                ASSERT_TRUE(std::isfinite(buffer.getSample(channel, i))) << "block " << block;
    }
    done = true;
    loader.join();
}

// NaN and infinite input samples enter as silence: the output stays finite and is exactly the
// output for the same input with those samples set to 0, with every effect that keeps a
// memory (tape, pitch regeneration, tremolo, wave) running.
class NonFiniteInputTest : public testing::TestWithParam<int>
{
protected:
    static void setUpBusyPatch(TarnelDelayAudioProcessor& processor)
    {
        for (const auto& [id, plain] :
             std::initializer_list<std::pair<const char*, float>>{{"tp", 1.0f},
                                                                  {"flutter", 60.0f},
                                                                  {"pitchOn", 1.0f},
                                                                  {"pitchCt", 7.0f},
                                                                  {"pitchFbk", 80.0f},
                                                                  {"trem", 1.0f},
                                                                  {"wo", 1.0f},
                                                                  {"tapCnt", 24.0f},
                                                                  {"mix", 60.0f},
                                                                  {"pd", 0.0f},
                                                                  {"s", 100.0f}})
            setValue(processor, id, plain);
    }
};

TEST_P(NonFiniteInputTest, EntersAsSilence)
{
    const int blockSize = GetParam();
    TarnelDelayAudioProcessor poisoned, clean;
    setUpBusyPatch(poisoned);
    juce::MemoryBlock state; // the same settings and LFO seeds in both
    poisoned.getStateInformation(state);
    clean.setStateInformation(state.getData(), (int)state.getSize());
    poisoned.setStateInformation(state.getData(), (int)state.getSize());
    poisoned.prepareToPlay(48000.0, blockSize);
    clean.prepareToPlay(48000.0, blockSize);

    std::mt19937 rng(777u + (unsigned)blockSize);
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity()};
    juce::MidiBuffer midi;
    const int totalSamples = 48000;
    int badSamples = 0;
    for (int done = 0; done < totalSamples; done += blockSize)
    {
        juce::AudioBuffer<float> poisonedBlock(2, blockSize), cleanBlock(2, blockSize);
        fillNoise(cleanBlock, rng, 0.5f);
        poisonedBlock.makeCopyOf(cleanBlock);
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < blockSize; ++i)
                if (rng() % 97u == 0u)
                {
                    poisonedBlock.setSample(channel, i, bad[rng() % 3u]);
                    cleanBlock.setSample(channel, i, 0.0f);
                    ++badSamples;
                }
        poisoned.processBlock(poisonedBlock, midi);
        clean.processBlock(cleanBlock, midi);
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < blockSize; ++i)
            {
                ASSERT_TRUE(std::isfinite(poisonedBlock.getSample(channel, i))) << done + i;
                ASSERT_EQ(poisonedBlock.getSample(channel, i), cleanBlock.getSample(channel, i)) << done + i;
            }
    }
    EXPECT_GT(badSamples, 100);
    EXPECT_TRUE(std::isfinite(poisoned.outputPeak));
}

INSTANTIATE_TEST_SUITE_P(BlockSizes, NonFiniteInputTest, testing::Values(1, 37, 512, 4096));
} // namespace
