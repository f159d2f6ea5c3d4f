#include "PitchChorus.h"
#include "StereoWidth.h"
#include "TapeStage.h"
#include "ToneFilter.h"
#include "Tremolo.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#if defined(__SSE__)
#include <xmmintrin.h>
#endif
#include <random>
#include <vector>

namespace
{
constexpr double kSampleRate = 48000.0;
constexpr int kBlock = 256;

// Stereo block of noise. Each iteration copies it into the work block first, so every module
// always sees the same material (a few hundred floats: negligible next to the modules).
struct StereoBlock
{
    std::vector<float> sourceLeft, sourceRight, left, right;

    StereoBlock() : sourceLeft(kBlock), sourceRight(kBlock), left(kBlock), right(kBlock)
    {
        std::mt19937 rng(42);
        std::uniform_real_distribution<float> dist(-0.5f, 0.5f);
        for (int i = 0; i < kBlock; ++i)
        {
            sourceLeft[static_cast<size_t>(i)] = dist(rng);
            sourceRight[static_cast<size_t>(i)] = dist(rng);
        }
    }

    void refill()
    {
        std::copy(sourceLeft.begin(), sourceLeft.end(), left.begin());
        std::copy(sourceRight.begin(), sourceRight.end(), right.begin());
    }
};

// The engine runs every block with denormals flushed; so do the measurements.
struct FlushDenormals
{
    FlushDenormals()
    {
#if defined(__SSE__)
        _mm_setcsr(_mm_getcsr() | 0x8040);
#endif
    }
};
const FlushDenormals flushDenormals;

// Reports the real-time factor: seconds of audio processed per second of CPU.
void reportRealTime(benchmark::State& state)
{
    state.counters["realtime_x"] =
        benchmark::Counter(kBlock / kSampleRate, benchmark::Counter::kIsIterationInvariantRate);
}

void ToneFilters(benchmark::State& state)
{
    vorl::ToneFilter left, right;
    left.prepare(kSampleRate);
    right.prepare(kSampleRate);
    StereoBlock block;
    for (auto _ : state)
    {
        block.refill();
        for (vorl::ToneFilter* f : {&left, &right})
        {
            f->setHighPass(120.0f);
            f->setLowPass(9000.0f);
        }
        vorl::processToneFilters(left, right, block.left.data(), block.right.data(), kBlock);
        benchmark::DoNotOptimize(block.left.data());
        benchmark::DoNotOptimize(block.right.data());
    }
    reportRealTime(state);
}
BENCHMARK(ToneFilters);

void Width(benchmark::State& state)
{
    StereoBlock block;
    for (auto _ : state)
    {
        block.refill();
        vorl::applyWidth(block.left.data(), block.right.data(), kBlock, 7.5f, false);
        benchmark::DoNotOptimize(block.left.data());
        benchmark::DoNotOptimize(block.right.data());
    }
    reportRealTime(state);
}
BENCHMARK(Width);

void TremoloModule(benchmark::State& state)
{
    const auto shape = static_cast<int>(state.range(0));
    vorl::Tremolo tremolo;
    tremolo.prepare(kSampleRate);
    StereoBlock block;
    double ppq = 0.0;
    for (auto _ : state)
    {
        block.refill();
        tremolo.setRateHz(4.0f);
        tremolo.setDepth(1.0f);
        tremolo.setShape(shape);
        tremolo.setPhaseShift(-0.1f);
        tremolo.setOffsetShift(-0.25f);
        tremolo.setSync(state.range(1) != 0, ppq, 120.0, 7, 0.0, static_cast<float>(kSampleRate));
        ppq += kBlock * 2.0 / kSampleRate;
        tremolo.process(block.left.data(), block.right.data(), kBlock);
        benchmark::DoNotOptimize(block.left.data());
    }
    reportRealTime(state);
}
// Sine free, smooth random free, sine synced, random steps synced.
BENCHMARK(TremoloModule)->ArgNames({"shape", "sync"})->Args({0, 0})->Args({6, 0})->Args({0, 1})->Args({5, 1});

void TapeStageModule(benchmark::State& state)
{
    vorl::TapeStage tape;
    tape.prepare(kSampleRate);
    StereoBlock block;
    for (auto _ : state)
    {
        block.refill();
        tape.setOdMode(state.range(0) != 0);
        tape.setInputAmount(40.0f);
        tape.setLpfAmount(50.0f);
        tape.setHeadBump(50.0f);
        tape.setFlutter(50.0f);
        tape.setFlutterSpeed(50.0f);
        tape.setOutputAmount(50.0f);
        tape.setMix(100.0f);
        tape.process(block.left.data(), block.right.data(), kBlock);
        benchmark::DoNotOptimize(block.left.data());
    }
    reportRealTime(state);
}
BENCHMARK(TapeStageModule)->ArgName("od")->Arg(0)->Arg(1);

void PitchChorusModule(benchmark::State& state)
{
    vorl::PitchChorus pitch;
    pitch.prepare(kSampleRate);
    StereoBlock block;
    const bool everything = state.range(0) != 0;
    for (auto _ : state)
    {
        block.refill();
        pitch.setDetuneCents(12.0f);
        pitch.setMix(0.5f);
        pitch.setRateHz(0.8f);
        pitch.setDepth(0.4f);
        pitch.setDepthScale(1.0f);
        pitch.setShape(0);
        pitch.setRegen(everything ? 50.0f : 0.0f);
        pitch.setVorlLink(everything);
        pitch.setVorl(30.0f);
        pitch.setVorlCents(200.0f);
        pitch.setBend(everything, 300.0f, true); // the bend takes over from the vibrato
        pitch.process(block.left.data(), block.right.data(), kBlock, 400.0f);
        benchmark::DoNotOptimize(block.left.data());
    }
    reportRealTime(state);
}
// Vibrato and detune; then regen, vorl link and length bend as well.
BENCHMARK(PitchChorusModule)->ArgName("all")->Arg(0)->Arg(1);
} // namespace
