#include "PitchChorus.h"
#include "MathConstants.h"

#include "LfoRandom.h"
#include "LfoShapes.h"
#include "NoteValues.h"
#include "PitchHeadMaths.h"
#include "RowSine.h"

#include <algorithm>
#include <cmath>

namespace vorl
{
namespace
{
// Limits keep every rate deviation far below the window, so one wrap per sample suffices.
float clampFinite(float value, float lo, float hi) noexcept
{
    return std::clamp(std::isfinite(value) ? value : 0.0f, lo, hi);
}

double centsToRateDeviation(double cents) noexcept
{
    return std::exp2(cents / 1200.0) - 1.0;
}

constexpr auto kLanes = static_cast<int>(DoubleBatch::size);

// centsToRateDeviation over n values in place; the array has room for a whole last vector.
void centsToRateDeviations(double* values, int n) noexcept
{
    for (int i = 0; i < n; i += kLanes)
    {
        const DoubleBatch cents = DoubleBatch::load_aligned(values + i);
        (exp2WithinOctave(cents / 1200.0) - 1.0).store_aligned(values + i);
    }
}
} // namespace

void PitchChorus::prepare(double newSampleRate)
{
    if (newSampleRate > 0.0 && std::isfinite(newSampleRate))
        sampleRate = newSampleRate;
    length = 8 + static_cast<int>(0.064 * sampleRate);
    window = 0.05 * sampleRate;
    ringL.prepare(length);
    ringR.prepare(length);
    reset();
}

void PitchChorus::reset() noexcept
{
    ringL.reset();
    ringR.reset();
    writeIndex = 0;
    headDelay = 0.0;
    phase = 0.0;
    randomPosition = 0.0;
    bendRamp = 0.0;
    bendSmoothed = 0.0;
    lastWetL = lastWetR = 0.0f;
}

void PitchChorus::setDetuneCents(float cents) noexcept
{
    detuneCents = clampFinite(cents, -1200.0f, 1200.0f);
}
void PitchChorus::setMix(float newMix) noexcept
{
    mix = clampFinite(newMix, 0.0f, 1.0f);
}
void PitchChorus::setRateHz(float hz) noexcept
{
    rateHz = clampFinite(hz, 0.0f, 1000.0f);
}
void PitchChorus::setDepth(float newDepth) noexcept
{
    depth = clampFinite(newDepth, 0.0f, 1.0f);
}
void PitchChorus::setDepthScale(float scale) noexcept
{
    depthScale = clampFinite(scale, 0.0f, 2.0f);
}
void PitchChorus::setShape(int newShape) noexcept
{
    shape = std::clamp(newShape, 0, 6);
}
void PitchChorus::setRegen(float percent) noexcept
{
    regen = clampFinite(percent, 0.0f, 100.0f);
}
void PitchChorus::setVorl(float amount) noexcept
{
    vorl = clampFinite(amount, -100.0f, 100.0f);
}
void PitchChorus::setVorlCents(float cents) noexcept
{
    vorlCents = clampFinite(cents, 0.0f, 1200.0f);
}

void PitchChorus::setBend(bool on, float cents, bool up) noexcept
{
    bendOn = on;
    bendCents = clampFinite(cents, 0.0f, 1200.0f);
    bendUp = up;
}

void PitchChorus::setSync(bool isSynced, double ppqPosition, double tempoBpm, int noteValueIndex) noexcept
{
    synced = isSynced;
    ppq = std::isfinite(ppqPosition) ? ppqPosition : 0.0;
    bpm = tempoBpm > 0.0 && std::isfinite(tempoBpm) ? tempoBpm : 120.0;
    noteIndex = std::clamp(noteValueIndex, 0, kNumNoteValues - 1);
}

float PitchChorus::vibratoValue(int j, double lfoPhase, double position) const noexcept
{
    if (synced && shape >= 5)
    {
        // In sync the random sequence restarts at every 4-beat bar of the host.
        const double beats = bpm / 60.0 * j / sampleRate + ppq;
        const double bar = std::floor(beats * 0.25);
        const double p = (beats - 4.0 * bar) / kNoteBeats[static_cast<size_t>(noteIndex)];
        return shape == 5 ? rnd(static_cast<int64_t>(std::floor(p)), seed) : smoothRandom(p, seed);
    }
    if (!synced && !(rateHz > 0.0f))
        return 0.0f;
    if (shape == 6)
        return smoothRandom(position, seed);
    if (shape == 5)
        return rnd(static_cast<int64_t>(position), seed);
    return shapeValue(lfoPhase, shape);
}

void PitchChorus::planHeads(int first, int n, const BlockMotion& motion, HeadPlan& plan) noexcept
{
    // One spare slot each, so that an odd n still fills whole vectors. The recurrences run on
    // local copies: the members would make each sample wait for the last one's store.
    alignas(16) double vibratos[kChunk + 1];
    alignas(16) double bends[kChunk + 1];
    vibratos[n] = bends[n] = 0.0;
    double lfoPhase = phase, position = randomPosition, ramp = bendRamp, smoothed = bendSmoothed;
    // The sine shape's sines are taken a vector at a time after the loop, from their arguments.
    // The straight-line shapes are taken inline.
    const bool periodic = motion.vibratoOn && shape <= 4 && (synced || rateHz > 0.0f);
    const bool sineRow = periodic && shape == 0;
    for (int j = 0; j < n; ++j)
    {
        if (sineRow)
            vibratos[j] = sineShapeArgument(unitPhase(lfoPhase));
        else if (periodic)
            vibratos[j] = straightShapeValue(unitPhase(lfoPhase), shape) * motion.vibratoCents;
        else
            vibratos[j] =
                motion.vibratoOn ? vibratoValue(first + j, lfoPhase, position) * motion.vibratoCents : 0.0;

        if (synced)
        {
            const double cycles = (bpm / 60.0 * (first + j) / sampleRate + ppq) / motion.noteBeats;
            double p = cycles - std::floor(cycles);
            p -= std::floor(p); // a fraction just below 1 can round up to 1
            lfoPhase = p < 1.0 ? p : 0.0;
        }
        else
        {
            lfoPhase = advancePhase(lfoPhase, rateHz, sampleRate);
            position += rateHz / sampleRate;
        }

        bends[j] = 0.0;
        if (motion.bendActive)
        {
            ramp += motion.bendStep;
            if (ramp >= 1.0)
                ramp -= 1.0;
            const double target = bendUp ? bendCents * ramp : bendCents * (1.0 - ramp);
            smoothed += (target - smoothed) * motion.bendSmoothing;
            bends[j] = smoothed;
        }
    }
    phase = lfoPhase;
    randomPosition = position;
    bendRamp = ramp;
    bendSmoothed = smoothed;
    if (sineRow)
    {
        sineOfPaddedRow(vibratos, n); // leaves the spare slot at 0
        for (int j = 0; j < n; ++j)
            vibratos[j] = static_cast<float>(vibratos[j]) * motion.vibratoCents;
    }
    if (motion.vibratoOn)
        centsToRateDeviations(vibratos, n);
    if (motion.bendActive)
        centsToRateDeviations(bends, n);

    alignas(16) double angles[kChunk + 1];
    angles[n] = 0.0;
    const double halfWindow = window / 2.0;
    double delay = headDelay;
    int index = writeIndex;
    for (int j = 0; j < n; ++j)
    {
        delay -= vibratos[j] + motion.detune + motion.vorlPart + bends[j];
        if (delay < 0.0)
            delay += window;
        else if (delay >= window)
            delay -= window;

        double secondHead = delay + halfWindow;
        if (secondHead >= window)
            secondHead -= window;

        plan.first[j] = RingPosition::of(static_cast<double>(index) - delay, length);
        plan.second[j] = RingPosition::of(static_cast<double>(index) - secondHead, length);
        angles[j] = kPi * delay / window;
        index = index + 1 == length ? 0 : index + 1;
    }
    headDelay = delay;
    for (int j = 0; j < n; j += kLanes)
    {
        const DoubleBatch s = sineOfHalfTurn(DoubleBatch::load_aligned(angles + j));
        (s * s).store_aligned(angles + j);
    }
    for (int j = 0; j < n; ++j)
        plan.firstWeight[j] = static_cast<float>(angles[j]);
}

void PitchChorus::process(float* left, float* right, int n, float endMs) noexcept
{
    if (ringL.getLength() != length) // not prepared
        return;

    const auto feedback = static_cast<float>(regen / 100.0f * kRegenCeiling);
    BlockMotion motion{};
    motion.detune = centsToRateDeviation(detuneCents);
    motion.vorlPart = vorlLink ? centsToRateDeviation(vorl / 100.0 * vorlCents) : 0.0;
    motion.vibratoOn = depth > 0.0f && !bendOn;
    motion.vibratoCents = static_cast<double>(depth) * 50.0 * depthScale;
    motion.bendActive = bendOn && endMs > 0.0f && std::isfinite(endMs);
    motion.bendStep = 1.0 / std::max(sampleRate * endMs * 0.001, 1.0);
    motion.bendSmoothing = 1.0 - std::exp(-1.0 / (sampleRate * 0.008));
    motion.noteBeats = kNoteBeats[static_cast<size_t>(noteIndex)];

    const float* framesL = ringL.frames();
    const float* framesR = ringR.frames();
    const auto read = [](const float* frames, const RingPosition& p)
    {
        const float* x = frames + p.index;
        return catmullRom(x[-1], x[0], x[1], x[2], p.t);
    };

    // The loop's state lives in locals: the ring and audio stores could otherwise alias the float
    // members, which would then be read back from memory every sample.
    const float wetMix = mix;
    const bool inverted = wide;
    const int ringLength = length;
    float wetL = lastWetL, wetR = lastWetR;
    int at = writeIndex;

    HeadPlan plan;
    for (int start = 0; start < n; start += kChunk)
    {
        const int m = std::min(kChunk, n - start);
        writeIndex = at; // the heads are planned from the write position
        planHeads(start, m, motion, plan);

        for (int j = 0; j < m; ++j)
        {
            const int i = start + j;
            const float inL = left[i];
            const float inR = right[i];
            ringL.write(at, inL + feedback * wetL);
            ringR.write(at, inR + feedback * wetR);

            const float w = plan.firstWeight[j];
            const RingPosition& a = plan.first[j];
            const RingPosition& b = plan.second[j];
            const float yL = read(framesL, a) * w + read(framesL, b) * (1.0f - w);
            float yR = read(framesR, a) * w + read(framesR, b) * (1.0f - w);
            wetL = yL;
            wetR = yR;
            if (inverted)
                yR = -yR;

            left[i] = (1.0f - wetMix) * inL + wetMix * yL;
            right[i] = (1.0f - wetMix) * inR + wetMix * yR;

            at = at + 1 == ringLength ? 0 : at + 1;
        }
    }
    writeIndex = at;
    lastWetL = wetL;
    lastWetR = wetR;
}
} // namespace vorl
