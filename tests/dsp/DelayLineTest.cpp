#include "DelayLine.h"
#include "CubicReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vorl
{
namespace
{
TEST(DelayLine, HoldsFifteenSecondsPlusOneFrame)
{
    DelayLine line;
    line.prepare(48000.0);
    EXPECT_EQ(line.getLength(), 720001);
    line.prepare(22050.0);
    EXPECT_EQ(line.getLength(), 330751);
    EXPECT_EQ(line.getWriteIndex(), 0);
}

// At 1 Hz the line is 16 frames long, small enough to see every wrap.
class SmallDelayLine : public ::testing::Test
{
protected:
    void SetUp() override { line.prepare(1.0); }

    void writeRamp(int frames, float start)
    {
        std::vector<float> l(static_cast<size_t>(frames));
        std::vector<float> r(static_cast<size_t>(frames));
        for (int k = 0; k < frames; ++k)
        {
            l[static_cast<size_t>(k)] = start + static_cast<float>(k);
            r[static_cast<size_t>(k)] = -(start + static_cast<float>(k));
        }
        line.write(l.data(), r.data(), frames);
    }

    DelayLine line;
};

TEST_F(SmallDelayLine, WritesEachChannelsRingAndWraps)
{
    ASSERT_EQ(line.getLength(), 16);
    writeRamp(20, 100.0f);
    EXPECT_EQ(line.getWriteIndex(), 4);
    // Frames 0..3 were overwritten by the last four samples.
    EXPECT_EQ(line.channel(0)[0], 116.0f);
    EXPECT_EQ(line.channel(1)[0], -116.0f);
    EXPECT_EQ(line.channel(0)[3], 119.0f);
    EXPECT_EQ(line.channel(0)[4], 104.0f);
    EXPECT_EQ(line.channel(1)[15], -115.0f);
    // The copies across the seam follow the frames they repeat.
    EXPECT_EQ(line.channel(0)[-1], 115.0f);
    EXPECT_EQ(line.channel(1)[16], -116.0f);
    EXPECT_EQ(line.channel(0)[18], 118.0f);

    line.reset();
    EXPECT_EQ(line.getWriteIndex(), 0);
    for (int c = 0; c < 2; ++c)
        for (int k = -1; k < 19; ++k)
            EXPECT_EQ(line.channel(c)[k], 0.0f);
}

// Whatever the write pattern (single frames, runs ending at the seam, runs starting inside the
// copied frames), the copies hold the frames across the seam after every write.
TEST(SeamlessRing, CopiesFollowEveryWrite)
{
    constexpr int length = 5;
    for (const int runLength : {1, 2, 3, 5})
    {
        SeamlessRing ring;
        ring.prepare(length);
        float next = 1.0f;
        for (int start = 0, step = 0; step < 12; ++step)
        {
            float values[length];
            const int n = std::min(runLength, length - start);
            for (int k = 0; k < n; ++k)
                values[k] = next++;
            if (n == 1)
                ring.write(start, values[0]);
            else
                ring.write(start, values, n);
            start = (start + n) % length;
            const float* f = ring.frames();
            ASSERT_EQ(f[-1], f[length - 1]) << "run " << runLength << " step " << step;
            for (int k = 0; k < SeamlessRing::kCopiesAfter; ++k)
                ASSERT_EQ(f[length + k], f[k]) << "run " << runLength << " step " << step;
        }
    }
}

TEST_F(SmallDelayLine, ReadsExactSamplesAtWholePositionsAndLinesInBetween)
{
    writeRamp(16, 0.0f);
    EXPECT_EQ(line.read(5.0, 0), 5.0f);
    EXPECT_EQ(line.read(5.0, 1), -5.0f);
    // Catmull-Rom reproduces a straight line away from the wrap seam.
    for (const double x : {2.25, 7.5, 11.75})
    {
        EXPECT_NEAR(line.read(x, 0), static_cast<float>(x), 1e-5f) << x;
        EXPECT_NEAR(line.read(x, 1), -static_cast<float>(x), 1e-5f) << x;
    }
    // Positions wrap around the ring in both directions.
    EXPECT_EQ(line.read(16.0 + 3.0, 0), 3.0f);
    EXPECT_EQ(line.read(-13.0, 0), 3.0f);
}

TEST_F(SmallDelayLine, NeighboursWrapAcrossTheSeam)
{
    writeRamp(16, 0.0f);
    // Between frame 15 (value 15) and frame 0 (value 0), with frame 14 and frame 1 as neighbours.
    EXPECT_NEAR(line.read(15.5, 0), catmullRom(14.0f, 15.0f, 0.0f, 1.0f, 0.5f), 1e-6f);
    EXPECT_NEAR(line.read(0.5, 0), catmullRom(15.0f, 0.0f, 1.0f, 2.0f, 0.5f), 1e-6f);
    EXPECT_NEAR(line.read(-0.5, 0), catmullRom(14.0f, 15.0f, 0.0f, 1.0f, 0.5f), 1e-6f);
}

TEST(CatmullRom, WeightsAndHornerFormAreTheSameInterpolator)
{
    const float a = 0.3f, b = -0.7f, c = 0.9f, d = 0.1f;
    for (int k = 0; k <= 16; ++k)
    {
        const float t = static_cast<float>(k) / 16.0f;
        const auto w = CatmullRomWeights::at(t);
        EXPECT_NEAR(w.w0 + w.w1 + w.w2 + w.w3, 1.0f, 1e-6f) << t;
        EXPECT_NEAR(w.apply(a, b, c, d), catmullRom(a, b, c, d, t), 1e-6f) << t;
    }
    EXPECT_EQ(catmullRom(a, b, c, d, 0.0f), b);
    EXPECT_NEAR(catmullRom(a, b, c, d, 1.0f), c, 1e-6f);
}

TEST(CubicReader, StepsThroughMonoAndStereoRingsLikeTheGeneralRead)
{
    // A mono ring (stride 1) and the right channel of an interleaved one (stride 2), read across
    // the seam several times over.
    constexpr int length = 37;
    std::vector<float> mono(length);
    std::vector<float> stereo(2 * length);
    for (int k = 0; k < length; ++k)
    {
        mono[static_cast<size_t>(k)] = std::sin(0.7f * static_cast<float>(k));
        stereo[static_cast<size_t>(2 * k)] = 0.0f;
        stereo[static_cast<size_t>(2 * k + 1)] = std::cos(0.3f * static_cast<float>(k));
    }
    struct Ring
    {
        const float* data;
        int stride;
        int channel;
    };
    for (const Ring ring : {Ring{mono.data(), 1, 0}, Ring{stereo.data(), 2, 1}})
    {
        for (const double start : {-3.25, 0.0, 30.6, 35.999})
        {
            CubicReader reader;
            reader.start(ring.data, length, ring.stride, ring.channel, start);
            for (int n = 0; n < 3 * length; ++n)
            {
                const float expected = readCubic(ring.data, length, ring.stride, ring.channel, start + n);
                ASSERT_NEAR(reader.next(), expected, 2e-6f)
                    << "stride " << ring.stride << " start " << start << " step " << n;
            }
        }
    }
}
} // namespace
} // namespace vorl
