#include "ReferenceRenderCases.h"

#include "DelayEngine.h"
#include "RandomEngineAutomation.h"
#include "TestSignals.h"
#include "ValueCurves.h"

#include <random>

namespace renderreference
{
namespace
{
constexpr int kInputSamples = (int)testsignals::kSampleRate; // 1 s of pink noise, then 1 s of silence
constexpr int kTailSamples = (int)testsignals::kSampleRate;
constexpr int kEngineBlock = 256;

presetrender::StereoBuffer noiseInput(int samples)
{
    const float rms = std::pow(10.0f, -18.0f / 20.0f);
    return {testsignals::pinkNoise(1, samples, rms), testsignals::pinkNoise(2, samples, rms)};
}

presetrender::StereoBuffer renderPreset(const std::string& id)
{
    TarnelDelayAudioProcessor processor;
    const auto* patch = processor.presetLibrary.findPatchById(id);
    if (patch == nullptr)
        return {};
    return presetrender::render(processor, *patch, noiseInput(kInputSamples), kTailSamples);
}

using BlockHook = std::function<void(vorl::EngineParameterValues&, vorl::EngineBlockInputs&, int block)>;

// The engine alone at 48 kHz in blocks of 256, the parameters changed before each block.
presetrender::StereoBuffer renderEngine(const vorl::EngineParameterValues& start, const BlockHook& perBlock)
{
    vorl::DelayEngine engine;
    engine.prepare(testsignals::kSampleRate, kEngineBlock);
    auto params = start;
    vorl::EngineBlockInputs inputs;
    const vorl::HostPosition position;
    auto buffer = noiseInput(kInputSamples);
    buffer.left.resize((size_t)(kInputSamples + kTailSamples), 0.0f);
    buffer.right.resize(buffer.left.size(), 0.0f);
    const int total = (int)buffer.left.size();
    for (int start = 0, block = 0; start < total; start += kEngineBlock, ++block)
    {
        if (perBlock)
            perBlock(params, inputs, block);
        engine.process(buffer.left.data() + start, buffer.right.data() + start,
                       std::min(kEngineBlock, total - start), params, position, inputs);
    }
    return buffer;
}

vorl::EngineParameterValues sixtyFourTaps()
{
    vorl::EngineParameterValues params;
    params.layout.s = params.layout.e = vorl::msToTimeSlider(20.0f);
    return params;
}

vorl::EngineParameterValues allEffects()
{
    auto params = sixtyFourTaps();
    params.tp = params.pitchOn = params.trem = params.layout.wo = 1.0f;
    params.pitchDp = 30.0f;
    params.pitchRt = 500.0f;
    params.flutter = 40.0f;
    return params;
}

// Random automation of every value the engine reads, with random block sizes, at a sample rate.
presetrender::StereoBuffer renderRandomAutomation(double rate)
{
    std::mt19937 rng(77);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    vorl::DelayEngine engine;
    engine.prepare(rate, 512);
    vorl::EngineParameterValues params;
    vorl::EngineBlockInputs inputs;
    vorl::HostPosition position;
    presetrender::StereoBuffer out;
    std::vector<float> left(4096), right(4096);
    double ppq = 0.0;
    for (int block = 0; block < 60; ++block)
    {
        vorl::test::randomiseEngineBlock(rng, params, inputs, position, ppq);
        params.mout = std::min(params.mout, 0.0f); // keeps the output near full scale

        const int n = 1 + (int)(rng() % 4096u);
        for (int i = 0; i < n; ++i)
        {
            left[(size_t)i] = 0.25f * (2.0f * unit(rng) - 1.0f);
            right[(size_t)i] = 0.25f * (2.0f * unit(rng) - 1.0f);
        }
        engine.process(left.data(), right.data(), n, params, position, inputs);
        ppq += n / rate * position.bpm / 60.0;
        out.left.insert(out.left.end(), left.begin(), left.begin() + n);
        out.right.insert(out.right.end(), right.begin(), right.begin() + n);
    }
    return out;
}
} // namespace

std::vector<RenderCase> referenceCases()
{
    std::vector<RenderCase> cases;
    for (const auto& id : presetrender::factoryPresetIds())
        cases.push_back({id, [id] { return renderPreset(id); }});

    cases.push_back({"Stress/64 taps", [] { return renderEngine(sixtyFourTaps(), {}); }});
    cases.push_back({"Stress/64 taps all effects", [] { return renderEngine(allEffects(), {}); }});
    cases.push_back({"Stress/64 taps Length automated", []
                     {
                         return renderEngine(sixtyFourTaps(), [](auto& params, auto&, int block)
                                             { params.layout.fb = 700.0f + (float)(block % 100); });
                     }});
    cases.push_back({"Stress/64 taps wave gliding", []
                     {
                         return renderEngine(
                             allEffects(), [](auto& params, auto&, int block)
                             { params.layout.g = 50.0f + 40.0f * std::sin(0.05f * (float)block); });
                     }});
    cases.push_back({"Stress/ping-pong with tape wear and crossfades", []
                     {
                         auto params = allEffects();
                         params.ppW = 60.0f;
                         params.tDarken = 80.0f;
                         return renderEngine(params,
                                             [](auto& params, auto& inputs, int block)
                                             {
                                                 params.layout.fb = 700.0f + (float)(block % 7);
                                                 inputs.stateVersion += block % 90 == 89 ? 1u : 0u;
                                             });
                     }});
    for (const double rate : {44100.0, 96000.0})
        cases.push_back({"Stress/random automation " + std::to_string((int)rate),
                         [rate] { return renderRandomAutomation(rate); }});
    return cases;
}

std::vector<std::string> referenceCaseNames()
{
    std::vector<std::string> names;
    for (const auto& c : referenceCases())
        names.push_back(c.name);
    return names;
}
} // namespace renderreference
