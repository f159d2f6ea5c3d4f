#pragma once

#include "DelayLine.h"
#include "EngineParameters.h"
#include "LayoutDerivation.h"
#include "PitchChorus.h"
#include "SnapshotExchange.h"
#include "TapLayout.h"
#include "TapVoiceBank.h"
#include "TapeStage.h"
#include "ToneFilter.h"
#include "Tremolo.h"

#include <atomic>
#include <vector>

namespace vorl
{
// The whole delay effect for one plug-in instance: input (through the tape stage) into the
// 15-second line, 300 tap voices reading it, then tone filters, pitch/chorus, tremolo and
// width on the wet bus, the wet fade around whole-state changes, dry/wet and master gain.
// Runs on the audio thread; nothing allocates after prepare except growing the block
// buffers for a block longer than any seen before.
class DelayEngine
{
public:
    DelayEngine();

    void prepare(double sampleRate, int maximumBlockSize);

    // Returns the audio state to silence without touching parameters.
    void reset() noexcept;

    // One block in place. right is null for a mono bus: the left input then feeds both sides
    // of the line and only left is written. Returns the block's output peak.
    float process(float* left, float* right, int n, const EngineParameterValues& params,
                  const HostPosition& position, const EngineBlockInputs& inputs) noexcept;

    // The latest published layout (reader side of a lock-free hand-over; one reader thread).
    TapLayoutResult readPublishedLayout() noexcept { return published.read(); }

    // The last tempo the host reported (120 until it reports one).
    float getHostTempo() const noexcept { return hostTempo.load(); }

    double getSampleRate() const noexcept { return sampleRate; }
    const TapLayoutResult& getLayout() const noexcept { return layout; }
    const TapVoiceBank& getVoices() const noexcept { return voices; }
    float getWetFadeGain() const noexcept { return fadeGain; }

private:
    enum class FadeState
    {
        idle,
        fadingOut,
        fadingIn
    };

    void updateTransport(const HostPosition& position) noexcept;
    void ensureBlockCapacity(int n);
    void detectChangesAndLayout(const DerivedLayout& derived, uint32_t stateVersion) noexcept;
    int findSwitchIndex(int n) noexcept;
    void runTape(const EngineParameterValues& params, int n) noexcept;
    void runPitch(const EngineParameterValues& params, int n, float endMs) noexcept;
    void runTremolo(const EngineParameterValues& params, int n) noexcept;
    void applyGlobalFade(int n) noexcept;
    void publishLayout() noexcept;

    double sampleRate = 44100.0;
    EngineBlockInputs blockInputs;

    // Transport, written by the audio thread each block.
    std::atomic<float> hostTempo{120.0f};
    double tempo = 120.0;
    double ppqPosition = 0.0;
    bool isPlaying = false;
    bool tempoValid = false;

    // Layout and change tracking.
    TapLayout tapLayout;
    TapLayoutResult layout;
    DerivedLayout lastDerived;
    LayoutUserView previousView;
    bool previousValid = false;
    uint32_t seenVersion = 0;
    bool structuralChange = false;

    // Global wet fade around hard resets.
    FadeState fadeState = FadeState::idle;
    float fadeGain = 1.0f;
    float fadeStep = 1.0f;
    bool hardResetPending = false;

    DelayLine line;
    TapVoiceBank voices;
    ToneFilter toneLeft, toneRight;
    TapeStage tape;
    PitchChorus pitch;
    Tremolo tremolo;

    std::vector<float> lineInL, lineInR, wetL, wetR;

    SnapshotExchange<TapLayoutResult> published;
    TapLayoutResult publishScratch;
};
} // namespace vorl
