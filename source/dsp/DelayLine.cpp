#include "DelayLine.h"

#include "CubicReader.h"

#include <algorithm>

namespace vorl
{
void DelayLine::prepare(double sampleRate)
{
    length = std::max(static_cast<int>(kSeconds * sampleRate) + 1, 4);
    for (SeamlessRing& ring : rings)
        ring.prepare(length);
    writeIndex = 0;
}

void DelayLine::reset() noexcept
{
    for (SeamlessRing& ring : rings)
        ring.reset();
    writeIndex = 0;
}

void DelayLine::write(const float* inL, const float* inR, int n) noexcept
{
    for (int k = 0; k < n;)
    {
        const int run = std::min(n - k, length - writeIndex);
        rings[0].write(writeIndex, inL + k, run);
        rings[1].write(writeIndex, inR + k, run);
        writeIndex += run;
        if (writeIndex == length)
            writeIndex = 0;
        k += run;
    }
}

float DelayLine::read(double framePosition, int channelIndex) const noexcept
{
    return readSeamlessCubic(channel(channelIndex), length, framePosition);
}
} // namespace vorl
