#include "HostedRender.h"

namespace vorl::host
{
juce::AudioBuffer<float> renderInBlocks(juce::AudioProcessor& processor,
                                        const juce::AudioBuffer<float>& input, int blockSize,
                                        OfflinePlayHead* playHead)
{
    if (playHead != nullptr)
        processor.setPlayHead(playHead);
    const int channels = input.getNumChannels();
    const int length = input.getNumSamples();
    juce::AudioBuffer<float> output(channels, length);
    juce::AudioBuffer<float> block(channels, blockSize);
    juce::MidiBuffer midi;
    for (int start = 0; start < length; start += blockSize)
    {
        const int samples = juce::jmin(blockSize, length - start);
        block.setSize(channels, samples, false, false, true);
        for (int channel = 0; channel < channels; ++channel)
            block.copyFrom(channel, 0, input, channel, start, samples);
        if (playHead != nullptr)
            playHead->setSamplePosition(start);
        processor.processBlock(block, midi);
        for (int channel = 0; channel < channels; ++channel)
            output.copyFrom(channel, start, block, channel, 0, samples);
    }
    return output;
}
} // namespace vorl::host
