#pragma once

#include "Biquad.h"

namespace vorl
{
// Tone filters of one wet channel: high-pass, then low-pass.
class ToneFilter
{
public:
    void prepare(double sampleRate) noexcept;
    void reset() noexcept;

    // Called at the start of every block; the filter states carry over.
    void setHighPass(float hz) noexcept { highPass.design(BiquadType::highPass, hz, sampleRate); }
    void setLowPass(float hz) noexcept { lowPass.design(BiquadType::lowPass, hz, sampleRate); }

    float process(float x) noexcept { return lowPass.process(highPass.process(x)); }
    void process(float* samples, int n) noexcept;

private:
    float sampleRate = 44100.0f;
    Biquad highPass, lowPass;
};

// Both channels' filters in one pass: the two independent recursions overlap in the CPU.
void processToneFilters(ToneFilter& leftFilter, ToneFilter& rightFilter, float* left, float* right,
                        int n) noexcept;
} // namespace vorl
