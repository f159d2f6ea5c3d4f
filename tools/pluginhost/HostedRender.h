#pragma once

#include "OfflinePlayHead.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace vorl::host
{
// Runs input through a prepared processor in blocks of blockSize samples (the last one
// shorter), as a host's offline bounce does, and returns what comes out. The processor must
// have been prepared for at least blockSize samples and the input's channel count. A play head,
// when given, becomes the processor's and moves to the start of each block (from 0).
juce::AudioBuffer<float> renderInBlocks(juce::AudioProcessor& processor,
                                        const juce::AudioBuffer<float>& input, int blockSize,
                                        OfflinePlayHead* playHead = nullptr);
} // namespace vorl::host
