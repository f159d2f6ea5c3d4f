#include "Tremolo.h"
#include "LfoRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vorl
{
namespace
{
constexpr double kRate = 48000.0;

// Runs the tremolo on a constant 1 so the outputs are its gains.
class TremoloFixture : public ::testing::Test
{
protected:
    void SetUp() override { tremolo.prepare(kRate); }

    void run(int n)
    {
        std::vector<float> l(static_cast<size_t>(n), 1.0f), r(static_cast<size_t>(n), 1.0f);
        tremolo.process(l.data(), r.data(), n);
        left.insert(left.end(), l.begin(), l.end());
        right.insert(right.end(), r.begin(), r.end());
    }

    // Blocks of a host playing from beat 0 at the given tempo.
    void runSynced(double bpm, int noteIndex, double phaseBeats, int blocks, int blockSize)
    {
        for (int b = 0; b < blocks; ++b)
        {
            const double ppq = static_cast<double>(left.size()) * bpm / 60.0 / kRate;
            tremolo.setSync(true, ppq, bpm, noteIndex, phaseBeats, static_cast<float>(kRate));
            run(blockSize);
        }
    }

    Tremolo tremolo;
    std::vector<float> left, right;
};
} // namespace

TEST_F(TremoloFixture, DepthZeroLeavesSignalAndPhaseUntouched)
{
    tremolo.setRateHz(5.0f);
    tremolo.setShape(0);
    tremolo.setDepth(0.5f);
    run(1000);
    const double phaseBefore = tremolo.getPhase();

    tremolo.setDepth(0.0f);
    std::vector<float> l{0.3f, -0.7f, 1.5f}, r{-0.2f, 0.9f, 0.0f};
    tremolo.process(l.data(), r.data(), 3);
    EXPECT_EQ(l, (std::vector<float>{0.3f, -0.7f, 1.5f}));
    EXPECT_EQ(r, (std::vector<float>{-0.2f, 0.9f, 0.0f}));
    EXPECT_EQ(tremolo.getPhase(), phaseBefore);
}

TEST_F(TremoloFixture, SquareWithHalfCycleOffsetNeverHasBothSidesOn)
{
    tremolo.setRateHz(8.0f);
    tremolo.setShape(2);
    tremolo.setDepth(1.0f);
    tremolo.setOffsetShift(-0.5f); // Trem Offset 180 degrees
    run(48000);

    float maxLeft = 0.0f, minLeft = 1.0f;
    for (size_t i = 0; i < left.size(); ++i)
    {
        ASSERT_LE(left[i] + right[i], 1.0f + 1e-5f) << "sample " << i;
        maxLeft = std::max(maxLeft, left[i]);
        minLeft = std::min(minLeft, left[i]);
    }
    EXPECT_GT(maxLeft, 0.999f);
    EXPECT_LT(minLeft, 0.001f);
}

TEST_F(TremoloFixture, FreeRunningPhaseFollowsTheRateInHertz)
{
    tremolo.setRateHz(3.0f);
    tremolo.setDepth(1.0f);
    run(12345);
    EXPECT_NEAR(tremolo.getPhase(), std::fmod(12345.0 * 3.0 / kRate, 1.0), 1e-9);
}

TEST_F(TremoloFixture, FirstSampleAfterResetIsNotSmoothed)
{
    tremolo.setRateHz(1.0f);
    tremolo.setShape(0);
    tremolo.setDepth(1.0f);
    tremolo.setPhaseShift(-0.25f); // bottom of the sine: gain 1 - depth
    run(1);
    EXPECT_EQ(left[0], 0.0f);
}

TEST_F(TremoloFixture, DepthChangeGlidesWithoutAClick)
{
    tremolo.setRateHz(0.15f);
    tremolo.setShape(0);
    tremolo.setPhaseShift(-0.25f);
    tremolo.setDepth(0.1f);
    run(256);
    tremolo.setDepth(1.0f);
    run(480); // ten time constants

    const size_t jump = 256;
    const float before = left[jump - 1];
    EXPECT_LT(left[jump] - before, 0.0f);
    EXPECT_GT(left[jump], before - 0.9f * 0.03f) << "first step is one smoothing step, not the whole change";
    for (size_t i = jump + 1; i < left.size(); ++i)
        ASSERT_LE(std::fabs(left[i] - left[i - 1]), 0.9f * 0.03f);
    EXPECT_NEAR(left.back(), 0.0f, 1e-3f);
}

TEST_F(TremoloFixture, SyncedSineAtQuarterNotesPeaksOnEveryBeat)
{
    tremolo.setShape(0);
    tremolo.setDepth(1.0f);
    runSynced(120.0, 5, 0.0, 200, 512); // 1/4 at 120 BPM: a beat every 24000 samples

    EXPECT_EQ(left[0], 1.0f) << "unsmoothed first sample sits on beat 0";
    for (int beat = 1; beat < 4; ++beat)
    {
        const auto at = static_cast<size_t>(beat * 24000);
        const float peak = *std::max_element(left.begin() + at, left.begin() + at + 96);
        EXPECT_GT(peak, 0.9999f) << "beat " << beat;
        EXPECT_LT(left[at + 12000 + 48], 0.001f) << "half-way between beats";
    }
}

TEST_F(TremoloFixture, SyncedPhaseShiftMovesThePeak)
{
    tremolo.setShape(0);
    tremolo.setDepth(1.0f);
    // Trem Phase 90 degrees of a 1/4 note: a quarter beat later.
    runSynced(120.0, 5, 0.25, 1, 64);
    EXPECT_NEAR(left[0], 0.5f, 1e-6f);
}

TEST_F(TremoloFixture, SyncedRandomStepsRestartEveryBar)
{
    const uint32_t seed = 0xC0FFEEu;
    tremolo.setSeed(seed);
    tremolo.setShape(5);
    tremolo.setDepth(1.0f);
    tremolo.setOffsetShift(-0.5f);      // ignored by random shapes
    runSynced(120.0, 9, 0.0, 400, 480); // 1/16 at 120 BPM: a step every 6000 samples, a bar every 96000

    for (int bar = 0; bar < 2; ++bar)
        for (int step = 0; step < 16; ++step)
        {
            const auto middle = static_cast<size_t>(bar * 96000 + step * 6000 + 3000);
            const float expected = 0.5f * rnd(step, seed) + 0.5f;
            EXPECT_NEAR(left[middle], expected, 1e-5f) << "bar " << bar << " step " << step;
            EXPECT_EQ(left[middle], right[middle]);
        }
}

TEST_F(TremoloFixture, SmoothRandomGlidesBetweenHashSteps)
{
    const uint32_t seed = 7u;
    tremolo.setSeed(seed);
    tremolo.setShape(6);
    tremolo.setRateHz(2.0f);
    tremolo.setDepth(1.0f);
    run(48000);
    for (size_t i = 1000; i < left.size(); i += 4000)
    {
        // The smoothed gain lags the target by about the 1 ms time constant.
        const double position = (static_cast<double>(i) - 48.0) * 2.0 / kRate;
        EXPECT_NEAR(left[i], 0.5f * smoothRandom(position, seed) + 0.5f, 2e-3f) << "sample " << i;
    }
}

// The LFO values are worked out a chunk at a time (the sine shape's a vector at a time), so the
// gains must not depend on where blocks and chunks begin and end; and the sine shape gives the
// float sine of its phase to within the last bit.
TEST(TremoloChunks, GainsDoNotDependOnTheBlockSizes)
{
    for (int shape : {0, 1, 5})
    {
        const auto gains = [shape](const std::vector<int>& blockSizes)
        {
            Tremolo tremolo;
            tremolo.prepare(kRate);
            tremolo.setRateHz(7.3f);
            tremolo.setDepth(1.0f);
            tremolo.setShape(shape);
            tremolo.setPhaseShift(-0.1f);
            tremolo.setOffsetShift(0.45f);
            std::vector<float> left, right;
            for (int n : blockSizes)
            {
                std::vector<float> l(static_cast<size_t>(n), 1.0f), r(static_cast<size_t>(n), 1.0f);
                tremolo.process(l.data(), r.data(), n);
                left.insert(left.end(), l.begin(), l.end());
                right.insert(right.end(), r.begin(), r.end());
            }
            left.insert(left.end(), right.begin(), right.end());
            return left;
        };
        const std::vector<float> whole = gains({2000});
        EXPECT_EQ(gains({1, 63, 64, 65, 127, 1, 679, 1000}), whole) << "shape " << shape;
        EXPECT_EQ(gains(std::vector<int>(2000, 1)), whole) << "shape " << shape;
    }
}

TEST(TremoloChunks, SineShapeIsTheFloatSineOfItsPhase)
{
    Tremolo tremolo;
    tremolo.prepare(kRate);
    tremolo.setRateHz(0.0f); // the phase stands still at the shift
    tremolo.setDepth(1.0f);
    tremolo.setShape(0);
    for (int step = 0; step < 360; step += 7)
    {
        const double cycles = step / 360.0;
        tremolo.reset(); // the first gain after a reset is the target itself
        tremolo.setPhaseShift(static_cast<float>(cycles));
        float l = 1.0f, r = 1.0f;
        tremolo.process(&l, &r, 1);
        const float sine =
            std::sin(static_cast<float>(2.0 * 3.14159265358979323846 * static_cast<float>(cycles)));
        const float expected = 1.0f - (1.0f - (0.5f * sine + 0.5f));
        EXPECT_NEAR(l, expected, 1.2e-7f) << "phase " << cycles;
    }
}
} // namespace vorl
