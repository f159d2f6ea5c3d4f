#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace vorl::host
{
// A play head for offline rendering: playing at a fixed tempo in 4/4 from time zero.
class OfflinePlayHead : public juce::AudioPlayHead
{
public:
    OfflinePlayHead(double tempoBpm, double sampleRate) : tempo(tempoBpm), rate(sampleRate) {}

    void setSamplePosition(juce::int64 samples) noexcept { position = samples; }

    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm(tempo);
        info.setTimeSignature(TimeSignature{4, 4});
        info.setTimeInSamples(position);
        info.setTimeInSeconds(static_cast<double>(position) / rate);
        info.setPpqPosition(static_cast<double>(position) / rate * tempo / 60.0);
        info.setIsPlaying(true);
        return info;
    }

private:
    double tempo;
    double rate;
    juce::int64 position = 0;
};
} // namespace vorl::host
