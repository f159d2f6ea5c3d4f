#include "FactoryPresetRendering.h"

#include "TestSignals.h"

#include <algorithm>
#include <cctype>

namespace presetrender
{
std::vector<std::string> factoryPresetIds()
{
    std::vector<std::string> ids;
    const presets::PresetLibrary library;
    for (int i = 0; i < library.getFactoryCount(); ++i)
        ids.push_back(library.getPatches()[(size_t)i].getId().toStdString());
    return ids;
}

std::string testNameOf(const testing::TestParamInfo<std::string>& info)
{
    std::string name;
    for (const char c : info.param)
        name += std::isalnum((unsigned char)c) ? c : '_';
    return name;
}

StereoBuffer render(TarnelDelayAudioProcessor& processor, const presets::Patch& patch,
                    const StereoBuffer& input, int tailSamples)
{
    processor.applyPatch(patch);
    processor.prepareToPlay(testsignals::kSampleRate, kBlockSize);

    const int inputSamples = (int)input.left.size();
    const int total = inputSamples + tailSamples;
    StereoBuffer output{std::vector<float>((size_t)total), std::vector<float>((size_t)total)};
    juce::AudioBuffer<float> buffer(2, kBlockSize);
    juce::MidiBuffer midi;
    for (int start = 0; start < total; start += kBlockSize)
    {
        const int n = std::min(kBlockSize, total - start);
        buffer.setSize(2, n, false, false, true);
        for (int i = 0; i < n; ++i)
        {
            const auto t = (size_t)(start + i);
            buffer.setSample(0, i, (int)t < inputSamples ? input.left[t] : 0.0f);
            buffer.setSample(1, i, (int)t < inputSamples ? input.right[t] : 0.0f);
        }
        processor.processBlock(buffer, midi);
        std::copy_n(buffer.getReadPointer(0), n, output.left.begin() + start);
        std::copy_n(buffer.getReadPointer(1), n, output.right.begin() + start);
    }
    return output;
}
} // namespace presetrender
