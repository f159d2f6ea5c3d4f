#include "TapeSaturator.h"
#include "TapeStage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace vorl
{
namespace
{
bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Noise with the stretches that take the saturator's other paths: silence, values too small
// to count, full scale, far beyond it and negative zero.
std::vector<double> awkwardSignal(int n, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    std::vector<double> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
    {
        const int stretch = (i / 300) % 6;
        const double x = noise(rng);
        v[static_cast<size_t>(i)] = stretch == 0   ? x * 0.3
                                    : stretch == 1 ? 0.0
                                    : stretch == 2 ? x * 1e-24
                                    : stretch == 3 ? (x > 0.0 ? 1.0 : -1.0)
                                    : stretch == 4 ? x * 1e9
                                                   : (i % 2 == 0 ? -0.0 : x);
    }
    return v;
}
} // namespace

TEST(TapeSaturatorLanes, EachLaneGivesTheSingleChannelBits)
{
    // Sample rates for every length of the averaging cascade (2 to 32), and drives from clean to hot.
    struct Case
    {
        double sampleRate, drive, compensation;
    };
    const Case cases[] = {{44100.0, 1.0, 1.0},  {48000.0, 2.5, 0.6},  {96000.0, 10.0, 0.35},
                          {192000.0, 4.0, 0.5}, {384000.0, 1.5, 0.9}, {705600.0, 10.0, 0.35},
                          {22050.0, 10.0, 0.35}};
    for (const Case& c : cases)
    {
        const std::vector<double> left = awkwardSignal(6000, 1), right = awkwardSignal(6000, 2);
        TapeSaturator singleLeft, singleRight;
        StereoTapeSaturator both;
        for (auto* s : {&singleLeft, &singleRight})
            s->prepare(c.sampleRate / 44100.0);
        both.prepare(c.sampleRate / 44100.0);

        for (size_t i = 0; i < left.size(); ++i)
        {
            const StereoDouble y = both.process(stereo(left[i], right[i]), c.drive, c.compensation);
            ASSERT_TRUE(sameBits(lane(y, 0), singleLeft.process(left[i], c.drive, c.compensation)))
                << "left, sample " << i << " at " << c.sampleRate;
            ASSERT_TRUE(sameBits(lane(y, 1), singleRight.process(right[i], c.drive, c.compensation)))
                << "right, sample " << i << " at " << c.sampleRate;
        }
    }
}

TEST(TapeStageLanes, SwappedInputChannelsGiveSwappedOutputs)
{
    // The channels only share the flutter's wandering, which depends on neither signal; both
    // dither generators start from the same state.
    for (bool od : {false, true})
    {
        TapeStage straight, swapped;
        for (TapeStage* tape : {&straight, &swapped})
        {
            tape->prepare(48000.0);
            tape->setOdMode(od);
            tape->setInputAmount(70.0f);
            tape->setLpfAmount(30.0f);
            tape->setHeadBump(100.0f);
            tape->setFlutter(80.0f);
            tape->setFlutterSpeed(90.0f);
            tape->setOutputAmount(90.0f);
            tape->setMix(80.0f);
        }
        std::vector<float> left(5000), right(5000);
        std::mt19937 rng(3);
        std::uniform_real_distribution<float> noise(-1.5f, 1.5f);
        for (size_t i = 0; i < left.size(); ++i)
        {
            left[i] = i < 1000 ? 0.0f : noise(rng); // silence first: the denormal guard's path
            right[i] = 0.2f * std::sin(0.01f * static_cast<float>(i));
        }
        std::vector<float> a = left, b = right, c = right, d = left;
        for (size_t start = 0; start < left.size(); start += 500)
        {
            straight.process(a.data() + start, b.data() + start, 500);
            swapped.process(c.data() + start, d.data() + start, 500);
        }
        EXPECT_EQ(a, d) << "od " << od;
        EXPECT_EQ(b, c) << "od " << od;
    }
}
} // namespace vorl
