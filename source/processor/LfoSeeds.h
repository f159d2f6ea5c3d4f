#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <atomic>
#include <cstdint>

namespace vorl
{
// The three LFO seeds. They are stored with the plug-in state so that a restored project
// reproduces the same random modulation. The audio thread reads them, hence atomics.
struct LfoSeeds
{
    std::atomic<int32_t> tremolo{static_cast<int32_t>(0xc0defadeu)};
    std::atomic<int32_t> wave{static_cast<int32_t>(0x5eed0001u)};
    std::atomic<int32_t> pitch{static_cast<int32_t>(0x27d4eb2fu)};

    // Copies the seeds into the "SeedState" child of state, creating it when missing.
    void writeTo(juce::ValueTree state) const;
    // Takes each seed from the "SeedState" child of state; missing parts keep their value.
    void readFrom(const juce::ValueTree& state);

    // New random seeds, each drawn from the system generator and mixed with its own constant.
    void reseedTremolo();
    void reseedWave();
    void reseedPitch();
};
} // namespace vorl
