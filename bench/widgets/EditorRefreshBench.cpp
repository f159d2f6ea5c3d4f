// What the open editor costs: one 30 Hz refresh tick plus the repaint it causes, with the default
// preset, idle and with a drag in progress (the decay handle moving every tick). Software
// renderer at the editor's real size.
#include "editor/PluginEditor.h"
#include "processor/PluginProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
void runAudio(TarnelDelayAudioProcessor& processor)
{
    processor.setPlayConfigDetails(2, 2, 48000.0, 512);
    processor.prepareToPlay(48000.0, 512);
    juce::AudioBuffer<float> buffer(2, 512);
    juce::MidiBuffer midi;
    for (int block = 0; block < 20; ++block)
    {
        buffer.clear();
        buffer.setSample(0, 0, 0.5f);
        processor.processBlock(buffer, midi);
    }
}

// Argument: 0 idle, 1 dragging the decay curve.
void BM_EditorTickAndRepaint(benchmark::State& state)
{
    const bool dragging = state.range(0) != 0;
    TarnelDelayAudioProcessor processor;
    runAudio(processor);
    TarnelDelayAudioProcessorEditor editor(processor);
    editor.timerCallback();
    juce::Image image(juce::Image::ARGB, editor.getWidth(), editor.getHeight(), true);
    auto* curve = processor.apvts.getParameter("dcv");
    if (dragging)
        editor.activeParamId = "dcv";
    int step = 0;
    for (auto _ : state)
    {
        if (dragging)
            curve->setValueNotifyingHost(curve->convertTo0to1(static_cast<float>(50 + (++step % 100))));
        editor.timerCallback();
        // The repaint the tick asked for, as the window would paint it.
        juce::Graphics g(image);
        editor.paintEntireComponent(g, false);
        benchmark::DoNotOptimize(image.getPixelData());
    }
}
BENCHMARK(BM_EditorTickAndRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The tick alone: what the 30 Hz refresh costs when nothing on screen changes.
void BM_EditorTickOnly(benchmark::State& state)
{
    TarnelDelayAudioProcessor processor;
    runAudio(processor);
    TarnelDelayAudioProcessorEditor editor(processor);
    for (auto _ : state)
        editor.timerCallback();
}
BENCHMARK(BM_EditorTickOnly)->Unit(benchmark::kMicrosecond);
} // namespace
