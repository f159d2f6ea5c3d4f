#include "DelayLine.h"
#include "TapLayout.h"
#include "TapVoiceBank.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace
{
using namespace vorl;

constexpr double kRate = 48000.0;
constexpr int kBlock = 256;
constexpr int kVoices = 64;

// Reports how many seconds of audio one second of CPU renders.
void reportRealTime(benchmark::State& state)
{
    const double seconds = static_cast<double>(state.iterations()) * kBlock / kRate;
    state.counters["x_realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
    state.SetItemsProcessed(state.iterations() * kBlock);
}

TapLayoutInputs busyInputs(int taps)
{
    TapLayoutInputs in;
    in.startMs = 20.0f;
    in.endMs = 180.0f;
    in.lengthMs = 14000.0f;
    in.predelayMs = 15.0f;
    in.tapCount = taps;
    in.curve = -70.0f;
    in.decayFalloff = 25.0f;
    in.dynamicSmoothing = true;
    return in;
}

void TapEngine_Compute64Vorl60Wave(benchmark::State& state)
{
    auto in = busyInputs(64);
    in.vorl = 60.0f;
    in.waveOn = true;
    in.waveShape = 6;
    in.waveDensity = 70.0f;
    in.waveOffsetDeg = 90.0f;
    TapLayout layout;
    TapLayoutResult result;
    for (auto _ : state)
    {
        layout.compute(in, result);
        benchmark::DoNotOptimize(result.count);
    }
}
BENCHMARK(TapEngine_Compute64Vorl60Wave)->Unit(benchmark::kMicrosecond);

void TapEngine_Compute300(benchmark::State& state)
{
    auto in = busyInputs(300);
    in.startMs = 1.0f;
    in.endMs = 60.0f;
    in.vorl = -45.0f;
    TapLayout layout;
    TapLayoutResult result;
    for (auto _ : state)
    {
        layout.compute(in, result);
        benchmark::DoNotOptimize(result.count);
    }
}
BENCHMARK(TapEngine_Compute300)->Unit(benchmark::kMicrosecond);

// 64 taps at fractional delays spread over the line.
TapLayoutResult voiceLayout(float stretch, float offset)
{
    TapLayoutResult layout;
    layout.count = kVoices;
    for (int i = 0; i < kVoices; ++i)
        layout.taps[static_cast<size_t>(i)] = TapRecord{(7.31f + 37.7f * static_cast<float>(i)) * stretch,
                                                        0.6f, offset * std::sin(static_cast<float>(i))};
    return layout;
}

struct VoiceRig
{
    explicit VoiceRig(bool fastPath, float offset = 0.0f)
    {
        line.prepare(kRate);
        bank.prepare(kRate);
        bank.setFastPathEnabled(fastPath);
        for (int k = 0; k < kBlock; ++k)
        {
            inL[static_cast<size_t>(k)] = std::sin(0.05f * static_cast<float>(k));
            inR[static_cast<size_t>(k)] = std::cos(0.07f * static_cast<float>(k));
        }
        bank.applyLayout(voiceLayout(1.0f, offset), kRate, false, false);
        for (int block = 0; block < 8; ++block) // fade-ins finished
            renderBlock();
    }

    void renderBlock()
    {
        const int w0 = line.getWriteIndex();
        line.write(inL.data(), inR.data(), kBlock);
        std::fill(wetL.begin(), wetL.end(), 0.0f);
        std::fill(wetR.begin(), wetR.end(), 0.0f);
        bank.render(line, kBlock, w0, -1, {}, wear, wetL.data(), wetR.data());
        benchmark::DoNotOptimize(wetL.data());
        benchmark::DoNotOptimize(wetR.data());
    }

    DelayLine line;
    TapVoiceBank bank;
    WearSettings wear;
    std::vector<float> inL = std::vector<float>(kBlock), inR = std::vector<float>(kBlock);
    std::vector<float> wetL = std::vector<float>(kBlock), wetR = std::vector<float>(kBlock);
};

// range(0): 1 = fast paths, 0 = general per-sample read.
void TapEngine_Voices64Settled(benchmark::State& state)
{
    VoiceRig rig(state.range(0) != 0);
    for (auto _ : state)
        rig.renderBlock();
    reportRealTime(state);
}
BENCHMARK(TapEngine_Voices64Settled)->Arg(1)->Arg(0)->ArgName("fast");

// Tape on: every settled voice runs its wear lowpass.
void TapEngine_Voices64SettledWorn(benchmark::State& state)
{
    VoiceRig rig(true);
    rig.wear = {true, 25.0f};
    for (auto _ : state)
        rig.renderBlock();
    reportRealTime(state);
}
BENCHMARK(TapEngine_Voices64SettledWorn);

// Wave on: every tap reads its right channel at its own offset.
void TapEngine_Voices64SettledStereoOffsets(benchmark::State& state)
{
    VoiceRig rig(state.range(0) != 0, 1.5f);
    for (auto _ : state)
        rig.renderBlock();
    reportRealTime(state);
}
BENCHMARK(TapEngine_Voices64SettledStereoOffsets)->Arg(1)->Arg(0)->ArgName("fast");

// Vorl moving: a new non-structural layout every block keeps every delay gliding.
void TapEngine_Voices64Gliding(benchmark::State& state)
{
    VoiceRig rig(true);
    int block = 0;
    for (auto _ : state)
    {
        const float stretch = 1.0f + 0.05f * std::sin(0.01f * static_cast<float>(block++));
        rig.bank.applyLayout(voiceLayout(stretch, 0.0f), kRate, false, false);
        rig.renderBlock();
    }
    reportRealTime(state);
}
BENCHMARK(TapEngine_Voices64Gliding);

// A structural change every block: 16 voices crossfade, the others wait holding their delay.
void TapEngine_Voices64Crossfading(benchmark::State& state)
{
    VoiceRig rig(true);
    int block = 0;
    for (auto _ : state)
    {
        rig.bank.applyLayout(voiceLayout((block++ & 1) ? 1.1f : 1.0f, 0.0f), kRate, true, false);
        rig.bank.scheduleCrossfades();
        rig.renderBlock();
    }
    reportRealTime(state);
}
BENCHMARK(TapEngine_Voices64Crossfading);
} // namespace
