// What one paint of each heads-up overlay and of the master fader costs, at its real size in the
// editor (436 x 106 for overlays, 22 x 101 for the fader), with the software renderer. The
// editor refreshes at 30 Hz, so a paint must stay far below 33 ms.
#include "processor/PluginProcessor.h"
#include "widgets/MasterOutFader.h"
#include "widgets/MotionHuds.h"
#include "widgets/PlotHuds.h"
#include "widgets/ReadoutHuds.h"
#include "widgets/TapeHuds.h"
#include "widgets/TdLookAndFeel.h"

#include <benchmark/benchmark.h>

#include <functional>

namespace
{
// A busy record: every value away from its end, animation phases mid-way.
DisplayState busyRecord(const char* hudParamId)
{
    DisplayState s;
    s.hudParamId = hudParamId;
    s.hpHz = 180.0f;
    s.lpHz = 7000.0f;
    s.tapeIn = 60.0f;
    s.tapeLpf = 40.0f;
    s.tapeOut = 90.0f;
    s.tapeMix = 65.0f;
    s.headBump = 70.0f;
    s.flutterDepth = 90.0f;
    s.flutterPhase = 0.4f;
    s.slowPhase = 12.5f;
    s.width = 12.0f;
    s.pitchRateHz = 1.5f;
    s.vorl = -42.0f;
    return s;
}

void paint(benchmark::State& state, HudOverlay& hud)
{
    juce::Image image(juce::Image::ARGB, 436, 106, true);
    for (auto _ : state)
    {
        juce::Graphics g(image);
        hud.drawHud(g, {0.0f, 0.0f, 436.0f, 106.0f});
        benchmark::DoNotOptimize(image.getPixelData());
    }
}

template <typename Hud> void registerHud(const char* name, const char* hudParamId = "")
{
    benchmark::RegisterBenchmark(name,
                                 [hudParamId](benchmark::State& state)
                                 {
                                     Hud hud;
                                     hud.state = busyRecord(hudParamId);
                                     paint(state, hud);
                                 });
}

void BM_Readout(benchmark::State& state)
{
    FaderReadoutHud hud;
    hud.title = "MASTER";
    hud.value = "-12.0 dB";
    paint(state, hud);
}
BENCHMARK(BM_Readout);

void BM_MasterFader(benchmark::State& state)
{
    TdLookAndFeel lookAndFeel;
    TarnelDelayAudioProcessor processor;
    float level = 0.7f;
    MasterOutFader fader(processor.apvts, [&] { return level; });
    fader.setLookAndFeel(&lookAndFeel);
    fader.setBounds(0, 0, 22, 101);
    fader.updateMeter();
    juce::Image image(juce::Image::ARGB, 22, 101, true);
    for (auto _ : state)
    {
        juce::Graphics g(image);
        fader.paintEntireComponent(g, false);
    }
    fader.setLookAndFeel(nullptr);
}
BENCHMARK(BM_MasterFader);
} // namespace

int main(int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juceRuntime;
    registerHud<EqHud>("BM_EqHud");
    registerHud<DecayHud>("BM_DecayHud");
    registerHud<WearHud>("BM_WearHud");
    registerHud<TapeChainHud>("BM_TapeChainHud/drive", "tBoost");
    registerHud<TapeChainHud>("BM_TapeChainHud/lpf", "sat");
    registerHud<TapeChainHud>("BM_TapeChainHud/output", "td");
    registerHud<TapeMixHud>("BM_TapeMixHud");
    registerHud<BumpHud>("BM_BumpHud");
    registerHud<PitchHud>("BM_PitchHud", "pitchRt");
    registerHud<FlutterHud>("BM_FlutterHud");
    registerHud<WidthHud>("BM_WidthHud");
    registerHud<TarnelSingularityHud>("BM_TarnelSingularityHud");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
