#pragma once

#include "SeamlessRing.h"

namespace vorl
{
// Fifteen seconds of stereo input, one seamless ring per channel, written as a ring.
class DelayLine
{
public:
    static constexpr double kSeconds = 15.0;

    // Sizes and zeroes the line; the only call that allocates.
    void prepare(double sampleRate);
    void reset() noexcept;

    // Appends n frames; the write index wraps to 0 at the end of the line.
    void write(const float* inL, const float* inR, int n) noexcept;

    int getWriteIndex() const noexcept { return writeIndex; }
    int getLength() const noexcept { return length; }
    // Frame 0 of a channel's ring (0 is left), readable from index -1 to length + 2.
    const float* channel(int index) const noexcept { return rings[index == 0 ? 0 : 1].frames(); }

    // Catmull-Rom read at a frame position (wraps around the ring); channel 0 is left.
    float read(double framePosition, int channel) const noexcept;

private:
    SeamlessRing rings[2];
    int length = SeamlessRing::kCopiesAfter;
    int writeIndex = 0;
};
} // namespace vorl
