#include "ToneFilter.h"

namespace vorl
{
void ToneFilter::prepare(double newSampleRate) noexcept
{
    sampleRate = static_cast<float>(newSampleRate);
    reset();
}

void ToneFilter::reset() noexcept
{
    highPass.reset();
    lowPass.reset();
}

void ToneFilter::process(float* samples, int n) noexcept
{
    for (int i = 0; i < n; ++i)
        samples[i] = process(samples[i]);
}

void processToneFilters(ToneFilter& leftFilter, ToneFilter& rightFilter, float* left, float* right,
                        int n) noexcept
{
    // Works on copies: a store to the buffers could otherwise alias the filter states and send
    // them through memory on every sample.
    ToneFilter leftCopy = leftFilter;
    ToneFilter rightCopy = rightFilter;
    for (int i = 0; i < n; ++i)
    {
        left[i] = leftCopy.process(left[i]);
        right[i] = rightCopy.process(right[i]);
    }
    leftFilter = leftCopy;
    rightFilter = rightCopy;
}
} // namespace vorl
