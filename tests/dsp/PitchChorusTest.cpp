#include "PitchChorus.h"
#include "LfoRandom.h"
#include "MathConstants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace vorl
{
namespace
{
constexpr double kRate = 48000.0;

double deviation(double cents)
{
    return std::exp2(cents / 1200.0) - 1.0;
}

std::vector<float> sine(int n, double hz, double sampleRate)
{
    std::vector<float> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<size_t>(i)] =
            0.5f * static_cast<float>(std::sin(2.0 * vorl::kPi * hz * i / sampleRate));
    return v;
}

// Average frequency from the number of rising zero crossings and their span.
double detectedFrequency(const std::vector<float>& v, size_t from, double sampleRate)
{
    double first = -1.0, last = -1.0;
    int crossings = 0;
    for (size_t i = from + 1; i < v.size(); ++i)
        if (v[i - 1] < 0.0f && v[i] >= 0.0f)
        {
            const double at = static_cast<double>(i) - v[i] / (v[i] - v[i - 1]);
            if (first < 0.0)
                first = at;
            last = at;
            ++crossings;
        }
    return (crossings - 1) / (last - first) * sampleRate;
}

class PitchChorusFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pitch.prepare(kRate);
        pitch.setMix(1.0f);
    }

    // Processes the same signal on both channels in blocks; returns the left output.
    std::vector<float> run(std::vector<float> signal, int blockSize = 256, float endMs = 500.0f)
    {
        rightOut = signal;
        for (size_t start = 0; start < signal.size(); start += static_cast<size_t>(blockSize))
        {
            const int n =
                static_cast<int>(std::min<size_t>(static_cast<size_t>(blockSize), signal.size() - start));
            pitch.process(signal.data() + start, rightOut.data() + start, n, endMs);
        }
        return signal;
    }

    // Head movement over n silent samples, unwrapped from the window.
    double headStep(int n, float endMs = 500.0f)
    {
        const double before = pitch.getHeadDelay();
        run(std::vector<float>(static_cast<size_t>(n), 0.0f), n, endMs);
        double step = pitch.getHeadDelay() - before;
        const double window = pitch.getWindow();
        if (step > window / 2.0)
            step -= window;
        if (step < -window / 2.0)
            step += window;
        return step;
    }

    PitchChorus pitch;
    std::vector<float> rightOut;
};
} // namespace

TEST_F(PitchChorusFixture, AllPartsZeroAfterResetIsAPlainQuarterWindowDelay)
{
    std::vector<float> input(4000, 0.0f);
    input[10] = 1.0f;
    input[11] = -0.5f;
    const std::vector<float> output = run(input);
    for (size_t i = 0; i < output.size(); ++i)
        ASSERT_EQ(output[i], i >= 1200 ? input[i - 1200] : 0.0f) << "sample " << i; // 25 ms at 48 kHz
    EXPECT_EQ(pitch.getHeadDelay(), 0.0);
}

TEST(PitchChorus, FractionalHalfWindowDelayAt44k)
{
    PitchChorus pitch;
    pitch.prepare(44100.0);
    pitch.setMix(1.0f);
    std::vector<float> left = sine(8000, 200.0, 44100.0), right = left;
    pitch.process(left.data(), right.data(), 8000, 500.0f);
    for (int i = 3000; i < 8000; ++i)
    {
        const double expected = 0.5 * std::sin(2.0 * vorl::kPi * 200.0 * (i - 1102.5) / 44100.0);
        ASSERT_NEAR(left[static_cast<size_t>(i)], expected, 1e-4) << "sample " << i;
    }
}

TEST_F(PitchChorusFixture, MixZeroPassesTheInput)
{
    pitch.setMix(0.0f);
    pitch.setDetuneCents(37.0f);
    const std::vector<float> input = sine(2000, 300.0, kRate);
    EXPECT_EQ(run(input), input);
}

TEST_F(PitchChorusFixture, StaticDetuneShiftsTheDetectedPitch)
{
    for (float cents : {100.0f, -50.0f, 12.0f})
    {
        pitch.reset();
        pitch.setDetuneCents(cents);
        const std::vector<float> output = run(sine(96000, 440.0, kRate));
        EXPECT_NEAR(detectedFrequency(output, 4800, kRate), 440.0 * std::exp2(cents / 1200.0), 0.5)
            << cents << " cents";
    }
}

TEST_F(PitchChorusFixture, FiftyCentsWithTwoTimesMovesTheHeadOneSemitone)
{
    // Pitch 2x: the engine passes twice the cents.
    pitch.setDetuneCents(2.0f * 50.0f);
    EXPECT_NEAR(headStep(1000), -1000.0 * deviation(100.0), 1e-9);
}

TEST_F(PitchChorusFixture, PartsAddAsRateDeviations)
{
    pitch.setDetuneCents(30.0f);
    pitch.setVorlLink(true);
    pitch.setVorl(-50.0f);
    pitch.setVorlCents(1200.0f);
    EXPECT_NEAR(headStep(100), -100.0 * (deviation(30.0) + deviation(-600.0)), 1e-9);

    pitch.setVorlLink(false);
    EXPECT_NEAR(headStep(100), -100.0 * deviation(30.0), 1e-9);
}

TEST_F(PitchChorusFixture, VibratoReachesItsDepthInCents)
{
    for (float scale : {1.0f, 2.0f})
    {
        pitch.reset();
        pitch.setRateHz(4.0f);
        pitch.setDepth(1.0f);
        pitch.setDepthScale(scale);
        double fastest = 0.0, slowest = 0.0;
        for (int i = 0; i < 12000; ++i)
        {
            const double step = headStep(1);
            fastest = std::min(fastest, step);
            slowest = std::max(slowest, step);
        }
        EXPECT_NEAR(fastest, -deviation(50.0 * scale), 1e-6) << "scale " << scale;
        EXPECT_NEAR(slowest, -deviation(-50.0 * scale), 1e-6) << "scale " << scale;
    }
}

TEST_F(PitchChorusFixture, SyncedRandomStepsRestartEveryBar)
{
    const uint32_t seed = 1234u;
    pitch.setSeed(seed);
    pitch.setShape(5);
    pitch.setDepth(1.0f);
    // 1/16 at 120 BPM: a step every 6000 samples, a bar every 96000; blocks of 500 fit both.
    for (int block = 0; block < 384; ++block)
    {
        const int sample = block * 500;
        pitch.setSync(true, sample * 2.0 / kRate, 120.0, 9);
        const double step = headStep(500);
        const int noteInBar = (sample % 96000) / 6000;
        ASSERT_NEAR(step, -500.0 * deviation(rnd(noteInBar, seed) * 50.0), 1e-9) << "block " << block;
    }
}

TEST_F(PitchChorusFixture, LengthBendRisesOncePerEndSpacing)
{
    // Length Bend -1200 with End 500 ms: each 500 ms the detune jumps to +1200 cents and
    // falls to 0. Vibrato is ignored while the bend runs.
    pitch.setBend(true, 1200.0f, false);
    pitch.setDepth(1.0f);
    pitch.setRateHz(5.0f);
    std::vector<double> steps;
    for (int i = 0; i < 72000; ++i)
        steps.push_back(-headStep(1, 500.0f));

    // Linear fall of 1200 cents per 24000 samples; the 8 ms smoothing trails it from above.
    const double smoothing = 1.0 - std::exp(-1.0 / (0.008 * kRate));
    const double lag = 1200.0 / 24000.0 * (1.0 / smoothing - 1.0);
    EXPECT_NEAR(steps[12000 - 1], deviation(1200.0 * 0.5 + lag), 1e-6);
    EXPECT_NEAR(steps[24000 + 12000 - 1], steps[12000 - 1], 1e-9) << "repeats every End spacing";
    EXPECT_LT(steps[24000 - 2], deviation(lag + 1.0)) << "near 0 cents at the end of a period";
    EXPECT_GT(steps[24000 + 2000], deviation(1100.0)) << "back near +1200 cents soon after";
    for (size_t i = 24000; i < 24000 + 400; ++i)
        ASSERT_LT(steps[i] - steps[i - 1], 0.01) << "the jump is smoothed";
}

TEST_F(PitchChorusFixture, RegenRepeatsAtNinetyPercent)
{
    pitch.setRegen(100.0f);
    std::vector<float> input(6000, 0.0f);
    input[0] = 1.0f;
    const std::vector<float> output = run(input);
    // Each pass takes the 1200-sample head delay plus the one sample until the feedback.
    EXPECT_FLOAT_EQ(output[1200], 1.0f);
    EXPECT_FLOAT_EQ(output[2401], 0.9f);
    EXPECT_FLOAT_EQ(output[3602], 0.81f);
}

TEST_F(PitchChorusFixture, FullRegenWithMovingHeadsStaysBounded)
{
    pitch.setRegen(100.0f);
    pitch.setDetuneCents(-100.0f);
    pitch.setDepth(1.0f);
    pitch.setRateHz(3.0f);
    std::mt19937 rng(9);
    std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
    std::vector<float> input(static_cast<size_t>(kRate) * 10);
    for (float& x : input)
        x = dist(rng);
    const std::vector<float> output = run(input);
    float peak = 0.0f;
    for (float y : output)
        peak = std::max(peak, std::fabs(y));
    EXPECT_LT(peak, 15.0f);
}

TEST_F(PitchChorusFixture, WideInvertsTheRightWetChannel)
{
    pitch.setRegen(60.0f);
    pitch.setDetuneCents(20.0f);
    const std::vector<float> input = sine(6000, 500.0, kRate);
    run(input);
    const std::vector<float> narrowRight = rightOut;

    pitch.reset();
    pitch.setWide(true);
    run(input);
    for (size_t i = 0; i < input.size(); ++i)
        ASSERT_EQ(rightOut[i], -narrowRight[i]) << "sample " << i;
}
} // namespace vorl
