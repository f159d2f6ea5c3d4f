#pragma once

#include <vector>

namespace vorl
{
// Fifteen seconds of stereo input, interleaved (frame k at 2k and 2k + 1), written as a ring.
class DelayLine
{
public:
    static constexpr double kSeconds = 15.0;
    static constexpr int kStride = 2;

    // Sizes and zeroes the line; the only call that allocates.
    void prepare(double sampleRate);
    void reset() noexcept;

    // Appends n frames; the write index wraps to 0 at the end of the line.
    void write(const float* inL, const float* inR, int n) noexcept;

    int getWriteIndex() const noexcept { return writeIndex; }
    int getLength() const noexcept { return length; }
    const float* data() const noexcept { return samples.data(); }

    // Catmull-Rom read at a frame position (wraps around the ring); channel 0 is left.
    float read(double framePosition, int channel) const noexcept;

private:
    std::vector<float> samples = std::vector<float>(kStride, 0.0f);
    int length = 1;
    int writeIndex = 0;
};
} // namespace vorl
