#include "TapVoiceBank.h"
#include "AllocationCounter.h"
#include "CubicReader.h"
#include "DelayLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace vorl
{
namespace
{
constexpr double kRate = 48000.0;
constexpr int kRampSamples = 480; // 10 ms at 48 kHz

TapLayoutResult layoutOf(std::initializer_list<TapRecord> taps)
{
    TapLayoutResult layout;
    for (const auto& tap : taps)
        layout.taps[static_cast<size_t>(layout.count++)] = tap;
    return layout;
}

// count taps at first, first + step, ... ms, full gain.
TapLayoutResult evenLayout(int count, float firstMs, float stepMs)
{
    TapLayoutResult layout;
    for (int i = 0; i < count; ++i)
        layout.taps[static_cast<size_t>(i)] = TapRecord{firstMs + stepMs * static_cast<float>(i), 1.0f, 0.0f};
    layout.count = count;
    return layout;
}

class TapVoiceBankTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        line.prepare(kRate);
        bank.prepare(kRate);
    }

    void apply(const TapLayoutResult& layout, bool structural = false, bool hardReset = false)
    {
        bank.applyLayout(layout, kRate, structural, hardReset);
        if (!hardReset)
            bank.scheduleCrossfades();
    }

    void process(const std::vector<float>& inL, const std::vector<float>& inR, int switchIndex = -1,
                 PingPongSettings pingPong = {}, WearSettings wear = {})
    {
        const int n = static_cast<int>(inL.size());
        wetL.assign(inL.size(), 0.0f);
        wetR.assign(inL.size(), 0.0f);
        const int w0 = line.getWriteIndex();
        line.write(inL.data(), inR.data(), n);
        bank.render(line, n, w0, switchIndex, pingPong, wear, wetL.data(), wetR.data());
    }

    void processSilence(int n)
    {
        const std::vector<float> zeros(static_cast<size_t>(n), 0.0f);
        process(zeros, zeros);
    }

    // A unit impulse at sample 0 of an n-sample block, on both channels.
    void processImpulse(int n, PingPongSettings pingPong = {})
    {
        std::vector<float> in(static_cast<size_t>(n), 0.0f);
        in[0] = 1.0f;
        process(in, in, -1, pingPong);
    }

    static int peakIndex(const std::vector<float>& x)
    {
        int best = 0;
        for (int k = 1; k < static_cast<int>(x.size()); ++k)
            if (std::fabs(x[static_cast<size_t>(k)]) > std::fabs(x[static_cast<size_t>(best)]))
                best = k;
        return best;
    }

    DelayLine line;
    TapVoiceBank bank;
    std::vector<float> wetL, wetR;
};

TEST_F(TapVoiceBankTest, ZeroMillisecondTapReproducesTheInput)
{
    apply(layoutOf({{0.0f, 1.0f, 0.0f}}));
    std::mt19937 rng(3u);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    for (int block = 0; block < 4; ++block)
    {
        std::vector<float> inL(256), inR(256);
        for (size_t k = 0; k < inL.size(); ++k)
        {
            inL[k] = noise(rng);
            inR[k] = noise(rng);
        }
        process(inL, inR);
        if (block < 2)
            continue; // still fading in
        for (size_t k = 0; k < inL.size(); ++k)
        {
            ASSERT_EQ(wetL[k], inL[k]) << "block " << block << " sample " << k;
            ASSERT_EQ(wetR[k], inR[k]) << "block " << block << " sample " << k;
        }
    }
}

TEST_F(TapVoiceBankTest, NewVoicesFadeInLinearlyOverTenMilliseconds)
{
    apply(layoutOf({{0.0f, 0.5f, 0.0f}}));
    const std::vector<float> ones(1024, 1.0f);
    process(ones, ones);
    EXPECT_NEAR(wetL[0], 1.0f / kRampSamples, 1e-6f);
    EXPECT_NEAR(wetL[99], 100.0f / kRampSamples, 1e-5f);
    EXPECT_NEAR(wetL[239], 0.5f, 1e-5f); // halfway up the ramp it reaches its gain of 0.5
    EXPECT_EQ(wetL[400], 0.5f);
    EXPECT_EQ(wetR[1023], 0.5f);
}

TEST_F(TapVoiceBankTest, TapDelaysTheInputByItsTime)
{
    apply(layoutOf({{10.0f, 1.0f, 0.0f}, {12.5f, 0.5f, 0.0f}}));
    processSilence(1024);
    processImpulse(1024);
    EXPECT_EQ(wetL[480], 1.0f);
    EXPECT_EQ(wetR[480], 1.0f);
    EXPECT_EQ(wetL[600], 0.5f);
    EXPECT_EQ(wetL[479], 0.0f);
    EXPECT_EQ(wetL[481], 0.0f);
}

TEST_F(TapVoiceBankTest, NegativeStereoOffsetDelaysTheRightChannelByFiveMilliseconds)
{
    apply(layoutOf({{10.0f, 1.0f, -1.0f}}));
    processSilence(1024);
    processImpulse(1024);
    EXPECT_EQ(peakIndex(wetL), 480);
    EXPECT_EQ(peakIndex(wetR), 480 + 240);
    EXPECT_EQ(wetR[720], 1.0f);
}

TEST_F(TapVoiceBankTest, PositiveStereoOffsetNeverReadsAheadOfTheInput)
{
    apply(layoutOf({{2.0f, 1.0f, 1.0f}})); // right wants 5 ms earlier than a 2 ms delay
    processSilence(1024);
    processImpulse(512);
    EXPECT_EQ(peakIndex(wetL), 96);
    EXPECT_EQ(peakIndex(wetR), 0);
}

TEST_F(TapVoiceBankTest, FullPingPongAlternatesTapsBetweenSidesAndIgnoresOffsets)
{
    apply(layoutOf({{1.0f, 1.0f, 0.0f}, {3.0f, 1.0f, -1.0f}, {5.0f, 1.0f, 0.0f}}));
    const PingPongSettings pingPong{true, 1.0f};
    processSilence(1024);
    processImpulse(1024, pingPong);
    // Left: taps 0 and 2 only. Right: tap 1 only, at its own time despite the offset.
    EXPECT_EQ(wetL[48], 1.0f);
    EXPECT_EQ(wetL[144], 0.0f);
    EXPECT_EQ(wetL[240], 1.0f);
    EXPECT_EQ(wetR[48], 0.0f);
    EXPECT_EQ(wetR[144], 1.0f);
    EXPECT_EQ(wetR[240], 0.0f);
    EXPECT_EQ(wetR[144 + 240], 0.0f);
}

TEST_F(TapVoiceBankTest, HalfPingPongLeavesHalfOnTheOppositeSide)
{
    apply(layoutOf({{1.0f, 1.0f, 0.0f}, {3.0f, 1.0f, 0.0f}}));
    processSilence(1024);
    processImpulse(512, PingPongSettings{true, 0.5f});
    EXPECT_EQ(wetL[48], 1.0f);
    EXPECT_EQ(wetR[48], 0.5f);
    EXPECT_EQ(wetL[144], 0.5f);
    EXPECT_EQ(wetR[144], 1.0f);
}

TEST_F(TapVoiceBankTest, VorlChangesGlideWithoutCrossfading)
{
    apply(layoutOf({{100.0f, 1.0f, 0.0f}}));
    processSilence(1024);
    apply(layoutOf({{120.0f, 1.0f, 0.0f}}), false);
    const TapVoice& voice = bank.getVoice(0);
    EXPECT_FALSE(voice.changeRequested);
    EXPECT_FALSE(voice.crossfading);
    EXPECT_EQ(voice.targetDelay, 5760.0f);

    processSilence(960); // one 20 ms time constant: about 63 % of the way
    EXPECT_NEAR(voice.delayNow, 4800.0f + 960.0f * (1.0f - std::exp(-1.0f)), 2.0f);
    for (int block = 0; block < 40; ++block)
        processSilence(960);
    EXPECT_EQ(voice.delayNow, 5760.0f); // snapped once within 0.01 samples
}

TEST(TapVoiceBankGlide, LongDelaysAtHighSampleRatesReachTheirTarget)
{
    // 14 s at 192 kHz is 2.7 million samples, where the float grid is 0.25 samples: a plain
    // one-pole step rounds to nothing hundreds of samples short of the target.
    constexpr double rate = 192000.0;
    DelayLine line;
    line.prepare(rate);
    TapVoiceBank bank;
    bank.prepare(rate);
    bank.applyLayout(layoutOf({{14000.0f, 1.0f, 0.5f}}), rate, false, false);
    bank.applyLayout(layoutOf({{14010.0f, 1.0f, -0.5f}}), rate, false, false);
    std::vector<float> in(4096, 0.0f), outL(4096), outR(4096);
    for (int block = 0; block < 100; ++block) // about 2 s
    {
        const int w0 = line.getWriteIndex();
        line.write(in.data(), in.data(), 4096);
        bank.render(line, 4096, w0, -1, {}, {}, outL.data(), outR.data());
    }
    EXPECT_EQ(bank.getVoice(0).delayNow, bank.getVoice(0).targetDelay);
    EXPECT_EQ(bank.getVoice(0).offsetNow, -0.5f);
}

TEST_F(TapVoiceBankTest, StructuralChangeCrossfadesSixteenVoicesThenTheRestInRoundRobinOrder)
{
    apply(evenLayout(20, 10.0f, 10.0f));
    processSilence(1024);

    apply(evenLayout(20, 20.0f, 10.0f), true);
    for (int i = 0; i < 20; ++i)
    {
        const TapVoice& voice = bank.getVoice(i);
        EXPECT_EQ(voice.crossfading, i < 16) << "voice " << i;
        EXPECT_EQ(voice.changeRequested, i >= 16) << "voice " << i;
    }
    EXPECT_EQ(bank.getNextCrossfadeSlot(), 16);

    processSilence(256);
    // Waiting voices hold their old delay; running crossfades are halfway.
    EXPECT_EQ(bank.getVoice(17).delayNow, 48.0f * 180.0f);
    EXPECT_NEAR(bank.getVoice(3).fade, 256.0f / kRampSamples, 1e-4f);
    apply(evenLayout(20, 20.0f, 10.0f), false);
    EXPECT_EQ(bank.getVoice(16).crossfading, false); // all 16 slots still busy

    processSilence(256); // the first crossfades complete
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_FALSE(bank.getVoice(i).crossfading) << "voice " << i;
        EXPECT_EQ(bank.getVoice(i).delayNow, 48.0f * (20.0f + 10.0f * static_cast<float>(i)))
            << "voice " << i;
    }
    apply(evenLayout(20, 20.0f, 10.0f), false);
    for (int i = 16; i < 20; ++i)
        EXPECT_TRUE(bank.getVoice(i).crossfading) << "voice " << i;
    EXPECT_EQ(bank.getNextCrossfadeSlot(), 20);
}

TEST_F(TapVoiceBankTest, ChangeDuringACrossfadeStartsAnotherFromTheReachedPosition)
{
    apply(layoutOf({{10.0f, 1.0f, 0.0f}}));
    processSilence(1024);
    apply(layoutOf({{20.0f, 1.0f, 0.0f}}), true);
    processSilence(100);
    apply(layoutOf({{30.0f, 1.0f, 0.0f}}), true);
    apply(layoutOf({{30.0f, 1.0f, 0.0f}}), true); // remembered once, not queued twice
    const TapVoice& voice = bank.getVoice(0);
    EXPECT_TRUE(voice.pendingChange);
    EXPECT_EQ(voice.newDelay, 960.0f);

    processSilence(400); // the first crossfade ends and the second begins at once
    EXPECT_TRUE(voice.crossfading);
    EXPECT_FALSE(voice.pendingChange);
    EXPECT_EQ(voice.delayNow, 960.0f);
    EXPECT_EQ(voice.newDelay, 1440.0f);

    processSilence(512);
    EXPECT_FALSE(voice.crossfading);
    EXPECT_EQ(voice.delayNow, 1440.0f);
}

TEST_F(TapVoiceBankTest, LoweringTapCountFadesVoicesOutAndRaisingItStartsThemAfresh)
{
    apply(evenLayout(10, 5.0f, 5.0f));
    processSilence(1024);
    apply(evenLayout(5, 5.0f, 5.0f), true);
    processSilence(kRampSamples / 2);
    EXPECT_TRUE(bank.getVoice(7).active);
    EXPECT_NEAR(bank.getVoice(7).gainNow, 0.5f, 1e-3f);
    processSilence(kRampSamples);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(bank.getVoice(i).active, i < 5) << "voice " << i;

    apply(evenLayout(10, 50.0f, 5.0f), true);
    const TapVoice& revived = bank.getVoice(8);
    EXPECT_TRUE(revived.active);
    EXPECT_EQ(revived.gainNow, 0.0f);
    EXPECT_EQ(revived.delayNow, 48.0f * 90.0f);
    EXPECT_FALSE(revived.changeRequested);
}

TEST_F(TapVoiceBankTest, HardResetJumpsEveryVoiceAtTheSwitchSample)
{
    apply(layoutOf({{10.0f, 1.0f, 0.0f}}));
    processSilence(1024);
    bank.applyLayout(layoutOf({{20.0f, 1.0f, 0.0f}}), kRate, true, true);
    EXPECT_EQ(bank.getVoice(0).targetDelay, 480.0f); // holds until the switch
    EXPECT_FALSE(bank.getVoice(0).changeRequested);

    std::vector<float> in(2048, 0.0f);
    in[0] = 1.0f;    // heard through the old delay: before the switch
    in[1000] = 1.0f; // heard through the new delay: after it
    process(in, in, 700);
    EXPECT_EQ(wetL[480], 1.0f);
    EXPECT_EQ(wetL[1480], 0.0f); // the old delay is gone after the switch
    EXPECT_EQ(wetL[1960], 1.0f);
    EXPECT_EQ(wetL[960], 1.0f); // the new delay reaches back to the first impulse
    EXPECT_EQ(bank.getVoice(0).delayNow, 960.0f);
}

TEST_F(TapVoiceBankTest, WearDarkensLaterTaps)
{
    apply(evenLayout(4, 1.0f, 1.0f));
    std::vector<float> nyquist(2048);
    for (size_t k = 0; k < nyquist.size(); ++k)
        nyquist[k] = (k & 1u) ? -1.0f : 1.0f;
    const WearSettings wear{true, 100.0f};
    process(nyquist, nyquist, -1, {}, wear);
    process(nyquist, nyquist, -1, {}, wear);
    // The sum of all taps, against the first tap alone.
    TapVoiceBank single;
    single.prepare(kRate);
    single.applyLayout(evenLayout(1, 1.0f, 1.0f), kRate, false, false);
    EXPECT_LT(std::fabs(wetL[2000]), 1.5f); // four taps at full gain would give 4 undarkened
    EXPECT_GT(std::fabs(wetL[2000]), 0.5f); // the first tap is nearly open
}

// A bank that had other wear and another pattern darkens exactly like one that always had the
// final ones: nothing of the earlier amount or tap count stays behind, whichever changed last.
TEST(TapVoiceBankWear, FollowsChangesOfItsAmountAndOfTheTapCount)
{
    const TapLayoutResult finalLayout = evenLayout(8, 1.0f, 1.0f);
    const WearSettings finalWear{true, 10.0f};
    struct Story
    {
        int countChangeBlock, amountChangeBlock;
    };
    for (const Story story : {Story{4, 8}, Story{8, 4}})
    {
        DelayLine line;
        line.prepare(kRate);
        TapVoiceBank changed, always;
        for (TapVoiceBank* bank : {&changed, &always})
        {
            bank->prepare(kRate);
            bank->applyLayout(bank == &always ? finalLayout : evenLayout(4, 1.0f, 1.0f), kRate, false, false);
            bank->scheduleCrossfades();
        }
        std::mt19937 rng(7);
        std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
        const int n = 256;
        std::vector<float> in(n), changedL(n), changedR(n), alwaysL(n), alwaysR(n);
        for (int block = 0; block < 40; ++block)
        {
            if (block == story.countChangeBlock)
            {
                changed.applyLayout(finalLayout, kRate, false, false);
                changed.scheduleCrossfades();
            }
            for (float& x : in)
                x = noise(rng);
            const int w0 = line.getWriteIndex();
            line.write(in.data(), in.data(), n);
            for (auto* bus : {&changedL, &changedR, &alwaysL, &alwaysR})
                std::fill(bus->begin(), bus->end(), 0.0f); // the voices add to the bus
            const WearSettings wear =
                block < story.amountChangeBlock ? WearSettings{true, 100.0f} : finalWear;
            changed.render(line, n, w0, -1, {}, wear, changedL.data(), changedR.data());
            always.render(line, n, w0, -1, {}, finalWear, alwaysL.data(), alwaysR.data());
        }
        for (size_t k = 0; k < in.size(); ++k)
            ASSERT_NEAR(changedL[k], alwaysL[k], 1e-5f)
                << "sample " << k << ", count changed at block " << story.countChangeBlock;
    }
}

TEST_F(TapVoiceBankTest, ResetSilencesEveryVoice)
{
    apply(evenLayout(30, 1.0f, 2.0f));
    processSilence(512);
    bank.reset();
    for (int i = 0; i < kMaxTaps; ++i)
        ASSERT_FALSE(bank.getVoice(i).active);
    const std::vector<float> ones(256, 1.0f);
    process(ones, ones);
    for (const float y : wetL)
        ASSERT_EQ(y, 0.0f);
}

// One delay line read by two banks: one with the fast paths, one reading every sample the
// general way. Each block is written once and rendered by both, and the outputs must agree.
struct TwoPathBanks
{
    explicit TwoPathBanks(double rate)
    {
        line.prepare(rate);
        fast.prepare(rate);
        general.prepare(rate);
        general.setFastPathEnabled(false);
    }

    void apply(const TapLayoutResult& layout, double rate, bool structural, bool hardReset)
    {
        for (TapVoiceBank* bank : {&fast, &general})
        {
            bank->applyLayout(layout, rate, structural, hardReset);
            if (!hardReset)
                bank->scheduleCrossfades();
        }
    }

    void renderAndCompare(const std::vector<float>& inL, const std::vector<float>& inR, int n,
                          int switchIndex, PingPongSettings pingPong, WearSettings wear,
                          float tolerance = 2e-5f)
    {
        const int w0 = line.getWriteIndex();
        line.write(inL.data(), inR.data(), n);
        std::vector<float> fastL(static_cast<size_t>(n), 0.0f), fastR(fastL), generalL(fastL),
            generalR(fastL);
        fast.render(line, n, w0, switchIndex, pingPong, wear, fastL.data(), fastR.data());
        general.render(line, n, w0, switchIndex, pingPong, wear, generalL.data(), generalR.data());
        for (int k = 0; k < n; ++k)
        {
            ASSERT_NEAR(fastL[static_cast<size_t>(k)], generalL[static_cast<size_t>(k)], tolerance)
                << "sample " << k;
            ASSERT_NEAR(fastR[static_cast<size_t>(k)], generalR[static_cast<size_t>(k)], tolerance)
                << "sample " << k;
        }
    }

    DelayLine line;
    TapVoiceBank fast;
    TapVoiceBank general;
};

// Drives two banks through the same story, one with the fast paths and one reading every
// sample the general way: fade-ins, gliding, offsets, crossfades with a pending change, ping-pong,
// wear, a hard reset and a block that wraps around the end of the line.
TEST(TapVoiceBankPaths, FastPathsGiveTheSameSamplesAsTheGeneralRead)
{
    constexpr double rate = 1000.0; // a 15001-frame line, wrapped within a few blocks
    TwoPathBanks banks(rate);
    auto& fast = banks.fast;
    auto& general = banks.general;

    std::mt19937 rng(11u);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    auto randomLayout = [&](int count, float maxMs)
    {
        TapLayoutResult layout;
        layout.count = count;
        for (int i = 0; i < count; ++i)
            layout.taps[static_cast<size_t>(i)] =
                TapRecord{std::uniform_real_distribution<float>(0.0f, maxMs)(rng),
                          std::uniform_real_distribution<float>(0.0f, 1.5f)(rng),
                          std::uniform_real_distribution<float>(-2.0f, 2.0f)(rng)};
        return layout;
    };

    std::vector<float> inL(1500), inR(1500);
    for (int block = 0; block < 40; ++block)
    {
        const bool structural = block % 7 == 3 || block % 7 == 4;
        const bool hardReset = block % 13 == 9;
        if (block == 0 || structural || hardReset || block % 5 == 2)
        {
            banks.apply(randomLayout(std::uniform_int_distribution<int>(1, 40)(rng), 14000.0f), rate,
                        structural, hardReset);
        }
        const int n = std::uniform_int_distribution<int>(1, 1500)(rng);
        for (int k = 0; k < n; ++k)
        {
            inL[static_cast<size_t>(k)] = noise(rng);
            inR[static_cast<size_t>(k)] = noise(rng);
        }
        const PingPongSettings pingPong{block % 4 == 1, 0.7f};
        const WearSettings wear{block % 6 == 5, 60.0f};
        const int switchIndex = hardReset ? n / 2 : -1;
        SCOPED_TRACE("block " + std::to_string(block));
        banks.renderAndCompare(inL, inR, n, switchIndex, pingPong, wear);
        if (HasFatalFailure())
            return;
        for (int i = 0; i < kMaxTaps; ++i)
        {
            ASSERT_EQ(fast.getVoice(i).active, general.getVoice(i).active) << "voice " << i;
            ASSERT_EQ(fast.getVoice(i).delayNow, general.getVoice(i).delayNow) << "voice " << i;
            ASSERT_EQ(fast.getVoice(i).gainNow, general.getVoice(i).gainNow) << "voice " << i;
            ASSERT_EQ(fast.getVoice(i).offsetNow, general.getVoice(i).offsetNow) << "voice " << i;
        }
    }
}

// A tap time automated block after block, as a host moves Length: every voice wants a crossfade
// each block, sixteen run at a time and restart towards the change that waited, so crossfades end
// (and start again) inside chunks, while the gains ramp a little each time.
TEST(TapVoiceBankPaths, AutomatedTimesCrossfadeAsTheGeneralReadDoes)
{
    for (const bool pingPongOn : {false, true})
    {
        TwoPathBanks banks(48000.0);
        std::mt19937 rng(5u);
        std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
        std::vector<float> inL(700), inR(700);
        for (int block = 0; block < 60; ++block)
        {
            const float length = 300.0f + 3.0f * static_cast<float>(block);
            TapLayoutResult layout;
            layout.count = 24;
            for (int i = 0; i < layout.count; ++i)
                layout.taps[static_cast<size_t>(i)] =
                    TapRecord{length * static_cast<float>(i + 1) / 24.0f,
                              1.0f - 0.01f * static_cast<float>((block + i) % 9), 0.3f};
            banks.apply(layout, 48000.0, block > 0, false);
            const int n = block % 3 == 0 ? 256 : block % 3 == 1 ? 100 : 613;
            for (int k = 0; k < n; ++k)
            {
                inL[static_cast<size_t>(k)] = noise(rng);
                inR[static_cast<size_t>(k)] = noise(rng);
            }
            SCOPED_TRACE("block " + std::to_string(block) + (pingPongOn ? ", ping-pong" : ""));
            banks.renderAndCompare(inL, inR, n, -1, {pingPongOn, 0.4f}, {}, 0.0f);
            if (HasFatalFailure())
                return;
        }
    }
}

// Settled voices under tape wear take the vectorised read and filter it afterwards; the
// wear filter's state must carry across chunk and block boundaries exactly as per sample.
TEST(TapVoiceBankPaths, WornSettledVoicesMatchTheGeneralReadOverManyBlocks)
{
    constexpr double rate = 48000.0;
    TwoPathBanks banks(rate);

    TapLayoutResult layout;
    layout.count = 24;
    for (int i = 0; i < layout.count; ++i)
        layout.taps[static_cast<size_t>(i)] = TapRecord{3.0f + 11.5f * static_cast<float>(i), 0.9f, 0.3f};
    banks.apply(layout, rate, false, false);

    std::mt19937 rng(5u);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    const int blockSizes[] = {700, 1, 256, 257, 4000, 33, 512, 1999};
    std::vector<float> inL(4000), inR(4000);
    for (int round = 0; round < 3; ++round)
        for (int n : blockSizes)
        {
            for (int k = 0; k < n; ++k)
            {
                inL[static_cast<size_t>(k)] = noise(rng);
                inR[static_cast<size_t>(k)] = noise(rng);
            }
            SCOPED_TRACE("block of " + std::to_string(n));
            banks.renderAndCompare(inL, inR, n, -1, PingPongSettings{round == 1, 0.5f},
                                   WearSettings{true, 70.0f});
            if (HasFatalFailure())
                return;
        }
}

TEST_F(TapVoiceBankTest, NothingAllocatesAfterPrepare)
{
    std::vector<float> in(2048, 0.25f), outL(2048, 0.0f), outR(2048, 0.0f);
    test::ScopedAllocationCounter counter;
    for (int block = 0; block < 6; ++block)
    {
        bank.applyLayout(evenLayout(64 - block, 3.0f + static_cast<float>(block), 7.0f), kRate,
                         block % 2 == 1, block == 4);
        if (block != 4)
            bank.scheduleCrossfades();
        const int w0 = line.getWriteIndex();
        line.write(in.data(), in.data(), 2048);
        bank.render(line, 2048, w0, block == 4 ? 100 : -1, PingPongSettings{block == 3, 0.5f},
                    WearSettings{block == 5, 40.0f}, outL.data(), outR.data());
    }
    EXPECT_EQ(counter.allocations(), 0u);
}
} // namespace
} // namespace vorl
