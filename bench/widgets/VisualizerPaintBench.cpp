// What one repaint of the tap visualizer (436 x 160, with its strip and axis slider) and one
// animation frame of the vorl control (436 x 64) cost, with the software renderer. The editor
// repaints the visualizer at up to 30 Hz and animates the vorl control at 20 Hz.
#include "TapLayout.h"
#include "editor/TarnelControl.h"
#include "editor/VisualizerComponent.h"
#include "processor/PluginProcessor.h"
#include "widgets/TdLookAndFeel.h"

#include <benchmark/benchmark.h>

namespace
{
vorl::TapLayoutResult layoutOf(int taps, bool waveOn)
{
    vorl::TapLayoutInputs inputs;
    inputs.tapCount = taps;
    // Dense enough that every requested tap fits in the pattern.
    inputs.startMs = 1.0f;
    inputs.endMs = 12.0f;
    inputs.lengthMs = 2400.0f;
    inputs.waveOn = waveOn;
    vorl::TapLayout engineLayout;
    vorl::TapLayoutResult result;
    engineLayout.compute(inputs, result);
    return result;
}

// Arguments: the number of taps; 0 for plain bars, 1 for tape, wave and tremolo colouring with split bars.
void BM_VisualizerPaint(benchmark::State& state)
{
    const int taps = static_cast<int>(state.range(0));
    const bool effects = state.range(1) != 0;
    TdLookAndFeel lookAndFeel;
    TarnelDelayAudioProcessor processor;
    VisualizerComponent visualizer;
    visualizer.setLookAndFeel(&lookAndFeel);
    visualizer.setBounds(0, 0, 436, 160);
    visualizer.attachDecay(processor.apvts);

    const auto layout = layoutOf(taps, effects);
    DisplayState record;
    record.lengthMs = 2400.0f;
    record.tapeOn = effects;
    record.tremoloOn = effects;
    record.tremOffset = effects ? 90.0f : 0.0f;
    record.waveOn = effects;
    record.wavePhase = effects ? 30.0f : 0.0f;
    visualizer.setLayout(layout);
    visualizer.setTotalLength(2400.0f);
    visualizer.setDisplayState(record);

    juce::Image image(juce::Image::ARGB, 436, 160, true);
    for (auto _ : state)
    {
        juce::Graphics g(image);
        visualizer.paintEntireComponent(g, false);
        benchmark::DoNotOptimize(image.getPixelData());
    }
    state.counters["taps"] = static_cast<double>(layout.count);
    visualizer.setLookAndFeel(nullptr);
}
BENCHMARK(BM_VisualizerPaint)
    ->Args({64, 0})
    ->Args({300, 0})
    ->Args({64, 1})
    ->Args({300, 1})
    ->Unit(benchmark::kMicrosecond);

// One timer tick (particles) plus the repaint it causes, with the well pulling.
void BM_VorlControlFrame(benchmark::State& state)
{
    TdLookAndFeel lookAndFeel;
    TarnelDelayAudioProcessor processor;
    if (auto* vorlParameter = processor.apvts.getParameter("g"))
        vorlParameter->setValueNotifyingHost(
            vorlParameter->convertTo0to1(static_cast<float>(state.range(0))));
    TarnelControl control(processor.apvts);
    control.setLookAndFeel(&lookAndFeel);
    control.setBounds(0, 0, 436, 64);
    juce::Image image(juce::Image::ARGB, 436, 64, true);
    for (auto _ : state)
    {
        control.timerCallback();
        juce::Graphics g(image);
        control.paintEntireComponent(g, false);
        benchmark::DoNotOptimize(image.getPixelData());
    }
    control.setLookAndFeel(nullptr);
}
BENCHMARK(BM_VorlControlFrame)->Arg(-70)->Arg(0)->Arg(60)->Unit(benchmark::kMicrosecond);
} // namespace
