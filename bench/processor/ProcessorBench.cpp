// Whole processBlock of the plug-in at 48 kHz, block 256, stereo. The real-time factor is
// reported as the counter "x_realtime": seconds of audio processed per second of CPU.
#include "PlainValues.h"
#include "ValueCurves.h"
#include "processor/PluginProcessor.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cmath>
#include <functional>
#include <memory>

namespace
{
constexpr double kRate = 48000.0;
constexpr int kBlock = 256;

void setValue(TarnelDelayAudioProcessor& processor, const char* id, float plainValue)
{
    vorl::test::setPlainValue(processor.apvts, id, plainValue);
}

void defaults(TarnelDelayAudioProcessor& processor)
{
    for (auto* parameter : processor.getParameters())
        parameter->setValueNotifyingHost(parameter->getDefaultValue());
}

// 64 evenly spaced taps: Start = End = 20 ms over the default 2408 ms length.
void sixtyFourTaps(TarnelDelayAudioProcessor& processor)
{
    defaults(processor);
    setValue(processor, "s", vorl::msToTimeSlider(20.0f));
    setValue(processor, "e", vorl::msToTimeSlider(20.0f));
    setValue(processor, "tapCnt", 64.0f);
}

void allEffects(TarnelDelayAudioProcessor& processor)
{
    sixtyFourTaps(processor);
    for (const char* id : {"tp", "pitchOn", "trem", "wo"})
        setValue(processor, id, 1.0f);
    setValue(processor, "pitchDp", 30.0f);
    setValue(processor, "pitchRt", 500.0f);
    setValue(processor, "flutter", 40.0f);
}

void initPatch(TarnelDelayAudioProcessor& processor)
{
    if (const auto* patch = processor.presetLibrary.findPatchById("Traditional/INIT PATCH"))
        processor.applyPatch(*patch);
}

void oneTap(TarnelDelayAudioProcessor& processor)
{
    defaults(processor);
    setValue(processor, "tapCnt", 1.0f);
}

void runProcessor(benchmark::State& state, const std::function<void(TarnelDelayAudioProcessor&)>& setUp,
                  const std::function<void(TarnelDelayAudioProcessor&, int)>& perBlock = {})
{
    TarnelDelayAudioProcessor processor;
    setUp(processor);
    processor.prepareToPlay(kRate, kBlock);
    juce::AudioBuffer<float> buffer(2, kBlock), input(2, kBlock);
    for (int channel = 0; channel < 2; ++channel)
        for (int i = 0; i < kBlock; ++i)
            input.setSample(channel, i, 0.25f * std::sin(0.01f * (float)(i + 40 * channel)));
    juce::MidiBuffer midi;
    int block = 0;
    auto fill = [&] { buffer.makeCopyOf(input, true); };
    // Settle: crossfades and fades of the first layout finish.
    for (; block < 200; ++block)
    {
        fill();
        processor.processBlock(buffer, midi);
    }
    for (auto _ : state)
    {
        fill();
        if (perBlock)
            perBlock(processor, block);
        processor.processBlock(buffer, midi);
        benchmark::DoNotOptimize(buffer.getReadPointer(0));
        ++block;
    }
    state.counters["x_realtime"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kBlock / kRate, benchmark::Counter::kIsRate);
}

void BM_Process64Taps(benchmark::State& state)
{
    runProcessor(state, sixtyFourTaps);
}
void BM_Process64TapsAllEffects(benchmark::State& state)
{
    runProcessor(state, allEffects);
}
void BM_ProcessDefaults(benchmark::State& state)
{
    runProcessor(state, defaults);
}
void BM_ProcessInitPatch(benchmark::State& state)
{
    runProcessor(state, initPatch);
}
void BM_ProcessOneTap(benchmark::State& state)
{
    runProcessor(state, oneTap);
}
void BM_Process64TapsLengthAutomated(benchmark::State& state)
{
    runProcessor(state, sixtyFourTaps,
                 [](TarnelDelayAudioProcessor& processor, int block)
                 { setValue(processor, "fb", 700.0f + (float)(block % 100)); });
}

// Heap one prepared instance holds at 48 kHz (line, block buffers, voices, parameters), in MB.
void BM_InstanceMemory(benchmark::State& state)
{
    for (auto _ : state)
    {
        const auto heapBytes = []
        {
            const auto info = mallinfo2();
            return static_cast<double>(info.uordblks + info.hblkhd);
        };
        const double before = heapBytes();
        auto processor = std::make_unique<TarnelDelayAudioProcessor>();
        processor->prepareToPlay(kRate, kBlock);
        state.counters["instance_MB"] = (heapBytes() - before) / 1.0e6;
    }
}
} // namespace

BENCHMARK(BM_InstanceMemory)->Iterations(1);
BENCHMARK(BM_Process64Taps)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Process64TapsAllEffects)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessInitPatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Process64TapsLengthAutomated)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProcessOneTap)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juceRuntime;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
