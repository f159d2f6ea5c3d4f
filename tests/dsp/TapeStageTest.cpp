#include "TapeStage.h"
#include "MathConstants.h"
#include "TapeSaturator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace vorl
{
namespace
{
// Dither of a result below 1 in magnitude is under 2^31 * 5.5e-36 * 2^62 (about 5.5e-8).
constexpr float kDitherBound = 6e-8f;

struct TapeSettings
{
    bool od = false;
    float input = 0.0f, lpf = 100.0f, headBump = 0.0f, flutter = 0.0f, flutterSpeed = 50.0f, output = 50.0f,
          mix = 100.0f;
};

void apply(TapeStage& tape, const TapeSettings& s)
{
    tape.setOdMode(s.od);
    tape.setInputAmount(s.input);
    tape.setLpfAmount(s.lpf);
    tape.setHeadBump(s.headBump);
    tape.setFlutter(s.flutter);
    tape.setFlutterSpeed(s.flutterSpeed);
    tape.setOutputAmount(s.output);
    tape.setMix(s.mix);
}

std::vector<float> sine(int n, float hz, float amplitude, double sampleRate)
{
    std::vector<float> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<size_t>(i)] =
            amplitude * static_cast<float>(std::sin(2.0 * vorl::kPi * hz * i / sampleRate));
    return v;
}

// Runs the same signal through both channels in blocks of 256.
std::vector<float> runMono(TapeStage& tape, std::vector<float> signal)
{
    std::vector<float> right = signal;
    for (size_t start = 0; start < signal.size(); start += 256)
    {
        const int n = static_cast<int>(std::min<size_t>(256, signal.size() - start));
        tape.process(signal.data() + start, right.data() + start, n);
    }
    return signal;
}

float rms(const std::vector<float>& v, size_t from)
{
    double sum = 0.0;
    for (size_t i = from; i < v.size(); ++i)
        sum += static_cast<double>(v[i]) * v[i];
    return static_cast<float>(std::sqrt(sum / static_cast<double>(v.size() - from)));
}

TapeStage makeTape(double sampleRate, const TapeSettings& s)
{
    TapeStage tape;
    tape.prepare(sampleRate);
    apply(tape, s);
    return tape;
}
} // namespace

TEST(TapeStage, MixZeroIsTheInputDelayedByEightSamples)
{
    TapeSettings s;
    s.mix = 0.0f;
    s.input = 100.0f;
    s.flutter = 100.0f;
    s.headBump = 100.0f;
    TapeStage tape = makeTape(48000.0, s);

    std::mt19937 rng(3);
    std::uniform_real_distribution<float> dist(-0.9f, 0.9f);
    std::vector<float> input(2000);
    for (float& x : input)
        x = dist(rng);
    const std::vector<float> output = runMono(tape, input);

    int dithered = 0;
    for (size_t i = 0; i < input.size(); ++i)
    {
        const float expected = i < 8 ? 0.0f : input[i - 8];
        ASSERT_NEAR(output[i], expected, kDitherBound) << "sample " << i;
        dithered += output[i] != expected;
    }
    EXPECT_GT(dithered, 100) << "the dither is still added";
}

TEST(TapeStage, SoftClipperSettlesAtExactlyTheCeiling)
{
    for (double level : {1.0, 5.0, 1e6})
        for (double sign : {1.0, -1.0})
        {
            double last = 0.0;
            double y = 0.0;
            for (int i = 0; i < 100; ++i)
                y = TapeStage::softClip(sign * level, last);
            // The recursion's fixed point is 0.99 to within one double ulp: exact in float.
            EXPECT_NEAR(y, sign * 0.99, 1e-15) << "level " << sign * level;
            EXPECT_EQ(static_cast<float>(y), static_cast<float>(sign) * 0.99f);
        }
}

TEST(TapeStage, SoftClipperNeverLeavesItsRange)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> dist(-50.0, 50.0);
    double last = 0.0;
    for (int i = 0; i < 100000; ++i)
    {
        const double x = i % 7 == 0 ? dist(rng) : dist(rng) * 0.03;
        ASSERT_LE(std::fabs(TapeStage::softClip(x, last)), 0.99);
    }
    double quiet = 0.0;
    EXPECT_EQ(TapeStage::softClip(0.5, quiet), 0.5) << "signals below the ceiling pass unchanged";
}

TEST(TapeStage, SustainedOverloadSettlesAtTheCeilingOnBothPolarities)
{
    // The sine shaper tops out near 1.08; +6 dB of Tape Out drives the clipper.
    TapeSettings s;
    s.output = 100.0f;
    TapeStage tape = makeTape(48000.0, s);
    // A 200 Hz square far above full scale: even after the 150 Hz low cut lets each plateau
    // droop, the whole plateau stays in overload.
    std::vector<float> input(48000);
    for (size_t i = 0; i < input.size(); ++i)
        input[i] = (i / 120) % 2 == 0 ? 50.0f : -50.0f;
    const std::vector<float> output = runMono(tape, input);

    int atTop = 0, atBottom = 0;
    for (size_t i = 4800; i < output.size(); ++i)
    {
        ASSERT_LE(std::fabs(output[i]), 0.99f + kDitherBound);
        atTop += std::fabs(output[i] - 0.99f) <= kDitherBound;
        atBottom += std::fabs(output[i] + 0.99f) <= kDitherBound;
    }
    // Each plateau of 120 samples reaches the ceiling after about 20 samples of glide.
    EXPECT_GT(atTop, 8000);
    EXPECT_GT(atBottom, 8000);
}

TEST(TapeStage, OutputStaysWithinTheCeiling)
{
    TapeSettings loudest;
    loudest.output = 100.0f;
    loudest.headBump = 100.0f;
    loudest.flutter = 100.0f;
    TapeSettings od = loudest;
    od.od = true;
    od.input = 100.0f;
    TapeSettings quietLpf = od;
    quietLpf.lpf = 0.0f;
    quietLpf.flutterSpeed = 100.0f;

    std::mt19937 rng(5);
    std::uniform_real_distribution<float> dist(-30.0f, 30.0f);
    std::vector<float> input(96000);
    for (float& x : input)
        x = dist(rng);

    for (const TapeSettings& s : {loudest, od, quietLpf})
        for (double rate : {22050.0, 44100.0, 192000.0})
        {
            TapeStage tape = makeTape(rate, s);
            const std::vector<float> output = runMono(tape, input);
            const float peak = std::fabs(*std::max_element(
                output.begin(), output.end(), [](float a, float b) { return std::fabs(a) < std::fabs(b); }));
            EXPECT_LE(peak, 0.99f + kDitherBound) << "rate " << rate << " od " << s.od;
            EXPECT_GT(peak, 0.9f);
        }
}

TEST(TapeStage, SmallSignalGainFollowsInputOutputAndOdMode)
{
    struct Case
    {
        bool od;
        float input, output, expectedGain;
    };
    const Case cases[] = {
        {false, 0.0f, 50.0f, 1.0f},                           // drive and compensation cancel
        {false, 100.0f, 50.0f, 10.0f * 0.7006f * 0.5f},       // +20 dB drive, compensated
        {false, 0.0f, 100.0f, std::pow(10.0f, 6.0f / 20.0f)}, // Tape Out +6 dB
        {false, 0.0f, 0.0f, std::pow(10.0f, -6.0f / 20.0f)},  // Tape Out -6 dB
        {true, 0.0f, 50.0f, 1.0f / (2.0f * 0.3f)},            // overdrive: 1 / (2 x softness)
        {true, 80.0f, 50.0f, 1.0f / (2.0f * 0.06f)},          // softness floor
    };
    // Probe at 2 kHz, well above the 150 Hz split and below the lowpass at 12 kHz.
    const std::vector<float> probe = sine(48000, 2000.0f, 1e-4f, 48000.0);
    const float lowCutLoss = 1.0f / std::sqrt(1.0f + std::pow(150.0f / 2000.0f, 2.0f));
    for (const Case& c : cases)
    {
        TapeSettings s;
        s.od = c.od;
        s.input = c.input;
        s.output = c.output;
        TapeStage tape = makeTape(48000.0, s);
        const std::vector<float> output = runMono(tape, probe);
        // Overdrive rectifies a quiet sine into |x| / (2 softness), whose RMS matches the sine's.
        const float gain = rms(output, 24000) / rms(probe, 24000) / lowCutLoss;
        EXPECT_NEAR(gain, c.expectedGain, 0.04f * c.expectedGain) << "od " << c.od << " in " << c.input;
    }
}

TEST(TapeStage, FlutterModulatesThePitchOnlyWhenOn)
{
    // Spread of the periods between rising zero crossings of a 1 kHz tone, in samples.
    auto periodSpread = [](float flutter, double rate)
    {
        TapeSettings s;
        s.flutter = flutter;
        s.flutterSpeed = 100.0f;
        TapeStage tape = makeTape(rate, s);
        const std::vector<float> output =
            runMono(tape, sine(static_cast<int>(rate) * 2, 1000.0f, 0.3f, rate));
        double previous = -1.0, shortest = 1e9, longest = 0.0;
        for (size_t i = static_cast<size_t>(rate / 10); i < output.size(); ++i)
            if (output[i - 1] < 0.0f && output[i] >= 0.0f)
            {
                const double crossing = static_cast<double>(i) - output[i] / (output[i] - output[i - 1]);
                if (previous > 0.0)
                {
                    shortest = std::min(shortest, crossing - previous);
                    longest = std::max(longest, crossing - previous);
                }
                previous = crossing;
            }
        return longest - shortest;
    };
    EXPECT_LT(periodSpread(0.0f, 48000.0), 0.01);
    EXPECT_GT(periodSpread(100.0f, 48000.0), 1.0);
}

TEST(TapeStage, DeepFlutterAtTheHighestRatesHasNoJumps)
{
    // At 192 kHz the deepest flutter reaches about 380 of the ring's 500 samples.
    for (double rate : {176400.0, 192000.0})
    {
        TapeSettings s;
        s.flutter = 100.0f;
        s.flutterSpeed = 100.0f;
        TapeStage tape = makeTape(rate, s);
        const std::vector<float> output =
            runMono(tape, sine(static_cast<int>(rate) * 4, 1000.0f, 0.3f, rate));
        float largestStep = 0.0f;
        for (size_t i = 1000; i < output.size(); ++i)
            largestStep = std::max(largestStep, std::fabs(output[i] - output[i - 1]));
        // A smooth 1 kHz tone of 0.3 moves at most about 0.01 per sample, 0.03 with flutter.
        EXPECT_LT(largestStep, 0.05f) << "rate " << rate;
    }
}

TEST(TapeStage, OdModeChangeClearsTheSaturators)
{
    TapeSettings s;
    s.input = 60.0f;
    const std::vector<float> first = sine(1000, 3000.0f, 0.5f, 48000.0);
    const std::vector<float> second = sine(1000, 5000.0f, 0.5f, 48000.0);

    TapeStage untouched = makeTape(48000.0, s);
    TapeStage sameMode = makeTape(48000.0, s);
    TapeStage toggled = makeTape(48000.0, s);
    runMono(untouched, first);
    runMono(sameMode, first);
    runMono(toggled, first);
    sameMode.setOdMode(false); // no change: keeps its history
    toggled.setOdMode(true);
    toggled.setOdMode(false); // two changes, histories cleared

    const std::vector<float> reference = runMono(untouched, second);
    EXPECT_EQ(runMono(sameMode, second), reference);
    const std::vector<float> afterToggle = runMono(toggled, second);
    EXPECT_NE(afterToggle[0], reference[0]);
    EXPECT_NEAR(afterToggle.back(), reference.back(), 1e-5f) << "only the saturator history differed";
}

TEST(TapeStage, BlockSizesDoNotChangeTheOutput)
{
    // The stage carries its two alternating head bump sets, the flutter's plan and the filters
    // across blocks; odd sizes end a block between the two head bump sets and inside a chunk.
    const TapeSettings settings{false, 60.0f, 40.0f, 80.0f, 70.0f, 90.0f, 60.0f, 80.0f};
    std::vector<float> left = sine(5000, 220.0f, 0.8f, 48000.0), right = sine(5000, 330.0f, 0.5f, 48000.0);
    for (size_t i = 0; i < left.size(); i += 97)
        left[i] = -left[i]; // some steep edges for the saturator's blend
    const auto run = [&](int blockSize)
    {
        TapeStage tape = makeTape(48000.0, settings);
        std::vector<float> l = left, r = right;
        for (size_t start = 0; start < l.size(); start += static_cast<size_t>(blockSize))
        {
            const int n =
                static_cast<int>(std::min<size_t>(static_cast<size_t>(blockSize), l.size() - start));
            tape.process(l.data() + start, r.data() + start, n);
        }
        l.insert(l.end(), r.begin(), r.end());
        return l;
    };
    const std::vector<float> whole = run(5000);
    for (int blockSize : {1, 3, 63, 64, 65, 127, 256, 1000})
        EXPECT_EQ(run(blockSize), whole) << "blocks of " << blockSize;
}

TEST(TapeSaturator, AveragingCascadeGrowsWithTheSampleRate)
{
    // An impulse lasts as long as the running means it passes through: 2 at 44.1 and 48 kHz,
    // 4 + 2 at 88.2 and 96 kHz, 8 + 4 + 2 at 176.4 and 192 kHz.
    struct Case
    {
        double sampleRate;
        int cycles, lastNonZero;
    };
    const Case cases[] = {{22050.0, 2, 2}, {44100.0, 2, 2}, {48000.0, 2, 2},
                          {96000.0, 4, 5}, {88200.0, 4, 5}, {192000.0, 8, 12}};
    for (const Case& c : cases)
    {
        TapeSaturator saturator;
        saturator.prepare(c.sampleRate / 44100.0);
        EXPECT_EQ(saturator.getCycles(), c.cycles);
        int lastNonZero = -1;
        for (int i = 0; i < 64; ++i)
            if (saturator.process(i == 0 ? 0.5 : 0.0, 1.0, 1.0) != 0.0f)
                lastNonZero = i;
        EXPECT_EQ(lastNonZero, c.lastNonZero) << "rate " << c.sampleRate;
    }

    TapeStage tape;
    tape.prepare(96000.0);
    EXPECT_EQ(tape.getSaturatorCycles(), 4);
}

TEST(TapeSaturator, SteadySignalsFollowTheShortenedSineSeries)
{
    // v - v^3/6 + v^5/69 - v^7/2530.08 + v^9/224985.6 - v^11/9979200, limited at v = 2.3059.
    struct Case
    {
        double input, drive, compensation, expected;
    };
    const Case cases[] = {
        {1.0, 1.0, 1.0, 0.847435},        {-1.0, 1.0, 1.0, -0.847435}, {0.1, 2.0, 0.5, 0.5 * 0.198671},
        {10.0, 1.0, 0.5, 0.5 * 1.077452}, {-1e9, 1.0, 1.0, -1.077452},
    };
    for (const Case& c : cases)
    {
        TapeSaturator saturator;
        saturator.prepare(1.0);
        float y = 0.0f;
        for (int i = 0; i < 100; ++i)
            y = saturator.process(c.input, c.drive, c.compensation); // no slope: the plain shaper
        EXPECT_NEAR(y, c.expected, 1e-5) << "input " << c.input;
    }
}
} // namespace vorl
