#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vorl
{
// Four-point Catmull-Rom (cubic Hermite) interpolation shared by the tap voices and the pitch
// shifter. Buffers are rings of `length` frames with `stride` floats per frame; `channel`
// selects the float inside a frame (stride 2 / channel 0 or 1 for an interleaved stereo line,
// stride 1 / channel 0 for a mono ring).

// Value between b (t = 0) and c (t = 1), with neighbours a before b and d after c.
inline float catmullRom(float a, float b, float c, float d, float t) noexcept
{
    const float c1 = (c - a) * 0.5f;
    const float v = b - c;
    const float w = c1 + v;
    const float k = w + v + (d - b) * 0.5f;
    const float m = w + k;
    return ((k * t - m) * t + c1) * t + b;
}

// The same interpolator as weights on a, b, c, d: for readers that keep t fixed.
struct CatmullRomWeights
{
    float w0 = 0.0f, w1 = 1.0f, w2 = 0.0f, w3 = 0.0f;

    static CatmullRomWeights at(float t) noexcept
    {
        const float t2 = t * t;
        const float t3 = t2 * t;
        CatmullRomWeights w;
        w.w0 = -0.5f * t3 + t2 - 0.5f * t;
        w.w1 = 1.5f * t3 - 2.5f * t2 + 1.0f;
        w.w2 = -1.5f * t3 + 2.0f * t2 + 0.5f * t;
        w.w3 = 0.5f * t3 - 0.5f * t2;
        return w;
    }

    float apply(float a, float b, float c, float d) const noexcept
    {
        return w0 * a + w1 * b + w2 * c + w3 * d;
    }
};

// Splits a read position (in frames, may be negative or beyond the ring) into the ring index
// of the frame at or before it and the fraction t in [0, 1).
struct RingPosition
{
    int index = 0;
    float t = 0.0f;

    static RingPosition of(double position, int length) noexcept
    {
        // Truncation plus a correction is floor() without a library call on every read.
        auto i = static_cast<int64_t>(position);
        if (static_cast<double>(i) > position)
            --i;
        RingPosition p;
        p.t = static_cast<float>(position - static_cast<double>(i));
        if (p.t >= 1.0f) // rounding of a fraction just below 1
            p.t = 0.0f;
        // Positions are usually less than one ring away: avoid the division then.
        if (i < 0)
            i += length;
        if (i < 0 || i >= length)
        {
            i %= length;
            if (i < 0)
                i += length;
        }
        p.index = static_cast<int>(i);
        return p;
    }
};

// General read at an arbitrary position; neighbours wrap around the ring. Positions are in
// double so that large ring indexes keep their sub-sample fraction.
inline float readCubic(const float* data, int length, int stride, int channel, double position) noexcept
{
    const RingPosition p = RingPosition::of(position, length);
    const int ia = p.index == 0 ? length - 1 : p.index - 1;
    const int ic = p.index + 1 == length ? 0 : p.index + 1;
    const int id = ic + 1 == length ? 0 : ic + 1;
    return catmullRom(data[ia * stride + channel], data[p.index * stride + channel],
                      data[ic * stride + channel], data[id * stride + channel], p.t);
}

// The same read from a ring that carries copies of the frames across its seam (index -1 and
// length to length + 2, as DelayLine keeps them): no neighbour needs wrapping.
inline float readSeamlessCubic(const float* ring, int length, double position) noexcept
{
    const RingPosition p = RingPosition::of(position, length);
    const float* x = ring + p.index;
    return catmullRom(x[-1], x[0], x[1], x[2], p.t);
}

// Reader for a position that advances exactly one frame per output sample: the weights are
// computed once and the four-sample window slides, so each sample costs one load. The frames
// it reads must already hold their data when they enter the window (the window reaches two
// frames ahead of the current position).
class CubicReader
{
public:
    void start(const float* lineData, int lineLength, int frameStride, int readChannel,
               double position) noexcept
    {
        data = lineData;
        length = lineLength;
        stride = frameStride;
        channel = readChannel;
        const RingPosition p = RingPosition::of(position, length);
        weights = CatmullRomWeights::at(p.t);
        const int ia = p.index == 0 ? length - 1 : p.index - 1;
        const int ic = p.index + 1 == length ? 0 : p.index + 1;
        a = sample(ia);
        b = sample(p.index);
        c = sample(ic);
        nextIndex = ic + 1 == length ? 0 : ic + 1; // frame of d, loaded on demand
    }

    // The value at the current position, then one frame on.
    float next() noexcept
    {
        const float d = sample(nextIndex);
        const float out = weights.apply(a, b, c, d);
        a = b;
        b = c;
        c = d;
        nextIndex = nextIndex + 1 == length ? 0 : nextIndex + 1;
        return out;
    }

    const CatmullRomWeights& getWeights() const noexcept { return weights; }

private:
    float sample(int frame) const noexcept { return data[frame * stride + channel]; }

    const float* data = nullptr;
    int length = 1;
    int stride = 1;
    int channel = 0;
    CatmullRomWeights weights;
    float a = 0.0f, b = 0.0f, c = 0.0f;
    int nextIndex = 0;
};

// Stores n cubic reads at fixed weights w from a ring with seam copies (SeamlessRing), starting at
// ring index `index`; returns the ring index after the last one. Runs on the widest vector unit
// the CPU has (CubicRunKernels.h).
int readSeamlessRuns(const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                     float* out) noexcept;

// CubicReader for a ring with seam copies (SeamlessRing), reading a run of samples at a time: the
// same weights and sums, a vector of frames at a time.
class SeamlessRunReader
{
public:
    void start(const float* ringFrames, int ringLength, double position) noexcept
    {
        ring = ringFrames;
        length = ringLength;
        const RingPosition p = RingPosition::of(position, length);
        weights = CatmullRomWeights::at(p.t);
        index = p.index;
    }

    // Writes the values of the next m samples to out.
    void read(float* out, int m) noexcept { index = readSeamlessRuns(ring, length, index, m, weights, out); }

private:
    const float* ring = nullptr;
    int length = 1;
    CatmullRomWeights weights;
    int index = 0;
};
} // namespace vorl
