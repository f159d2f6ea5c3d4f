#include "AllocationCounter.h"
#include "RandomEngineAutomation.h"
#include "DelayEngine.h"
#include "ToneFilter.h"
#include "ValueCurves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{
using vorl::DelayEngine;
using vorl::EngineBlockInputs;
using vorl::EngineParameterValues;
using vorl::HostPosition;

constexpr double kRate = 48000.0;

class DelayEngineTest : public testing::Test
{
protected:
    void SetUp() override { engine.prepare(kRate, 512); }

    // Runs n samples of a test signal through the engine in blocks; returns the output.
    std::pair<std::vector<float>, std::vector<float>> run(int n, int blockSize = 256)
    {
        std::vector<float> left(static_cast<size_t>(n)), right(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
        {
            left[(size_t)i] = signal(sampleClock + i, 0);
            right[(size_t)i] = signal(sampleClock + i, 1);
        }
        for (int start = 0; start < n; start += blockSize)
        {
            const int count = std::min(blockSize, n - start);
            engine.process(left.data() + start, right.data() + start, count, params, position, inputs);
        }
        sampleClock += n;
        return {left, right};
    }

    static float signal(long long i, int channel)
    {
        return 0.3f * std::sin(0.013f * (float)i + (float)channel) + 0.2f * std::sin(0.0021f * (float)i);
    }

    void settle() { run(static_cast<int>(kRate * 0.1)); }

    int crossfadingVoices() const
    {
        int count = 0;
        for (int i = 0; i < vorl::kMaxTaps; ++i)
            count += engine.getVoices().getVoice(i).crossfading ? 1 : 0;
        return count;
    }

    // Samples, one per processed sample, of the wet fade gain while running single-sample blocks.
    std::vector<float> fadeGainTrace(int samples)
    {
        std::vector<float> trace;
        for (int i = 0; i < samples; ++i)
        {
            run(1, 1);
            trace.push_back(engine.getWetFadeGain());
        }
        return trace;
    }

    DelayEngine engine;
    EngineParameterValues params;
    HostPosition position;
    EngineBlockInputs inputs;
    long long sampleClock = 0;
};

TEST_F(DelayEngineTest, MasterAtItsFloorIsSilence)
{
    params.mout = -60.0f;
    const auto [left, right] = run(4800);
    for (size_t i = 0; i < left.size(); ++i)
        ASSERT_EQ(left[i], 0.0f);
    for (float sample : right)
        ASSERT_EQ(sample, 0.0f);
}

TEST_F(DelayEngineTest, MixBypassGivesTheInputTimesTheMasterGain)
{
    params.mixByp = 1.0f;
    params.mix = 100.0f;
    params.mout = 3.5f;
    const float gain = std::pow(10.0f, 3.5f / 20.0f);
    const auto [left, right] = run(9600);
    for (int i = 0; i < 9600; i += 7)
    {
        ASSERT_FLOAT_EQ(left[(size_t)i], signal(i, 0) * gain);
        ASSERT_FLOAT_EQ(right[(size_t)i], signal(i, 1) * gain);
    }
}

TEST_F(DelayEngineTest, OneTapAtZeroGivesTheInputThroughTheToneFilters)
{
    params.mix = 100.0f;
    inputs.tapCount = 1;
    params.layout.pd = 0.0f;
    params.layout.g = 0.0f;
    settle();

    vorl::ToneFilter referenceLeft, referenceRight;
    for (auto* filter : {&referenceLeft, &referenceRight})
    {
        filter->prepare(kRate);
        filter->setHighPass(vorl::highPassSliderToHz(params.hp));
        filter->setLowPass(vorl::lowPassSliderToHz(params.lp));
    }
    // Let the reference filters reach the same steady state on the same signal.
    for (long long i = sampleClock - 9600; i < sampleClock; ++i)
    {
        referenceLeft.process(signal(i, 0));
        referenceRight.process(signal(i, 1));
    }
    const long long start = sampleClock;
    const auto [left, right] = run(4800);
    for (int i = 0; i < 4800; ++i)
    {
        ASSERT_NEAR(left[(size_t)i], referenceLeft.process(signal(start + i, 0)), 1e-4f) << i;
        ASSERT_NEAR(right[(size_t)i], referenceRight.process(signal(start + i, 1)), 1e-4f) << i;
    }
}

TEST_F(DelayEngineTest, ChangingOnlyVorlNeitherCrossfadesNorFades)
{
    settle();
    params.layout.g = 45.0f;
    for (int block = 0; block < 20; ++block)
    {
        run(256);
        EXPECT_EQ(crossfadingVoices(), 0);
        EXPECT_EQ(engine.getWetFadeGain(), 1.0f);
    }
}

struct HardResetCase
{
    const char* name;
    void (*trigger)(EngineParameterValues&, EngineBlockInputs&);
};

TEST_F(DelayEngineTest, DirectionChangesAndStateLoadsFadeOutWithin4msAndBackWithinTheNext4ms)
{
    const HardResetCase cases[] = {
        {"reverse", [](EngineParameterValues& p, EngineBlockInputs&) { p.layout.rev = 1.0f - p.layout.rev; }},
        {"tap flip",
         [](EngineParameterValues& p, EngineBlockInputs&) { p.layout.flipped = 1.0f - p.layout.flipped; }},
        {"state load", [](EngineParameterValues&, EngineBlockInputs& in) { ++in.stateVersion; }},
    };
    const int fourMs = static_cast<int>(kRate * 0.004);
    for (const auto& c : cases)
    {
        settle();
        c.trigger(params, inputs);
        const auto trace = fadeGainTrace(3 * fourMs);
        const auto silent = std::find(trace.begin(), trace.end(), 0.0f);
        ASSERT_NE(silent, trace.end()) << c.name;
        EXPECT_LE(silent - trace.begin(), fourMs) << c.name;
        const auto full = std::find(silent, trace.end(), 1.0f);
        ASSERT_NE(full, trace.end()) << c.name;
        EXPECT_LE(full - silent, fourMs + 1) << c.name;
        // Every voice jumped: none is left crossfading or waiting.
        for (int i = 0; i < vorl::kMaxTaps; ++i)
            EXPECT_FALSE(engine.getVoices().getVoice(i).changeRequested) << c.name;
    }
}

TEST_F(DelayEngineTest, TapSyncTempoChangeCrossfades)
{
    params.layout.mu = 1.0f;
    position.available = true;
    position.hasBpm = true;
    position.bpm = 120.0;
    settle();
    EXPECT_EQ(crossfadingVoices(), 0);
    position.bpm = 121.0;
    run(64);
    EXPECT_GT(crossfadingVoices(), 0);
    EXPECT_EQ(engine.getWetFadeGain(), 1.0f);
}

TEST_F(DelayEngineTest, WithoutPositionInfoSyncUsesTheLastReportedTempo)
{
    params.layout.mu = 1.0f;
    settle();
    const float firstTap = engine.getLayout().taps[1].timeMs;
    EXPECT_FLOAT_EQ(engine.getHostTempo(), 120.0f);

    position.available = true;
    position.hasBpm = true;
    position.bpm = 90.0;
    run(256);
    position = HostPosition{}; // the host stops reporting
    settle();
    EXPECT_FLOAT_EQ(engine.getHostTempo(), 90.0f);
    EXPECT_NEAR(engine.getLayout().taps[1].timeMs, firstTap * 120.0f / 90.0f, 0.01f);
}

TEST_F(DelayEngineTest, MonoBusWritesOnlyItsChannelAndIgnoresPingPong)
{
    params.mix = 100.0f;
    auto runMono = [&](float pingPong) {
        DelayEngine mono;
        mono.prepare(kRate, 256);
        params.ppW = pingPong;
        std::vector<float> out;
        for (int block = 0; block < 40; ++block)
        {
            std::vector<float> buffer(256);
            for (int i = 0; i < 256; ++i)
                buffer[(size_t)i] = signal(block * 256 + i, 0);
            mono.process(buffer.data(), nullptr, 256, params, position, inputs);
            out.insert(out.end(), buffer.begin(), buffer.end());
        }
        return out;
    };
    EXPECT_EQ(runMono(0.0f), runMono(100.0f));
}

TEST_F(DelayEngineTest, BlocksLongerThanAnnouncedAreProcessed)
{
    engine.prepare(kRate, 64);
    const auto [left, right] = run(20000, 20000);
    for (float sample : left)
        ASSERT_TRUE(std::isfinite(sample));
    EXPECT_GT(std::abs(left[15000]), 0.0f);
}

TEST_F(DelayEngineTest, ProcessingAfterPrepareDoesNotAllocate)
{
    params.tp = params.pitchOn = params.trem = params.layout.wo = 1.0f;
    params.ppW = 50.0f;
    run(512);
    std::vector<float> left(512), right(512);
    vorl::test::ScopedAllocationCounter counter;
    for (int block = 0; block < 50; ++block)
    {
        params.layout.g = (float)(block % 20) * 5.0f;    // glide
        params.layout.fb = 700.0f + (float)(block % 3);   // crossfades
        inputs.stateVersion += block % 17 == 0 ? 1u : 0u; // hard resets
        const int n = 1 + (block * 37) % 512;
        for (int i = 0; i < n; ++i)
            left[(size_t)i] = right[(size_t)i] = signal(i, 0);
        engine.process(left.data(), right.data(), n, params, position, inputs);
    }
    EXPECT_EQ(counter.allocations(), 0u);
}

// Random automation of every value the engine reads, random block sizes and sample rates:
// the output stays finite and bounded. The bound: 64 taps at gain 1.8 on a full-scale input,
// times 10 for a pitch regeneration loop at its 0.9 ceiling, times 3 for the widest stereo
// spread, times 2 for +6 dB of master: about 7000.
TEST(DelayEngineStress, RandomAutomationStaysFiniteAndBounded)
{
    std::mt19937 rng(77);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const double rates[] = {22050.0, 44100.0, 48000.0, 96000.0, 192000.0};
    for (double rate : rates)
    {
        DelayEngine engine;
        engine.prepare(rate, 512);
        EngineParameterValues params;
        EngineBlockInputs inputs;
        HostPosition position;
        std::vector<float> left(8192), right(8192);
        double ppq = 0.0;
        for (int block = 0; block < 120; ++block)
        {
            vorl::test::randomiseEngineBlock(rng, params, inputs, position, ppq);

            const int n = 1 + (int)(rng() % 4096u);
            for (int i = 0; i < n; ++i)
            {
                left[(size_t)i] = 2.0f * unit(rng) - 1.0f;
                right[(size_t)i] = 2.0f * unit(rng) - 1.0f;
            }
            const float peak = engine.process(left.data(), right.data(), n, params, position, inputs);
            ppq += n / rate * position.bpm / 60.0;
            ASSERT_TRUE(std::isfinite(peak)) << rate << " block " << block;
            ASSERT_LE(peak, 7000.0f) << rate << " block " << block;
            for (int i = 0; i < n; ++i)
                ASSERT_TRUE(std::isfinite(left[(size_t)i]) && std::isfinite(right[(size_t)i]));
        }
    }
}
} // namespace
