#pragma once

#include <algorithm>
#include <vector>

namespace vorl
{
// One channel's ring of frames that also keeps copies of the frames across its seam: index -1
// repeats the last frame and indexes length to length + 2 repeat the first three. A four-frame
// interpolation window starting one frame before any ring index then reads straight through
// memory, with no wrap-around per neighbour.
class SeamlessRing
{
public:
    static constexpr int kCopiesBefore = 1;
    static constexpr int kCopiesAfter = 3;

    // Sizes (at least kCopiesAfter frames) and zeroes the ring; the only call that allocates.
    void prepare(int newLength)
    {
        length = std::max(newLength, kCopiesAfter);
        storage.assign(static_cast<size_t>(length + kCopiesBefore + kCopiesAfter), 0.0f);
    }

    void reset() noexcept { std::fill(storage.begin(), storage.end(), 0.0f); }

    int getLength() const noexcept { return length; }
    // Frame 0; indexes -1 to length + 2 may be read.
    const float* frames() const noexcept { return storage.data() + kCopiesBefore; }

    // Stores n values from frame start on; start + n must not pass the end of the ring.
    void write(int start, const float* values, int n) noexcept
    {
        float* f = storage.data() + kCopiesBefore;
        std::copy_n(values, n, f + start);
        if (start < kCopiesAfter || start + n == length)
        {
            f[-1] = f[length - 1];
            std::copy_n(f, kCopiesAfter, f + length);
        }
    }

    void write(int index, float value) noexcept
    {
        float* f = storage.data() + kCopiesBefore;
        f[index] = value;
        if (index < kCopiesAfter)
            f[length + index] = value;
        if (index == length - 1)
            f[-1] = value;
    }

private:
    std::vector<float> storage = std::vector<float>(kCopiesBefore + kCopiesAfter + kCopiesAfter, 0.0f);
    int length = kCopiesAfter;
};
} // namespace vorl
