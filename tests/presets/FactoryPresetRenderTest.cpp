// Renders every factory preset through the processor: pink noise at -18 dBFS RMS for 2 s, then
// silence. The output must stay finite, peak at or below +6 dBFS, and (unless the preset is fully
// dry) keep a wet tail above -60 dBFS for at least 100 ms after the input stops.
#include "FactoryPresetRendering.h"
#include "TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr double kSampleRate = testsignals::kSampleRate;
constexpr int kInputSamples = 2 * (int)kSampleRate;
constexpr int kTailSamples = (int)kSampleRate / 2; // silence after the noise
constexpr float kPeakLimit = 1.99526231f;          // +6 dBFS
constexpr float kTailThreshold = 0.001f;           // -60 dBFS
constexpr int kMinimumTailSamples = (int)(0.1 * kSampleRate);

struct Rendered
{
    bool finite = true;
    float peak = 0.0f;
    int tailSamples = 0; // samples after the input stops until the output last exceeds -60 dBFS
};

Rendered summarise(const presetrender::StereoBuffer& output)
{
    Rendered result;
    for (const auto* channel : {&output.left, &output.right})
        for (size_t i = 0; i < channel->size(); ++i)
        {
            const float y = (*channel)[i];
            if (!std::isfinite(y))
            {
                result.finite = false;
                continue;
            }
            result.peak = std::max(result.peak, std::abs(y));
            if ((int)i >= kInputSamples && std::abs(y) > kTailThreshold)
                result.tailSamples = std::max(result.tailSamples, (int)i - kInputSamples + 1);
        }
    return result;
}

class FactoryPresetRender : public testing::TestWithParam<std::string>
{
};

TEST_P(FactoryPresetRender, StaysFiniteBoundedAndLeavesAnAudibleTail)
{
    TarnelDelayAudioProcessor processor;
    const auto* patch = processor.presetLibrary.findPatchById(GetParam());
    ASSERT_NE(patch, nullptr);
    const float rms = std::pow(10.0f, -18.0f / 20.0f);
    const presetrender::StereoBuffer noise{testsignals::pinkNoise(1, kInputSamples, rms),
                                           testsignals::pinkNoise(2, kInputSamples, rms)};
    const auto result = summarise(presetrender::render(processor, *patch, noise, kTailSamples));

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

INSTANTIATE_TEST_SUITE_P(AllFactoryPresets, FactoryPresetRender,
                         testing::ValuesIn(presetrender::factoryPresetIds()), presetrender::testNameOf);
} // namespace
