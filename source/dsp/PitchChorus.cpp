#include "PitchChorus.h"
#include "MathConstants.h"

#include "CubicReader.h"
#include "LfoRandom.h"
#include "LfoShapes.h"
#include "NoteValues.h"

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

float PitchChorus::vibratoValue(int j) const noexcept
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
        return smoothRandom(randomPosition, seed);
    if (shape == 5)
        return rnd(static_cast<int64_t>(randomPosition), seed);
    return shapeValue(phase, shape);
}

float PitchChorus::read(const SeamlessRing& ring, double delay) const noexcept
{
    return readSeamlessCubic(ring.frames(), length, static_cast<double>(writeIndex) - delay);
}

void PitchChorus::process(float* left, float* right, int n, float endMs) noexcept
{
    if (ringL.getLength() != length) // not prepared
        return;

    const auto feedback = static_cast<float>(regen / 100.0f * kRegenCeiling);
    const double detune = centsToRateDeviation(detuneCents);
    const double vorlPart = vorlLink ? centsToRateDeviation(vorl / 100.0 * vorlCents) : 0.0;
    const bool vibratoOn = depth > 0.0f && !bendOn;
    const double vibratoCents = static_cast<double>(depth) * 50.0 * depthScale;
    const bool bendActive = bendOn && endMs > 0.0f && std::isfinite(endMs);
    const double bendStep = 1.0 / std::max(sampleRate * endMs * 0.001, 1.0);
    const double bendSmoothing = 1.0 - std::exp(-1.0 / (sampleRate * 0.008));
    const double noteBeats = kNoteBeats[static_cast<size_t>(noteIndex)];
    const double halfWindow = window / 2.0;

    for (int j = 0; j < n; ++j)
    {
        const float inL = left[j];
        const float inR = right[j];
        ringL.write(writeIndex, inL + feedback * lastWetL);
        ringR.write(writeIndex, inR + feedback * lastWetR);

        const double vibrato = vibratoOn ? centsToRateDeviation(vibratoValue(j) * vibratoCents) : 0.0;

        if (synced)
        {
            const double cycles = (bpm / 60.0 * j / sampleRate + ppq) / noteBeats;
            double p = cycles - std::floor(cycles);
            p -= std::floor(p); // a fraction just below 1 can round up to 1
            phase = p < 1.0 ? p : 0.0;
        }
        else
        {
            phase = advancePhase(phase, rateHz, sampleRate);
            randomPosition += rateHz / sampleRate;
        }

        double bend = 0.0;
        if (bendActive)
        {
            bendRamp += bendStep;
            if (bendRamp >= 1.0)
                bendRamp -= 1.0;
            const double target = bendUp ? bendCents * bendRamp : bendCents * (1.0 - bendRamp);
            bendSmoothed += (target - bendSmoothed) * bendSmoothing;
            bend = centsToRateDeviation(bendSmoothed);
        }

        headDelay -= vibrato + detune + vorlPart + bend;
        if (headDelay < 0.0)
            headDelay += window;
        else if (headDelay >= window)
            headDelay -= window;

        double secondHead = headDelay + halfWindow;
        if (secondHead >= window)
            secondHead -= window;

        const double s = std::sin(kPi * headDelay / window);
        const auto w = static_cast<float>(s * s);

        const float yL = read(ringL, headDelay) * w + read(ringL, secondHead) * (1.0f - w);
        float yR = read(ringR, headDelay) * w + read(ringR, secondHead) * (1.0f - w);
        lastWetL = yL;
        lastWetR = yR;
        if (wide)
            yR = -yR;

        left[j] = (1.0f - mix) * inL + mix * yL;
        right[j] = (1.0f - mix) * inR + mix * yR;

        writeIndex = writeIndex + 1 == length ? 0 : writeIndex + 1;
    }
}
} // namespace vorl
