#pragma once

#include "DelayLine.h"
#include "TapRecord.h"
#include "TapVoice.h"

#include <array>
#include <cstddef>

namespace vorl
{
struct WornRows;

struct PingPongSettings
{
    bool active = false;
    float amount = 0.0f; // 0..1: how much of each tap leaves the opposite side
};

struct WearSettings
{
    bool active = false;
    float amountPercent = 0.0f; // tape wear: later taps get darker
};

// The 300 tap voices: voice i plays tap i of the current layout. Fixed memory; nothing here
// allocates.
class TapVoiceBank
{
public:
    static constexpr int kMaxCrossfades = 16;
    static constexpr float kSilentGain = 0.00001f;

    void prepare(double sampleRate) noexcept;
    void reset() noexcept;

    // Per-block update from a new layout: new taps start at their delay and fade in, removed
    // taps fade out; with structuralChange existing voices ask for a crossfade; during a
    // pending hard reset active voices keep their delay until the switch sample.
    void applyLayout(const TapLayoutResult& layout, double sampleRate, bool structuralChange,
                     bool hardResetPending) noexcept;

    // Starts waiting crossfades in round-robin order, at most kMaxCrossfades at once.
    void scheduleCrossfades() noexcept;

    // Adds the voices' output for n samples to the wet bus. writeStart is the line's write index
    // before this block was written; at switchIndex (or never, when negative) every voice jumps
    // to its tap's delay.
    void render(const DelayLine& line, int n, int writeStart, int switchIndex, PingPongSettings pingPong,
                WearSettings wear, float* wetL, float* wetR) noexcept;

    // The fast paths give the same samples as the general per-sample read; switching them off
    // is for measuring and testing.
    void setFastPathEnabled(bool enabled) noexcept { fastPathEnabled = enabled; }

    const TapVoice& getVoice(int index) const noexcept { return voices[static_cast<std::size_t>(index)]; }
    int getNextCrossfadeSlot() const noexcept { return nextCrossfadeSlot; }

private:
    struct BlockContext;

    // Consecutive voices on one of the grouped paths (settled, settled with tape wear, fading
    // with the delay held, or gliding with the gain held), rendered together.
    template <int Capacity> struct VoiceGroupOf
    {
        static constexpr int kMaxVoices = Capacity;
        int count = 0;
        int index[kMaxVoices];
        float shift[kMaxVoices];
        float coef[kMaxVoices];

        void add(int voice, float voiceShift, float wearCoef) noexcept
        {
            index[count] = voice;
            shift[count] = voiceShift;
            coef[count] = wearCoef;
            ++count;
        }
    };
    using VoiceGroup = VoiceGroupOf<8>;
    // The gliding and the worn voices run chains of dependent steps (glides, wear filters), short
    // and waiting on each other: twice as many voices side by side keep more of them in flight
    // (GlideRows::kMaxVoices, kWornSets x WornRows::kMax).
    using WideGroup = VoiceGroupOf<16>;

    void beginSettledBlock(TapVoice& voice, int n) const noexcept;
    // Row g of a group's filter rows: voice `index`'s gain, wear filter and ping-pong scales.
    static void loadWornRow(WornRows& rows, int g, const TapVoice& voice, int index, float wearCoef,
                            const BlockContext& ctx) noexcept;
    // Renders the group's voices (delay, offset and gain held) and empties it.
    void renderSettled(VoiceGroup& group, const BlockContext& ctx) noexcept;
    // Renders the group's voices and empties it.
    void renderSettledWorn(WideGroup& group, const BlockContext& ctx) noexcept;
    // Renders the group's voices and empties it.
    void renderFading(VoiceGroup& group, const BlockContext& ctx) noexcept;
    // Renders the group's voices (their delays gliding, gains held) and empties it.
    void renderGliding(WideGroup& group, const BlockContext& ctx) noexcept;
    void renderCrossfading(TapVoice& voice, int index, const BlockContext& ctx) noexcept;
    void renderBySample(TapVoice& voice, int index, const BlockContext& ctx, float wearCoef,
                        bool useReaders) const noexcept;
    float wearCoefficient(int index, float amountPercent) const noexcept;
    // Fills wearCoefficients for this amount, unless they already hold it for the same pattern
    // length and rate: two library calls per voice and block otherwise.
    void updateWearCoefficients(float amountPercent) noexcept;
    // The fades that follow `fade` in the table (ending where the crossfade ends), or nullptr
    // when the table does not hold it.
    const float* fadesAfter(float fade) const noexcept;

    std::array<TapVoice, kMaxTaps> voices{};
    std::array<float, kMaxTaps> switchDelays{}; // delay each tap jumps to at a hard reset
    int layoutCount = 0;
    std::array<float, kMaxTaps> wearCoefficients{};
    struct WearKey
    {
        float amountPercent = 0.0f, sampleRate = 0.0f;
        int layoutCount = -1; // none computed yet
    } wearKey;
    int nextCrossfadeSlot = 0;
    float sampleRate = 44100.0f;
    float glideCoef = 0.0f;
    float rampStep = 0.0f;
    // Every crossfade starts at 0 and adds rampStep each sample, so its fades are the entries of
    // one table: entry k is the fade after k steps, up to the last one below 1. Empty when the
    // ramp has more steps than fit (absurd sample rates); the crossfades then step themselves.
    static constexpr int kFadeTableSize = 4096;
    std::array<float, kFadeTableSize> fadeTable{};
    int fadeTableLength = 0;
    bool fastPathEnabled = true;
};
} // namespace vorl
