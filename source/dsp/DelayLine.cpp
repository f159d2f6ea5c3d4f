#include "DelayLine.h"

#include "CubicReader.h"

#include <algorithm>

namespace vorl
{
void DelayLine::prepare(double sampleRate)
{
    length = std::max(static_cast<int>(kSeconds * sampleRate) + 1, 4);
    samples.assign(static_cast<size_t>(length) * kStride, 0.0f);
    writeIndex = 0;
}

void DelayLine::reset() noexcept
{
    std::fill(samples.begin(), samples.end(), 0.0f);
    writeIndex = 0;
}

void DelayLine::write(const float* inL, const float* inR, int n) noexcept
{
    float* out = samples.data();
    for (int k = 0; k < n; ++k)
    {
        out[2 * writeIndex] = inL[k];
        out[2 * writeIndex + 1] = inR[k];
        if (++writeIndex == length)
            writeIndex = 0;
    }
}

float DelayLine::read(double framePosition, int channel) const noexcept
{
    return readCubic(samples.data(), length, kStride, channel, framePosition);
}
} // namespace vorl
