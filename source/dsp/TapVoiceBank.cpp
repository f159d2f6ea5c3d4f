#include "TapVoiceBank.h"

#include "ChannelDelays.h"
#include "CubicReader.h"
#include "CubicRunKernels.h"
#include "GlideRows.h"
#include "GlidingReads.h"
#include "TapWear.h"
#include "WornFilterRows.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vorl
{
namespace
{
constexpr float kOffsetUnitMs = 5.0f;

// One sample of the linear gain ramp.
float rampTowards(float gain, float target, float step) noexcept
{
    if (target > gain)
        gain = std::min(gain + step, target);
    if (gain > target)
        gain = std::max(gain - step, target);
    return gain;
}

// The next m gains of a ramp in row. A ramp that has reached its target stays there, so the
// rest of the row holds it without stepping.
float rampRow(float gain, float target, float step, float* row, int m) noexcept
{
    int j = 0;
    for (; j < m && gain != target; ++j)
    {
        gain = rampTowards(gain, target, step);
        row[j] = gain;
    }
    std::fill(row + j, row + m, gain);
    return gain;
}

// One sample of a voice's gain ramp; a voice whose gain and target are both silent stops.
void stepGain(TapVoice& voice, float step) noexcept
{
    voice.gainNow = rampTowards(voice.gainNow, voice.targetGain, step);
    if (voice.gainNow <= TapVoiceBank::kSilentGain && voice.targetGain <= TapVoiceBank::kSilentGain)
    {
        voice.active = false;
        voice.wearStateL = voice.wearStateR = 0.0f;
    }
}

// The end of a crossfade: the voice reads its new delay, and a change that arrived meanwhile
// starts the next crossfade.
void endCrossfade(TapVoice& voice) noexcept
{
    voice.fade = 1.0f;
    voice.delayNow = voice.newDelay;
    voice.crossfading = false;
    if (voice.pendingChange)
    {
        // The next crossfade fades on from the position just reached.
        voice.crossfading = true;
        voice.pendingChange = false;
        voice.newDelay = voice.targetDelay;
        voice.fade = 0.0f;
    }
}

// One sample of a running crossfade. Returns true at the sample where it ends.
bool stepCrossfade(TapVoice& voice, float step) noexcept
{
    voice.fade += step;
    if (voice.fade < 1.0f)
        return false;
    endCrossfade(voice);
    return true;
}

// Adds gains x reads x scale to out; a scale of 1 (no ping-pong) changes nothing and is left out.
void addScaledReads(float* out, const float* gains, const float* reads, float scale, int m) noexcept
{
    if (scale == 1.0f)
        for (int j = 0; j < m; ++j)
            out[j] += gains[j] * reads[j];
    else
        for (int j = 0; j < m; ++j)
            out[j] += gains[j] * reads[j] * scale;
}

// Adds one sample of a voice (gain applied) to the bus, through the voice's wear filter when on.
void addSample(TapVoice& voice, float sL, float sR, bool wear, float wearCoef, float scaleL, float scaleR,
               float& wetL, float& wetR) noexcept
{
    if (wear)
    {
        voice.wearStateL += (sL - voice.wearStateL) * wearCoef;
        sL = voice.wearStateL;
        voice.wearStateR += (sR - voice.wearStateR) * wearCoef;
        sR = voice.wearStateR;
    }
    wetL += sL * scaleL;
    wetR += sR * scaleR;
}

// Read positions of the two channels for a delay: the right one moves by the stereo shift but
// never reads ahead of the write position.
double leftPosition(long base, float delay) noexcept
{
    return static_cast<double>(base) - static_cast<double>(leftChannelDelay(delay));
}

double rightPosition(long base, float delay, float shift) noexcept
{
    return static_cast<double>(base) - static_cast<double>(rightChannelDelay(delay, shift));
}
} // namespace

struct TapVoiceBank::BlockContext
{
    const float* ring[2]; // the line's channels, with their seam copies
    int length;
    int n;
    int writeStart;
    int switchIndex;
    bool pingPong;
    float scaleL[2]; // per voice parity: ping-pong sends even taps left, odd taps right
    float scaleR[2];
    bool wear;
    float shiftPerOffset; // samples per unit of stereo offset
    float* wetL;
    float* wetR;
};

void TapVoiceBank::prepare(double newSampleRate) noexcept
{
    sampleRate = static_cast<float>(newSampleRate);
    glideCoef = 1.0f - std::exp(-1.0f / (sampleRate * 0.02f));
    rampStep = 1.0f / (sampleRate * 0.01f);

    fadeTableLength = 0;
    float fade = 0.0f;
    for (int k = 0; k < kFadeTableSize && fade < 1.0f; ++k) // stepCrossfade's sums
    {
        fadeTable[static_cast<size_t>(k)] = fade;
        fade += rampStep;
        if (fade >= 1.0f)
            fadeTableLength = k + 1;
    }
}

void TapVoiceBank::reset() noexcept
{
    for (auto& voice : voices)
        voice.clear();
    switchDelays.fill(0.0f);
    layoutCount = 0;
    nextCrossfadeSlot = 0;
}

void TapVoiceBank::applyLayout(const TapLayoutResult& layout, double layoutSampleRate, bool structuralChange,
                               bool hardResetPending) noexcept
{
    const auto sr = static_cast<float>(layoutSampleRate);
    const int count = std::clamp(static_cast<int>(layout.count), 0, kMaxTaps);
    for (int i = 0; i < kMaxTaps; ++i)
    {
        TapVoice& voice = voices[static_cast<size_t>(i)];
        if (i >= count)
        {
            voice.targetGain = 0.0f;
            continue;
        }
        const TapRecord& tap = layout.taps[static_cast<size_t>(i)];
        voice.targetGain = tap.gain;
        voice.targetOffset = tap.stereoOffset;
        const float delay = sr * tap.timeMs / 1000.0f;
        switchDelays[static_cast<size_t>(i)] = delay;

        if (!voice.active)
        {
            voice.targetDelay = voice.delayNow = voice.newDelay = delay;
            voice.gainNow = 0.0f;
            voice.fade = 0.0f;
            voice.crossfading = voice.pendingChange = voice.changeRequested = false;
            voice.offsetNow = voice.targetOffset;
            voice.wearStateL = voice.wearStateR = 0.0f;
            voice.active = true;
        }
        else if (!hardResetPending)
        {
            voice.targetDelay = delay;
            if (structuralChange)
            {
                if (voice.crossfading)
                    voice.pendingChange = true;
                else
                    voice.changeRequested = true;
            }
        }
    }
    layoutCount = count;
}

void TapVoiceBank::scheduleCrossfades() noexcept
{
    int busy = 0;
    bool anyWaiting = false;
    for (const auto& voice : voices)
    {
        busy += voice.crossfading ? 1 : 0;
        anyWaiting = anyWaiting || voice.changeRequested;
    }
    if (!anyWaiting) // the usual block: nothing to start, and the round-robin slot stays
        return;

    const int start = nextCrossfadeSlot;
    for (int k = 0; k < kMaxTaps && busy < kMaxCrossfades; ++k)
    {
        const int i = (start + k) % kMaxTaps;
        TapVoice& voice = voices[static_cast<size_t>(i)];
        if (voice.active && voice.changeRequested && !voice.crossfading && voice.targetGain > kSilentGain)
        {
            voice.changeRequested = false;
            voice.newDelay = voice.targetDelay;
            voice.fade = 0.0f;
            voice.crossfading = true;
            ++busy;
            nextCrossfadeSlot = (i + 1) % kMaxTaps;
        }
    }
}

float TapVoiceBank::wearCoefficient(int index, float amountPercent) const noexcept
{
    const float cutoff = wearCutoffHz(index, layoutCount, amountPercent);
    constexpr float twoPi = 6.28318530717958647692f;
    return 1.0f - std::exp(-twoPi * cutoff / sampleRate);
}

void TapVoiceBank::updateWearCoefficients(float amountPercent) noexcept
{
    // A NaN amount never equals itself, so it is recomputed (harmlessly) every block.
    if (wearKey.amountPercent == amountPercent && wearKey.layoutCount == layoutCount &&
        wearKey.sampleRate == sampleRate)
        return;
    for (int i = 0; i < kMaxTaps; ++i)
        wearCoefficients[static_cast<size_t>(i)] = wearCoefficient(i, amountPercent);
    wearKey = {amountPercent, sampleRate, layoutCount};
}

void TapVoiceBank::render(const DelayLine& line, int n, int writeStart, int switchIndex,
                          PingPongSettings pingPong, WearSettings wear, float* wetL, float* wetR) noexcept
{
    if (n <= 0)
        return;

    BlockContext ctx{};
    ctx.ring[0] = line.channel(0);
    ctx.ring[1] = line.channel(1);
    ctx.length = line.getLength();
    ctx.n = n;
    ctx.writeStart = writeStart;
    ctx.switchIndex = switchIndex;
    ctx.pingPong = pingPong.active;
    const float p = pingPong.active ? pingPong.amount : 0.0f;
    ctx.scaleL[0] = 1.0f;
    ctx.scaleR[0] = pingPong.active ? 1.0f - p : 1.0f;
    ctx.scaleL[1] = pingPong.active ? 1.0f - p : 1.0f;
    ctx.scaleR[1] = 1.0f;
    ctx.wear = wear.active;
    ctx.shiftPerOffset = kOffsetUnitMs * sampleRate / 1000.0f;
    ctx.wetL = wetL;
    ctx.wetR = wetR;

    const float offsetSnap = 0.01f / (sampleRate * 0.005f);
    if (ctx.wear)
        updateWearCoefficients(wear.amountPercent);
    WideGroup worn;
    VoiceGroup fading;
    WideGroup gliding;
    VoiceGroup settled;

    for (int i = 0; i < kMaxTaps; ++i)
    {
        TapVoice& voice = voices[static_cast<size_t>(i)];
        if (!voice.active && voice.targetGain <= kSilentGain)
            continue;

        if (!voice.crossfading && !voice.changeRequested &&
            std::fabs(voice.targetDelay - voice.delayNow) < 0.01f)
            voice.delayNow = voice.targetDelay;
        if (std::fabs(voice.targetOffset - voice.offsetNow) < offsetSnap)
            voice.offsetNow = voice.targetOffset;

        const bool delaySettled =
            voice.crossfading || voice.changeRequested || voice.delayNow == voice.targetDelay;
        const bool offsetSettled = ctx.pingPong || voice.offsetNow == voice.targetOffset;
        const bool fast = fastPathEnabled && switchIndex < 0 && delaySettled && offsetSettled;

        const float wearCoef = ctx.wear ? wearCoefficients[static_cast<size_t>(i)] : 0.0f;
        const bool delayHeld = fast && !voice.crossfading;
        const float shift = ctx.pingPong ? 0.0f : voice.offsetNow * ctx.shiftPerOffset;
        // Each group renders before any voice after it adds to the bus, so the bus always sums
        // the voices in their order.
        if (delayHeld && voice.gainNow == voice.targetGain)
        {
            renderGliding(gliding, ctx);
            if (ctx.wear)
            {
                worn.add(i, shift, wearCoef);
                if (worn.count == WideGroup::kMaxVoices)
                    renderSettledWorn(worn, ctx);
            }
            else
            {
                renderFading(fading, ctx);
                settled.add(i, shift, 0.0f);
                if (settled.count == VoiceGroup::kMaxVoices)
                    renderSettled(settled, ctx);
            }
            continue;
        }
        renderSettled(settled, ctx);
        if (delayHeld && !ctx.wear)
        {
            renderGliding(gliding, ctx);
            fading.add(i, shift, 0.0f);
            if (fading.count == VoiceGroup::kMaxVoices)
                renderFading(fading, ctx);
            continue;
        }
        renderSettledWorn(worn, ctx);
        renderFading(fading, ctx);
        const bool onlyGliding = !voice.crossfading && !voice.changeRequested && switchIndex < 0 &&
                                 voice.gainNow == voice.targetGain && voice.gainNow > kSilentGain;
        if (fastPathEnabled && !fast && onlyGliding)
        {
            gliding.add(i, 0.0f, wearCoef);
            if (gliding.count == WideGroup::kMaxVoices)
                renderGliding(gliding, ctx);
            continue;
        }
        renderGliding(gliding, ctx);
        // A crossfade that ends on its target (or restarts towards it) never lets the delay glide.
        const bool plainCrossfade = fast && voice.crossfading && !ctx.wear &&
                                    (voice.pendingChange || voice.newDelay == voice.targetDelay);
        if (plainCrossfade)
            renderCrossfading(voice, i, ctx);
        else
            renderBySample(voice, i, ctx, wearCoef, fast);
    }
    renderSettled(settled, ctx);
    renderSettledWorn(worn, ctx);
    renderFading(fading, ctx);
    renderGliding(gliding, ctx);
}

void TapVoiceBank::beginSettledBlock(TapVoice& voice, int n) const noexcept
{
    if (voice.gainNow <= kSilentGain && voice.targetGain <= kSilentGain)
    {
        voice.active = false;
        voice.wearStateL = voice.wearStateR = 0.0f;
    }
    // Under ping-pong the offset is not heard, but it keeps gliding for when ping-pong ends.
    for (int s = 0; s < n && voice.offsetNow != voice.targetOffset; ++s)
        voice.offsetNow = glideTowards(voice.offsetNow, voice.targetOffset, glideCoef);
}

void TapVoiceBank::renderSettled(VoiceGroup& group, const BlockContext& ctx) noexcept
{
    // Nothing moves during the block: constant delay, offset and gain. Two voices at a time share
    // one pass over the bus, each adding as it would alone, in voice order.
    if (group.count == 0) // called before every voice that adds to the bus on its own
        return;
    const long base = ctx.writeStart;
    for (int first = 0; first < group.count; first += 2)
    {
        const int pairSize = std::min(2, group.count - first);
        RingPosition at[2][2]; // [channel][voice]
        CatmullRomWeights weights[2][2];
        float gain[2], scale[2][2];
        bool pairable = pairSize == 2;
        for (int v = 0; v < pairSize; ++v)
        {
            const int index = group.index[first + v];
            TapVoice& voice = voices[static_cast<size_t>(index)];
            beginSettledBlock(voice, ctx.n);
            const auto parity = static_cast<size_t>(index) & 1u;
            const double positions[2] = {leftPosition(base, voice.delayNow),
                                         rightPosition(base, voice.delayNow, group.shift[first + v])};
            for (int ch = 0; ch < 2; ++ch)
            {
                at[ch][v] = RingPosition::of(positions[ch], ctx.length);
                weights[ch][v] = CatmullRomWeights::at(at[ch][v].t);
                pairable = pairable && at[ch][v].index + ctx.n <= ctx.length; // no run across the ring's end
            }
            gain[v] = voice.gainNow;
            scale[0][v] = ctx.scaleL[parity];
            scale[1][v] = ctx.scaleR[parity];
        }
        float* wet[2] = {ctx.wetL, ctx.wetR};
        for (int ch = 0; ch < 2; ++ch)
        {
            if (pairable)
            {
                const int index[2] = {at[ch][0].index, at[ch][1].index};
                accumulateSettledPairReads(ctx.ring[ch], index, ctx.n, weights[ch], gain, scale[ch], wet[ch]);
                continue;
            }
            for (int v = 0; v < pairSize; ++v)
                accumulateSettledReads(ctx.ring[ch], ctx.length, at[ch][v].index, ctx.n, weights[ch][v],
                                       gain[v], scale[ch][v], wet[ch]);
        }
    }
    group.count = 0;
}

namespace
{
// Voice g of a group in its sets of worn rows.
WornRows& setOf(WornRows (&rows)[kWornSets], int g) noexcept
{
    return rows[g / WornRows::kMax];
}

int rowOf(int g) noexcept
{
    return g % WornRows::kMax;
}

// Adds gain x reads x scale to out, as a voice with a constant gain adds them sample by sample.
void addGainedReads(float* out, float gain, const float* reads, float scale, int m) noexcept
{
    if (scale == 1.0f) // no ping-pong: the multiply by 1 changes nothing
        for (int j = 0; j < m; ++j)
            out[j] += gain * reads[j];
    else
        for (int j = 0; j < m; ++j)
            out[j] += gain * reads[j] * scale;
}

// Adds gains x (old + (new - old) x fade) x scale to out: a crossfading voice's samples.
void addCrossfadedReads(float* out, const float* gains, const float* oldReads, const float* newReads,
                        const float* fades, float scale, int m) noexcept
{
    for (int j = 0; j < m; ++j)
    {
        const float mixed = oldReads[j] + (newReads[j] - oldReads[j]) * fades[j];
        out[j] += gains[j] * mixed * scale;
    }
}
} // namespace

void TapVoiceBank::loadWornRow(WornRows& rows, int g, const TapVoice& voice, int index, float wearCoef,
                               const BlockContext& ctx) noexcept
{
    const auto parity = static_cast<size_t>(index) & 1u;
    rows.scaleL[g] = ctx.scaleL[parity];
    rows.scaleR[g] = ctx.scaleR[parity];
    rows.stateL[g] = voice.wearStateL;
    rows.stateR[g] = voice.wearStateR;
    rows.gain[g] = voice.gainNow;
    rows.coef[g] = wearCoef;
}

void TapVoiceBank::renderSettledWorn(WideGroup& group, const BlockContext& ctx) noexcept
{
    // As renderSettled, with the wear lowpass after the read. The group's voices are read into
    // scratch rows by the vectorised reader, then filtered side by side: their one-pole filters
    // are independent chains that overlap, where one voice at a time waits on each sample's
    // result. Each sample still adds the voices to the bus in voice order.
    constexpr int kMax = WideGroup::kMaxVoices;
    static_assert(kWornSets * WornRows::kMax == kMax);
    if (group.count == 0) // called before every voice that adds to the bus on its own
        return;
    WornRows rows[kWornSets];
    const int count = group.count;
    SeamlessRunReader readerL[kMax], readerR[kMax];
    for (int g = 0; g < count; ++g)
    {
        TapVoice& voice = voices[static_cast<size_t>(group.index[g])];
        beginSettledBlock(voice, ctx.n);
        loadWornRow(setOf(rows, g), rowOf(g), voice, group.index[g], group.coef[g], ctx);
        const long base = ctx.writeStart;
        readerL[g].start(ctx.ring[0], ctx.length, leftPosition(base, voice.delayNow));
        readerR[g].start(ctx.ring[1], ctx.length, rightPosition(base, voice.delayNow, group.shift[g]));
    }
    for (int start = 0; start < ctx.n; start += WornRows::kChunk)
    {
        const int m = std::min(WornRows::kChunk, ctx.n - start);
        for (int g = 0; g < count; ++g)
        {
            readerL[g].read(setOf(rows, g).readL[rowOf(g)], m);
            readerR[g].read(setOf(rows, g).readR[rowOf(g)], m);
        }
        filterWornRows(rows, count, m, ctx.wetL + start, ctx.wetR + start);
    }
    for (int g = 0; g < count; ++g)
    {
        TapVoice& voice = voices[static_cast<size_t>(group.index[g])];
        voice.wearStateL = setOf(rows, g).stateL[rowOf(g)];
        voice.wearStateR = setOf(rows, g).stateR[rowOf(g)];
    }
    group.count = 0;
}

void TapVoiceBank::renderFading(VoiceGroup& group, const BlockContext& ctx) noexcept
{
    // Voices whose delay holds while their gain ramps (a tap fading in or out, or changing level,
    // maybe waiting for a crossfade slot). The group's ramps run side by side, independent chains
    // that overlap; then each voice's reads, scaled by its ramp, are added voice after voice, in
    // the order renderBySample adds them.
    if (group.count == 0) // called before every voice that adds to the bus on its own
        return;
    constexpr int kChunk = 256;
    constexpr int kMax = VoiceGroup::kMaxVoices;
    float gains[kMax][kChunk];
    float readL[kChunk], readR[kChunk];
    float gain[kMax], target[kMax];
    SeamlessRunReader readerL[kMax], readerR[kMax];
    const int count = group.count;
    const float step = rampStep;
    for (int g = 0; g < count; ++g)
    {
        TapVoice& voice = voices[static_cast<size_t>(group.index[g])];
        beginSettledBlock(voice, ctx.n);
        gain[g] = voice.gainNow;
        target[g] = voice.targetGain;
        const long base = ctx.writeStart;
        readerL[g].start(ctx.ring[0], ctx.length, leftPosition(base, voice.delayNow));
        readerR[g].start(ctx.ring[1], ctx.length, rightPosition(base, voice.delayNow, group.shift[g]));
    }
    for (int start = 0; start < ctx.n; start += kChunk)
    {
        const int m = std::min(kChunk, ctx.n - start);
        // The ramps step side by side while any of them moves; most gain changes end within a
        // few samples, and the rest of the rows then hold the targets.
        constexpr int kStretch = 16;
        int j = 0;
        for (; j < m && !std::equal(gain, gain + count, target); j += kStretch)
            for (int k = j; k < std::min(m, j + kStretch); ++k)
                for (int g = 0; g < count; ++g)
                {
                    gain[g] = rampTowards(gain[g], target[g], step);
                    gains[g][k] = gain[g];
                }
        for (int g = 0; g < count && j < m; ++g)
            std::fill(gains[g] + j, gains[g] + m, gain[g]);
        for (int g = 0; g < count; ++g)
        {
            const auto parity = static_cast<size_t>(group.index[g]) & 1u;
            readerL[g].read(readL, m);
            readerR[g].read(readR, m);
            addScaledReads(ctx.wetL + start, gains[g], readL, ctx.scaleL[parity], m);
            addScaledReads(ctx.wetR + start, gains[g], readR, ctx.scaleR[parity], m);
        }
    }
    for (int g = 0; g < count; ++g)
    {
        TapVoice& voice = voices[static_cast<size_t>(group.index[g])];
        voice.gainNow = gain[g];
        if (voice.gainNow <= kSilentGain && voice.targetGain <= kSilentGain)
        {
            voice.active = false;
            voice.wearStateL = voice.wearStateR = 0.0f;
        }
    }
    group.count = 0;
}

void TapVoiceBank::renderGliding(WideGroup& group, const BlockContext& ctx) noexcept
{
    // Voices whose gain holds and that neither crossfade nor wait for a crossfade: only their
    // delays and offsets glide. Each glide step waits on the one before, so the group's glides
    // run side by side, sample by sample, and leave each channel's delay per sample in a row;
    // the reads at those delays then run a vector of samples at a time, and the bus takes the
    // voices one after another (through their wear filters when tape wear is on), in the order
    // a voice at a time would add them.
    if (group.count == 0) // called before every voice that adds to the bus on its own
        return;
    constexpr int kMax = WideGroup::kMaxVoices;
    constexpr int kChunk = GlideRows::kChunk;
    static_assert(GlideRows::kMaxVoices == kMax && kWornSets * WornRows::kMax == kMax);
    const int count = group.count;
    const float glide = glideCoef;
    const float shiftPerOffset = ctx.pingPong ? 0.0f : ctx.shiftPerOffset;
    float delayNow[kMax], targetDelay[kMax], offsetNow[kMax], targetOffset[kMax], shift[kMax];
    GlideRows glides;
    WornRows rows[kWornSets];
    for (int g = 0; g < count; ++g)
    {
        const TapVoice& voice = voices[static_cast<size_t>(group.index[g])];
        delayNow[g] = voice.delayNow;
        targetDelay[g] = voice.targetDelay;
        offsetNow[g] = voice.offsetNow;
        targetOffset[g] = voice.targetOffset;
        shift[g] = voice.offsetNow * shiftPerOffset;
        loadWornRow(setOf(rows, g), rowOf(g), voice, group.index[g], group.coef[g], ctx);
    }
    for (int start = 0; start < ctx.n; start += kChunk)
    {
        const int m = std::min(kChunk, ctx.n - start);
        bool offsetsHeld = true;
        for (int g = 0; g < count; ++g)
            offsetsHeld = offsetsHeld && offsetNow[g] == targetOffset[g];
        if (offsetsHeld) // the usual case: only the delays move
            glides.glide(delayNow, targetDelay, shift, count, glide, m);
        else
            for (int j = 0; j < m; ++j)
                for (int g = 0; g < count; ++g)
                {
                    delayNow[g] = glideTowards(delayNow[g], targetDelay[g], glide);
                    if (offsetNow[g] != targetOffset[g])
                    {
                        offsetNow[g] = glideTowards(offsetNow[g], targetOffset[g], glide);
                        shift[g] = offsetNow[g] * shiftPerOffset;
                    }
                    glides.left[g][j] = leftChannelDelay(delayNow[g]);
                    glides.right[g][j] = rightChannelDelay(delayNow[g], shift[g]);
                }
        const long first = static_cast<long>(ctx.writeStart) + start;
        for (int g = 0; g < count; ++g)
        {
            // Without a stereo shift both channels read at the same delays.
            if (offsetsHeld && shift[g] == 0.0f)
            {
                readGlidingRunsStereo(ctx.ring[0], ctx.ring[1], ctx.length, first, glides.left[g], m,
                                      setOf(rows, g).readL[rowOf(g)], setOf(rows, g).readR[rowOf(g)]);
                continue;
            }
            readGlidingRuns(ctx.ring[0], ctx.length, first, glides.left[g], m,
                            setOf(rows, g).readL[rowOf(g)]);
            readGlidingRuns(ctx.ring[1], ctx.length, first, glides.right[g], m,
                            setOf(rows, g).readR[rowOf(g)]);
        }
        float* outL = ctx.wetL + start;
        float* outR = ctx.wetR + start;
        if (ctx.wear)
            filterWornRows(rows, count, m, outL, outR);
        else
            for (int g = 0; g < count; ++g)
            {
                const WornRows& set = setOf(rows, g);
                const int r = rowOf(g);
                addGainedReads(outL, set.gain[r], set.readL[r], set.scaleL[r], m);
                addGainedReads(outR, set.gain[r], set.readR[r], set.scaleR[r], m);
            }
    }
    for (int g = 0; g < count; ++g)
    {
        TapVoice& voice = voices[static_cast<size_t>(group.index[g])];
        voice.delayNow = delayNow[g];
        voice.offsetNow = offsetNow[g];
        voice.wearStateL = setOf(rows, g).stateL[rowOf(g)];
        voice.wearStateR = setOf(rows, g).stateR[rowOf(g)];
    }
    group.count = 0;
}

const float* TapVoiceBank::fadesAfter(float fade) const noexcept
{
    const float* end = fadeTable.data() + fadeTableLength;
    const float* at = std::lower_bound(fadeTable.data(), end, fade);
    return at != end && *at == fade ? at + 1 : nullptr;
}

void TapVoiceBank::renderCrossfading(TapVoice& storedVoice, int index, const BlockContext& ctx) noexcept
{
    // renderBySample for a crossfading voice without tape wear whose delay holds on both sides of
    // the crossfade. A per-sample pass keeps only the ramps and the crossfade's end (or restart),
    // and writes each sample's reads, fade and gain to short rows; the mix and the sums onto the
    // bus then run element-wise over the rows.
    // The bus is written only after the per-sample pass, so the context needs no copy here.
    TapVoice voice = storedVoice;
    const float step = rampStep;
    const auto parity = static_cast<size_t>(index) & 1u;
    const float scaleL = ctx.scaleL[parity];
    const float scaleR = ctx.scaleR[parity];
    // Under ping-pong the offset is not heard but keeps gliding; otherwise it is at its target.
    for (int s = 0; s < ctx.n && voice.offsetNow != voice.targetOffset; ++s)
        voice.offsetNow = glideTowards(voice.offsetNow, voice.targetOffset, glideCoef);
    const float shift = ctx.pingPong ? 0.0f : voice.offsetNow * ctx.shiftPerOffset;

    constexpr int kChunk = 64;
    SeamlessRunReader oldL, oldR, newL, newR;
    float chunkA[2][kChunk], chunkB[2][kChunk];
    float(*oldValues)[kChunk] = chunkA;
    float(*newValues)[kChunk] = chunkB;
    float rowOld[2][kChunk], rowNew[2][kChunk], rowFade[kChunk], rowGain[kChunk];
    bool rowCrossfading[kChunk];
    const long base = ctx.writeStart;
    oldL.start(ctx.ring[0], ctx.length, leftPosition(base, voice.delayNow));
    oldR.start(ctx.ring[1], ctx.length, rightPosition(base, voice.delayNow, shift));
    newL.start(ctx.ring[0], ctx.length, leftPosition(base, voice.newDelay));
    newR.start(ctx.ring[1], ctx.length, rightPosition(base, voice.newDelay, shift));
    // At sample k of a chunk of m, where a crossfade has ended: the new reads become the old ones,
    // and a crossfade restarted towards the change that waited reads its new delay from there on.
    const auto takeNewReads = [&](int chunkStart, int k, int m)
    {
        oldL = newL;
        oldR = newR;
        std::swap(oldValues, newValues);
        if (voice.crossfading)
        {
            const long pos = base + chunkStart + k;
            newL.start(ctx.ring[0], ctx.length, leftPosition(pos, voice.newDelay));
            newR.start(ctx.ring[1], ctx.length, rightPosition(pos, voice.newDelay, shift));
            newL.read(newValues[0] + k, m - k);
            newR.read(newValues[1] + k, m - k);
        }
    };

    // Where the fade table goes on after the voice's fade, once a chunk has found it: the next
    // chunk needs no search while the fade stays the entry before it.
    const float* tableFollowing = nullptr;
    const auto fadesFollowing = [&](float fade)
    { return tableFollowing != nullptr && tableFollowing[-1] == fade ? tableFollowing : fadesAfter(fade); };

    for (int chunkStart = 0; chunkStart < ctx.n; chunkStart += kChunk)
    {
        const int m = std::min(kChunk, ctx.n - chunkStart);
        oldL.read(oldValues[0], m);
        oldR.read(oldValues[1], m);
        if (voice.crossfading)
        {
            newL.read(newValues[0], m);
            newR.read(newValues[1], m);
        }
        float* outL = ctx.wetL + chunkStart;
        float* outR = ctx.wetR + chunkStart;
        // Mostly the crossfade runs on through the chunk (or is over) and the gain, held or
        // ramping, cannot fall silent: then only the gain ramp and the fade move, and the reads
        // mix straight from the chunks.
        if (voice.targetGain > kSilentGain)
        {
            float gain = voice.gainNow;
            float fade = voice.fade;
            int k = 0;
            gain = rampRow(gain, voice.targetGain, step, rowGain, m);
            const float* fades = rowFade;
            if (!voice.crossfading)
                k = m;
            else if (const float* next = fadesFollowing(voice.fade))
            {
                // The table holds this crossfade's next fades, up to its end.
                k = std::min(m, static_cast<int>(fadeTable.data() + fadeTableLength - next));
                fades = next;
                fade = k > 0 ? next[k - 1] : fade;
                tableFollowing = k > 0 ? next + k : nullptr;
            }
            else
                for (; k < m && fade + step < 1.0f; ++k) // as stepCrossfade steps it
                {
                    fade += step;
                    rowFade[k] = fade;
                }
            if (k == m)
            {
                voice.gainNow = gain;
                if (voice.crossfading)
                {
                    voice.fade = fade;
                    addCrossfadedReads(outL, rowGain, oldValues[0], newValues[0], fades, scaleL, m);
                    addCrossfadedReads(outR, rowGain, oldValues[1], newValues[1], fades, scaleR, m);
                }
                else
                {
                    addScaledReads(outL, rowGain, oldValues[0], scaleL, m);
                    addScaledReads(outR, rowGain, oldValues[1], scaleR, m);
                }
                continue;
            }
            // The crossfade ends at sample k, and any next one does not end in this chunk: both
            // stretches mix straight from the chunks as above.
            if (voice.crossfading && (!voice.pendingChange || m - k <= fadeTableLength))
            {
                voice.gainNow = gain;
                addCrossfadedReads(outL, rowGain, oldValues[0], newValues[0], fades, scaleL, k);
                addCrossfadedReads(outR, rowGain, oldValues[1], newValues[1], fades, scaleR, k);
                endCrossfade(voice);
                takeNewReads(chunkStart, k, m);
                if (voice.crossfading)
                {
                    addCrossfadedReads(outL + k, rowGain + k, oldValues[0] + k, newValues[0] + k,
                                       fadeTable.data(), scaleL, m - k);
                    addCrossfadedReads(outR + k, rowGain + k, oldValues[1] + k, newValues[1] + k,
                                       fadeTable.data(), scaleR, m - k);
                    voice.fade = fadeTable[static_cast<size_t>(m - k - 1)];
                }
                else
                {
                    addScaledReads(outL + k, rowGain + k, oldValues[0] + k, scaleL, m - k);
                    addScaledReads(outR + k, rowGain + k, oldValues[1] + k, scaleR, m - k);
                }
                continue;
            }
        }
        for (int k = 0; k < m; ++k)
        {
            stepGain(voice, step);
            if (voice.crossfading && stepCrossfade(voice, step))
                takeNewReads(chunkStart, k, m);
            rowOld[0][k] = oldValues[0][k];
            rowOld[1][k] = oldValues[1][k];
            // Once the crossfade is over the new reads are stale: the old ones stand in for them.
            const auto& mixedIn = voice.crossfading ? newValues : oldValues;
            rowNew[0][k] = mixedIn[0][k];
            rowNew[1][k] = mixedIn[1][k];
            rowFade[k] = voice.fade;
            rowGain[k] = voice.gainNow;
            rowCrossfading[k] = voice.crossfading;
        }
        for (int k = 0; k < m; ++k)
        {
            float left = rowOld[0][k];
            float right = rowOld[1][k];
            if (rowCrossfading[k])
            {
                left = left + (rowNew[0][k] - left) * rowFade[k];
                right = right + (rowNew[1][k] - right) * rowFade[k];
            }
            outL[k] += rowGain[k] * left * scaleL;
            outR[k] += rowGain[k] * right * scaleR;
        }
    }
    storedVoice = voice;
}

void TapVoiceBank::renderBySample(TapVoice& storedVoice, int index, const BlockContext& context,
                                  float wearCoef, bool useReaders) const noexcept
{
    // Works on copies of the voice, the context and the ramp settings: a store to the wet bus
    // could otherwise alias any of them and force them back to memory on every sample.
    TapVoice voice = storedVoice;
    const BlockContext ctx = context;
    const float step = rampStep;
    const float glide = glideCoef;
    const auto parity = static_cast<size_t>(index) & 1u;
    const float scaleL = ctx.scaleL[parity];
    const float scaleR = ctx.scaleR[parity];
    const bool hasSwitch = index < layoutCount && ctx.switchIndex >= 0;
    const float shiftPerOffset = ctx.pingPong ? 0.0f : ctx.shiftPerOffset;

    float shift = voice.offsetNow * shiftPerOffset;
    // While the delay holds still, the old and new positions advance one frame per sample: their
    // readers fill a chunk of values at a time, which the loop below takes sample by sample.
    constexpr int kChunk = 64;
    SeamlessRunReader oldL, oldR, newL, newR;
    float chunkA[2][kChunk], chunkB[2][kChunk];
    float(*oldValues)[kChunk] = chunkA;
    float(*newValues)[kChunk] = chunkB;
    int chunkStart = 0;
    int chunkEnd = 0;
    float readerDelay = voice.delayNow;
    const float readerShift = shift;
    if (useReaders)
    {
        const long base = ctx.writeStart;
        oldL.start(ctx.ring[0], ctx.length, leftPosition(base, voice.delayNow));
        oldR.start(ctx.ring[1], ctx.length, rightPosition(base, voice.delayNow, shift));
        if (voice.crossfading)
        {
            newL.start(ctx.ring[0], ctx.length, leftPosition(base, voice.newDelay));
            newR.start(ctx.ring[1], ctx.length, rightPosition(base, voice.newDelay, shift));
        }
    }

    for (int s = 0; s < ctx.n; ++s)
    {
        const long pos = static_cast<long>(ctx.writeStart) + s;

        if (useReaders && s == chunkEnd)
        {
            chunkStart = s;
            chunkEnd = std::min(ctx.n, s + kChunk);
            oldL.read(oldValues[0], chunkEnd - s);
            oldR.read(oldValues[1], chunkEnd - s);
            if (voice.crossfading)
            {
                newL.read(newValues[0], chunkEnd - s);
                newR.read(newValues[1], chunkEnd - s);
            }
        }

        if (hasSwitch && s == ctx.switchIndex)
        {
            const float delay = switchDelays[static_cast<size_t>(index)];
            voice.targetDelay = voice.delayNow = voice.newDelay = delay;
            voice.fade = 0.0f;
            voice.crossfading = voice.pendingChange = voice.changeRequested = false;
            voice.wearStateL = voice.wearStateR = 0.0f;
            useReaders = false;
        }

        stepGain(voice, step);
        if (voice.crossfading)
        {
            if (stepCrossfade(voice, step) && useReaders)
            {
                oldL = newL;
                oldR = newR;
                std::swap(oldValues, newValues);
                readerDelay = voice.delayNow;
                if (voice.crossfading) // restarted towards the change that waited
                {
                    newL.start(ctx.ring[0], ctx.length, leftPosition(pos, voice.newDelay));
                    newR.start(ctx.ring[1], ctx.length, rightPosition(pos, voice.newDelay, shift));
                    newL.read(newValues[0] + (s - chunkStart), chunkEnd - s);
                    newR.read(newValues[1] + (s - chunkStart), chunkEnd - s);
                }
            }
        }
        // A glide step at its target leaves the value as it is: skipping it keeps the step's
        // chain of dependent operations out of the loop for the voices that only fade or wait.
        else if (!voice.changeRequested && voice.delayNow != voice.targetDelay)
        {
            voice.delayNow = glideTowards(voice.delayNow, voice.targetDelay, glide);
        }

        if (voice.offsetNow != voice.targetOffset)
        {
            voice.offsetNow = glideTowards(voice.offsetNow, voice.targetOffset, glide);
            shift = voice.offsetNow * shiftPerOffset;
        }

        if (useReaders && (voice.delayNow != readerDelay || shift != readerShift))
            useReaders = false; // the delay started to move: read each sample from here on

        float left;
        float right;
        if (useReaders)
        {
            const int k = s - chunkStart;
            left = oldValues[0][k];
            right = oldValues[1][k];
            if (voice.crossfading)
            {
                const float left2 = newValues[0][k];
                const float right2 = newValues[1][k];
                left = left + (left2 - left) * voice.fade;
                right = right + (right2 - right) * voice.fade;
            }
        }
        else
        {
            left = readSeamlessCubic(ctx.ring[0], ctx.length, leftPosition(pos, voice.delayNow));
            right = readSeamlessCubic(ctx.ring[1], ctx.length, rightPosition(pos, voice.delayNow, shift));
            if (voice.crossfading)
            {
                const float left2 =
                    readSeamlessCubic(ctx.ring[0], ctx.length, leftPosition(pos, voice.newDelay));
                const float right2 =
                    readSeamlessCubic(ctx.ring[1], ctx.length, rightPosition(pos, voice.newDelay, shift));
                left = left + (left2 - left) * voice.fade;
                right = right + (right2 - right) * voice.fade;
            }
        }

        addSample(voice, voice.gainNow * left, voice.gainNow * right, ctx.wear, wearCoef, scaleL, scaleR,
                  ctx.wetL[s], ctx.wetR[s]);
    }
    storedVoice = voice;
}
} // namespace vorl
