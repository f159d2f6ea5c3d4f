#include "DelayEngine.h"

#include "DenormalGuard.h"
#include "NonFiniteInput.h"
#include "NoteValues.h"
#include "OutputMix.h"
#include "StereoWidth.h"
#include "ValueCurves.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vorl
{
namespace
{
constexpr double kWetFadeSeconds = 0.004;
constexpr float kMasterFloorDb = -60.0f;
// Hosts often announce less than they send; a few thousand samples of headroom keeps
// block-buffer growth (the one allocation allowed here) out of normal operation.
constexpr int kMinimumBlockCapacity = 4096;

bool isOn(float value) noexcept { return value > 0.5f; }

int noteIndexOf(float sliderValue) noexcept
{
    return std::clamp(static_cast<int>(std::roundf(sliderValue / 1000.0f * 12.0f)), 0, kNumNoteValues - 1);
}

int shapeOf(float value) noexcept { return std::clamp(static_cast<int>(value), 0, 6); }
} // namespace

DelayEngine::DelayEngine()
{
    // Before the first block the layout inputs are the fixed defaults of TapLayoutInputs.
    lastDerived.inputs = TapLayoutInputs{};
    lastDerived.userView.inputs = TapLayoutInputs{};
}

void DelayEngine::prepare(double newSampleRate, int maximumBlockSize)
{
    sampleRate = newSampleRate > 0.0 && std::isfinite(newSampleRate) ? newSampleRate : 44100.0;
    fadeStep = static_cast<float>(1.0 / (sampleRate * kWetFadeSeconds));

    line.prepare(sampleRate);
    const auto capacity = static_cast<size_t>(std::max(maximumBlockSize, kMinimumBlockCapacity));
    for (auto* buffer : {&lineInL, &lineInR, &wetL, &wetR})
        buffer->assign(capacity, 0.0f);

    toneLeft.prepare(sampleRate);
    toneRight.prepare(sampleRate);

    tapLayout.compute(lastDerived.inputs, layout);
    voices.prepare(sampleRate);
    voices.reset();
    voices.applyLayout(layout, sampleRate, false, false);

    fadeGain = 1.0f;
    fadeState = FadeState::idle;
    hardResetPending = false;

    tremolo.prepare(sampleRate);
    pitch.prepare(sampleRate);
    tape.prepare(sampleRate);
}

void DelayEngine::reset() noexcept
{
    line.reset();
    toneLeft.reset();
    toneRight.reset();
    voices.reset();
    tape.reset();
    pitch.reset();
    tremolo.reset();
}

void DelayEngine::updateTransport(const HostPosition& position) noexcept
{
    tempoValid = false;
    if (!position.available)
        return;
    if (position.hasBpm)
    {
        hostTempo.store(static_cast<float>(position.bpm));
        tempoValid = position.bpm > 0.0;
        tempo = tempoValid ? position.bpm : 120.0;
    }
    if (position.hasPpq)
        ppqPosition = position.ppq;
    if (position.hasPlaying)
        isPlaying = position.playing;
}

void DelayEngine::ensureBlockCapacity(int n)
{
    if (static_cast<size_t>(n) <= wetL.size())
        return;
    for (auto* buffer : {&lineInL, &lineInR, &wetL, &wetR})
        buffer->resize(static_cast<size_t>(n), 0.0f);
}

float DelayEngine::process(float* left, float* right, int n, const EngineParameterValues& params,
                           const HostPosition& position, const EngineBlockInputs& inputs) noexcept
{
    const DenormalGuard denormalGuard;
    blockInputs = inputs;
    updateTransport(position);
    if (n <= 0 || left == nullptr)
        return 0.0f;

    const bool stereo = right != nullptr;
    ensureBlockCapacity(n);
    // Non-finite input enters as silence, on the dry path too.
    silenceNonFiniteSamples(left, n);
    if (stereo)
        silenceNonFiniteSamples(right, n);
    std::fill_n(wetL.data(), n, 0.0f);
    std::fill_n(wetR.data(), n, 0.0f);

    float tempoBpm = tempoValid ? static_cast<float>(tempo) : hostTempo.load();
    if (!(tempoBpm > 0.0f))
        tempoBpm = 120.0f;
    lastDerived = deriveLayoutInputs(params.layout, inputs.tapCount, tempoBpm, inputs.waveSeed);

    toneLeft.setHighPass(highPassSliderToHz(params.hp));
    toneLeft.setLowPass(lowPassSliderToHz(params.lp));
    toneRight.setHighPass(highPassSliderToHz(params.hp));
    toneRight.setLowPass(lowPassSliderToHz(params.lp));

    detectChangesAndLayout(lastDerived, inputs.stateVersion);

    voices.applyLayout(layout, sampleRate, structuralChange, hardResetPending);
    if (!hardResetPending)
        voices.scheduleCrossfades();

    const float wetMix = isOn(params.mixByp) ? 0.0f : params.mix;
    const float wetGain = wetMix / 100.0f;
    const float dryGain = 1.0f - wetGain;
    const PingPongSettings pingPong{params.ppW > 0.0f && stereo, params.ppW / 100.0f};

    std::copy_n(left, n, lineInL.data());
    std::copy_n(stereo ? right : left, n, lineInR.data());

    const bool tapeOn = isOn(params.tp);
    if (tapeOn)
        runTape(params, n);
    else
        tape.setMix(0.0f);

    const int writeStart = line.getWriteIndex();
    line.write(lineInL.data(), lineInR.data(), n);

    const int switchIndex = findSwitchIndex(n);
    const WearSettings wear{tapeOn && params.tDarken > 0.0f, params.tDarken};
    voices.render(line, n, writeStart, switchIndex, pingPong, wear, wetL.data(), wetR.data());

    processToneFilters(toneLeft, toneRight, wetL.data(), wetR.data(), n);

    if (isOn(params.pitchOn))
        runPitch(params, n, lastDerived.inputs.endMs);
    if (isOn(params.trem))
        runTremolo(params, n);
    else
        tremolo.setDepth(0.0f);

    applyWidth(wetL.data(), wetR.data(), n, params.spread, isOn(params.sideOnly));
    applyGlobalFade(n);

    const float masterGain = params.mout <= kMasterFloorDb ? 0.0f : std::pow(10.0f, params.mout / 20.0f);
    float peak = mixOutput(left, wetL.data(), n, wetGain, dryGain, masterGain);
    if (stereo)
        peak = std::max(peak, mixOutput(right, wetR.data(), n, wetGain, dryGain, masterGain));

    publishLayout();
    return peak;
}

void DelayEngine::detectChangesAndLayout(const DerivedLayout& derived, uint32_t stateVersion) noexcept
{
    const LayoutChange change =
        previousValid ? classifyLayoutChange(previousView, derived.userView) : initialLayoutChange();
    previousView = derived.userView;
    previousValid = true;

    bool hardResetArmed = false;
    if (change.direction || stateVersion != seenVersion)
    {
        fadeState = FadeState::fadingOut;
        hardResetPending = true;
        hardResetArmed = true;
        seenVersion = stateVersion;
    }

    structuralChange = change.structural;
    if (change.any() || hardResetArmed)
        tapLayout.compute(derived.inputs, layout);
}

int DelayEngine::findSwitchIndex(int n) noexcept
{
    if (!hardResetPending || fadeState != FadeState::fadingOut)
        return -1;
    float gain = fadeGain;
    for (int i = 0; i < n; ++i)
    {
        gain -= fadeStep;
        if (gain <= 0.0f)
        {
            hardResetPending = false;
            return i;
        }
    }
    return -1;
}

void DelayEngine::runTape(const EngineParameterValues& params, int n) noexcept
{
    tape.setOdMode(isOn(params.tOd));
    tape.setInputAmount(params.tBoost);
    tape.setLpfAmount(params.sat);
    tape.setHeadBump(params.headBump);
    tape.setFlutter(params.flutter);
    tape.setFlutterSpeed(params.flutSpd);
    tape.setOutputAmount(params.td);
    tape.setMix(params.tpWet);
    tape.process(lineInL.data(), lineInR.data(), n);
}

void DelayEngine::runPitch(const EngineParameterValues& params, int n, float endMs) noexcept
{
    const float k = isOn(params.pitch2x) ? 2.0f : 1.0f;
    pitch.setDetuneCents(k * params.pitchCt);
    pitch.setMix(std::clamp(params.pitchMix / 100.0f, 0.0f, 1.0f));
    pitch.setRateHz(k * pitchRateSliderToHz(params.pitchRt));
    pitch.setDepth(std::clamp(params.pitchDp / 100.0f, 0.0f, 1.0f));
    pitch.setDepthScale(k);
    pitch.setShape(shapeOf(params.pitchSh));
    pitch.setWide(isOn(params.pitchWide));
    pitch.setRegen(std::clamp(params.pitchFbk, 0.0f, 100.0f));
    pitch.setVorlLink(isOn(params.pitchGLink));
    pitch.setVorl(lastDerived.inputs.vorl);
    pitch.setVorlCents(params.pitchWLAmt);
    pitch.setBend(params.pitchLB != 0.0f, std::abs(params.pitchLB), params.pitchLB > 0.0f);
    pitch.setSeed(blockInputs.pitchSeed);
    if (isOn(params.pitchSync) && tempoValid)
        pitch.setSync(true, ppqPosition, tempo, noteIndexOf(params.pitchRt));
    else
        pitch.setSync(false, 0.0, 120.0, 5);
    pitch.process(wetL.data(), wetR.data(), n, endMs);
}

void DelayEngine::runTremolo(const EngineParameterValues& params, int n) noexcept
{
    tremolo.setRateHz(rateSliderToHz(params.tremR));
    tremolo.setDepth(std::clamp(params.tremD / 100.0f, 0.0f, 1.0f));
    tremolo.setShape(shapeOf(params.tremSh));
    tremolo.setPhaseShift(-params.tremPh / 360.0f);
    tremolo.setOffsetShift(-params.tremOff / 360.0f);
    tremolo.setSeed(blockInputs.tremoloSeed);
    const auto rate = static_cast<float>(sampleRate);
    if (isOn(params.tremSync) && tempoValid && isPlaying)
    {
        const int noteIndex = noteIndexOf(params.tremR);
        const double phaseBeats = params.tremPh / 360.0 * kNoteBeats[(size_t)noteIndex];
        tremolo.setSync(true, ppqPosition, tempo, noteIndex, phaseBeats, rate);
    }
    else
    {
        tremolo.setSync(false, 0.0, 120.0, 5, 0.0, rate);
    }
    tremolo.process(wetL.data(), wetR.data(), n);
}

void DelayEngine::applyGlobalFade(int n) noexcept
{
    if (fadeState == FadeState::idle)
        return;
    for (int i = 0; i < n; ++i)
    {
        if (fadeState == FadeState::fadingOut)
        {
            fadeGain -= fadeStep;
            if (fadeGain <= 0.0f)
            {
                fadeGain = 0.0f;
                fadeState = FadeState::fadingIn;
            }
        }
        else if (fadeState == FadeState::fadingIn)
        {
            fadeGain += fadeStep;
            if (fadeGain >= 1.0f)
            {
                fadeGain = 1.0f;
                fadeState = FadeState::idle;
            }
        }
        wetL[(size_t)i] *= fadeGain;
        wetR[(size_t)i] *= fadeGain;
    }
}

void DelayEngine::publishLayout() noexcept
{
    const int count = std::clamp(static_cast<int>(layout.count), 0, kMaxTaps);
    std::copy_n(layout.taps.begin(), count, publishScratch.taps.begin());
    std::fill(publishScratch.taps.begin() + count, publishScratch.taps.end(), TapRecord{});
    publishScratch.count = count;
    published.publish(publishScratch);
}
} // namespace vorl
