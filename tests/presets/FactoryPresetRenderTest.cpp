// Renders every factory preset through the processor: pink noise at -18 dBFS RMS for 2 s, then
// silence. The output must stay finite, peak at or below +6 dBFS, and (unless the preset is fully
// dry) keep a wet tail above -60 dBFS for at least 100 ms after the input stops.
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <random>

namespace
{
constexpr double kSampleRate = 48000.0;
constexpr int kBlockSize = 512;
constexpr int kInputSamples = 2 * (int)kSampleRate;
constexpr int kTailSamples = (int)kSampleRate / 2; // silence after the noise
constexpr float kPeakLimit = 1.99526231f;          // +6 dBFS
constexpr float kTailThreshold = 0.001f;           // -60 dBFS
constexpr int kMinimumTailSamples = (int)(0.1 * kSampleRate);

// Pink noise (Paul Kellet's filter over white noise), scaled to the given RMS, one channel.
std::vector<float> pinkNoise(uint32_t seed, int samples, float targetRms)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> white(-1.0f, 1.0f);
    float b0 = 0, b1 = 0, b2 = 0, b3 = 0, b4 = 0, b5 = 0, b6 = 0;
    std::vector<float> out((size_t)samples);
    double sumSquares = 0.0;
    for (auto& sample : out)
    {
        const float w = white(generator);
        b0 = 0.99886f * b0 + w * 0.0555179f;
        b1 = 0.99332f * b1 + w * 0.0750759f;
        b2 = 0.96900f * b2 + w * 0.1538520f;
        b3 = 0.86650f * b3 + w * 0.3104856f;
        b4 = 0.55000f * b4 - w * 0.5329522f;
        b5 = -0.7616f * b5 - w * 0.0168980f;
        sample = b0 + b1 + b2 + b3 + b4 + b5 + b6 + w * 0.5362f;
        b6 = w * 0.115926f;
        sumSquares += (double)sample * sample;
    }
    const float gain = targetRms / (float)std::sqrt(sumSquares / samples);
    for (auto& sample : out)
        sample *= gain;
    return out;
}

struct Rendered
{
    bool finite = true;
    float peak = 0.0f;
    int tailSamples = 0; // samples after the input stops until the output last exceeds -60 dBFS
};

Rendered render(TarnelDelayAudioProcessor& processor, const presets::Patch& patch,
                int inputSamples = kInputSamples, int tailSamples = kTailSamples)
{
    processor.applyPatch(patch);
    processor.prepareToPlay(kSampleRate, kBlockSize);

    const float rms = std::pow(10.0f, -18.0f / 20.0f);
    const auto left = pinkNoise(1, inputSamples, rms);
    const auto right = pinkNoise(2, inputSamples, rms);

    Rendered result;
    juce::AudioBuffer<float> buffer(2, kBlockSize);
    juce::MidiBuffer midi;
    for (int start = 0; start < inputSamples + tailSamples; start += kBlockSize)
    {
        const int n = std::min(kBlockSize, inputSamples + tailSamples - start);
        buffer.setSize(2, n, false, false, true);
        for (int i = 0; i < n; ++i)
        {
            const int t = start + i;
            buffer.setSample(0, i, t < inputSamples ? left[(size_t)t] : 0.0f);
            buffer.setSample(1, i, t < inputSamples ? right[(size_t)t] : 0.0f);
        }
        processor.processBlock(buffer, midi);
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < n; ++i)
            {
                const float y = buffer.getSample(channel, i);
                if (!std::isfinite(y))
                {
                    result.finite = false;
                    continue;
                }
                result.peak = std::max(result.peak, std::abs(y));
                if (start + i >= inputSamples && std::abs(y) > kTailThreshold)
                    result.tailSamples = std::max(result.tailSamples, start + i - inputSamples + 1);
            }
    }
    return result;
}

// TEMPORARY: the factory render check needs the delay engine's wet path. While the processor
// still passes audio through unchanged, nothing follows the input once it stops, and the check
// is skipped. Remove this function and its use below once the engine has landed.
// Runs while tests are registered, before the test main has set up a temporary home: reads the
// factory banks only, never the user's settings.
std::vector<std::string> factoryPresetIds()
{
    std::vector<std::string> ids;
    const presets::PresetLibrary library;
    for (int i = 0; i < library.getFactoryCount(); ++i)
        ids.push_back(library.getPatches()[(size_t)i].getId().toStdString());
    return ids;
}

class FactoryPresetRender : public testing::TestWithParam<std::string>
{
};

TEST_P(FactoryPresetRender, StaysFiniteBoundedAndLeavesAnAudibleTail)
{
    TarnelDelayAudioProcessor processor;
    const auto* patch = processor.presetLibrary.findPatchById(GetParam());
    ASSERT_NE(patch, nullptr);
    const auto result = render(processor, *patch);

    EXPECT_TRUE(result.finite);
    EXPECT_LE(result.peak, kPeakLimit) << "peak " << juce::Decibels::gainToDecibels(result.peak) << " dBFS";
    const bool fullyDry = processor.apvts.getRawParameterValue("mix")->load() <= 0.0f ||
                          processor.apvts.getRawParameterValue("mixByp")->load() > 0.5f;
    if (!fullyDry)
    {
        EXPECT_GE(result.tailSamples, kMinimumTailSamples)
            << "tail " << 1000.0 * result.tailSamples / kSampleRate << " ms";
    }
}

std::string testNameOf(const testing::TestParamInfo<std::string>& info)
{
    std::string name;
    for (const char c : info.param)
        name += std::isalnum((unsigned char)c) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(AllFactoryPresets, FactoryPresetRender, testing::ValuesIn(factoryPresetIds()),
                         testNameOf);
} // namespace
