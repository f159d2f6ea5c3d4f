#pragma once

#include "CubicReader.h"
#include "SeamlessRing.h"

#include <cstdint>

namespace vorl
{
// Two-head delay-line pitch shifter for the wet bus. The heads sit half a window apart and
// crossfade with sin^2 weights, so the head passing zero delay is always silent. The pitch
// offset is the sum of a static detune, an LFO vibrato, a detune that follows the Vorl
// amount and a sawtooth bend that repeats every End spacing, each added as a rate deviation.
// Regen feeds the pitched output back into the buffer.
class PitchChorus
{
public:
    static constexpr float kRegenCeiling = 0.9f;

    void prepare(double sampleRate);
    void reset() noexcept;

    void setDetuneCents(float cents) noexcept;
    void setMix(float newMix) noexcept; // 0..1
    void setRateHz(float hz) noexcept;
    void setDepth(float newDepth) noexcept;   // 0..1
    void setDepthScale(float scale) noexcept; // 2 with Pitch 2x, else 1
    void setShape(int newShape) noexcept;     // 0..6
    void setWide(bool on) noexcept { wide = on; }
    void setRegen(float percent) noexcept; // 0..100
    void setVorlLink(bool on) noexcept { vorlLink = on; }
    void setVorl(float amount) noexcept;     // -100..100
    void setVorlCents(float cents) noexcept; // 0..1200
    void setBend(bool on, float cents, bool up) noexcept;
    void setSeed(uint32_t newSeed) noexcept { seed = newSeed; }
    void setSync(bool isSynced, double ppqPosition, double tempoBpm, int noteValueIndex) noexcept;

    // endMs: the block's End spacing, the period of the length bend.
    void process(float* left, float* right, int n, float endMs) noexcept;

    double getHeadDelay() const noexcept { return headDelay; }
    double getWindow() const noexcept { return window; }

private:
    // Samples whose head movement is worked out ahead of the signal.
    static constexpr int kChunk = 64;

    // What the heads do over the next samples. None of it depends on the signal, so its maths
    // (exp2 of the pitch offsets, the sine of the crossfade) runs a vector at a time, before the
    // samples themselves.
    struct HeadPlan
    {
        RingPosition first[kChunk], second[kChunk];
        float firstWeight[kChunk];
    };

    // Settings that hold for a whole block.
    struct BlockMotion
    {
        double detune, vorlPart;
        bool vibratoOn;
        double vibratoCents;
        bool bendActive;
        double bendStep, bendSmoothing;
        double noteBeats;
    };

    // position: the random shapes' position (randomPosition).
    float vibratoValue(int j, double lfoPhase, double position) const noexcept;
    void planHeads(int first, int n, const BlockMotion& motion, HeadPlan& plan) noexcept;

    double sampleRate = 44100.0;
    int length = 1;
    double window = 1.0;
    SeamlessRing ringL, ringR;
    int writeIndex = 0;
    double headDelay = 0.0;
    float lastWetL = 0.0f, lastWetR = 0.0f;
    double phase = 0.0;
    double randomPosition = 0.0;
    double bendRamp = 0.0;
    double bendSmoothed = 0.0;

    float detuneCents = 0.0f;
    float mix = 0.0f;
    float rateHz = 0.0f;
    float depth = 0.0f;
    float depthScale = 1.0f;
    int shape = 0;
    bool wide = false;
    float regen = 0.0f;
    bool vorlLink = false;
    float vorl = 0.0f;
    float vorlCents = 0.0f;
    bool bendOn = false;
    float bendCents = 0.0f;
    bool bendUp = false;
    uint32_t seed = 0;
    bool synced = false;
    double ppq = 0.0;
    double bpm = 120.0;
    int noteIndex = 5;
};
} // namespace vorl
