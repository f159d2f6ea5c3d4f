#include "Tremolo.h"

#include "LfoRandom.h"
#include "LfoShapes.h"
#include "NoteValues.h"
#include "RowSine.h"

#include <algorithm>
#include <cmath>

namespace vorl
{
namespace
{
double finiteOr(double value, double fallback) noexcept
{
    return std::isfinite(value) ? value : fallback;
}
} // namespace

void Tremolo::prepare(double newSampleRate) noexcept
{
    if (newSampleRate > 0.0 && std::isfinite(newSampleRate))
        sampleRate = static_cast<float>(newSampleRate);
    reset();
}

void Tremolo::reset() noexcept
{
    phase = 0.0;
    randomPosition = 0.0;
    gainL = gainR = 1.0f;
    primed = false;
}

void Tremolo::setRateHz(float hz) noexcept
{
    rateHz = hz > 0.0f && std::isfinite(hz) ? hz : 0.0f;
}

void Tremolo::setDepth(float newDepth) noexcept
{
    depth = newDepth > 0.0f ? std::min(newDepth, 1.0f) : 0.0f;
}

void Tremolo::setShape(int newShape) noexcept
{
    shape = std::clamp(newShape, 0, 6);
}

void Tremolo::setPhaseShift(float cycles) noexcept
{
    phaseShift = finiteOr(cycles, 0.0);
}

void Tremolo::setOffsetShift(float cycles) noexcept
{
    offsetShift = finiteOr(cycles, 0.0);
}

void Tremolo::setSync(bool isSynced, double ppqPosition, double tempoBpm, int noteValueIndex,
                      double phaseInBeats, float currentSampleRate) noexcept
{
    synced = isSynced;
    ppq = finiteOr(ppqPosition, 0.0);
    bpm = tempoBpm > 0.0 && std::isfinite(tempoBpm) ? tempoBpm : 120.0;
    noteIndex = std::clamp(noteValueIndex, 0, kNumNoteValues - 1);
    phaseBeats = finiteOr(phaseInBeats, 0.0);
    if (currentSampleRate > 0.0f && std::isfinite(currentSampleRate))
        sampleRate = currentSampleRate;
}

double Tremolo::wrapUnitFromOutside(double c) noexcept
{
    // A phase plus a shift lands within a cycle of the range: floor, a library call on baseline
    // x86-64, is then known.
    if (c >= 1.0 && c < 2.0)
        c -= 1.0;
    else if (c >= -1.0 && c < 0.0)
        c -= -1.0;
    else
        c -= std::floor(c);
    return c >= 1.0 ? 0.0 : c;
}

void Tremolo::process(float* left, float* right, int n) noexcept
{
    if (!(depth > 0.0f))
        return;

    const float smooth = 1.0f - std::exp(-1.0f / (sampleRate * 0.001f));
    const double beatsPerSample = bpm / 60.0 / sampleRate;
    const double noteBeats = kNoteBeats[static_cast<size_t>(noteIndex)];
    const double syncStartPhase = shapePhaseOffset(shape);
    const bool randomShape = shape >= 5;
    const double step = static_cast<double>(rateHz) / sampleRate;
    // The state lives in locals for the block: the audio stores could otherwise alias the float
    // members, which would then be stored and read back every sample.
    const int lfoShape = shape;
    const bool inSync = synced;
    const float amount = depth, rate = rateHz, rateOfSamples = sampleRate;
    double lfoPhase = phase, lfoPosition = randomPosition;
    float lfoGainL = gainL, lfoGainR = gainR;
    bool lfoPrimed = primed;

    // A chunk at a time: the LFO values first, the sines of the sine shape a vector at a time,
    // then the smoothed gains.
    constexpr int kChunk = 64;
    for (int start = 0; start < n; start += kChunk)
    {
        const int m = std::min(kChunk, n - start);
        float valuesL[kChunk], valuesR[kChunk];
        // The sine shape's arguments, left then right, rounded to float as the shape rounds them.
        alignas(32) double sineArguments[2 * kChunk];
        const bool sineRow = !randomShape && lfoShape == 0;

        for (int j = 0; j < m; ++j)
        {
            const double beats = beatsPerSample * (start + j) + ppq;
            if (randomShape)
            {
                // Random shapes ignore phase and offset; in sync the sequence restarts every bar.
                double position;
                if (inSync)
                {
                    const double bar = std::floor(beats * 0.25);
                    position = (beats - 4.0 * bar) / noteBeats;
                }
                else
                {
                    position = std::max(lfoPosition, 0.0);
                }
                valuesL[j] = lfoShape == 5 ? rnd(static_cast<int64_t>(std::floor(position)), seed)
                                           : smoothRandom(position, seed);
                valuesR[j] = valuesL[j];
            }
            else
            {
                double cL;
                if (inSync)
                {
                    const double x = (beats - phaseBeats) / noteBeats;
                    cL = wrapUnit(syncStartPhase + wrapUnit(x));
                }
                else
                {
                    cL = wrapUnit(lfoPhase + phaseShift);
                }
                const double cR = wrapUnit(cL + offsetShift);
                if (sineRow)
                {
                    sineArguments[j] = sineShapeArgument(cL);
                    sineArguments[m + j] = sineShapeArgument(cR);
                }
                else
                {
                    valuesL[j] = straightShapeValue(cL, lfoShape);
                    valuesR[j] = straightShapeValue(cR, lfoShape);
                }
            }

            if (!inSync)
            {
                lfoPosition += step;
                lfoPhase = advancePhase(lfoPhase, rate, rateOfSamples);
            }
        }

        if (sineRow)
        {
            sineOfPaddedRow(sineArguments, 2 * m);
            for (int j = 0; j < m; ++j)
            {
                valuesL[j] = static_cast<float>(sineArguments[j]);
                valuesR[j] = static_cast<float>(sineArguments[m + j]);
            }
        }

        for (int j = 0; j < m; ++j)
        {
            // 1 at the top of the LFO, 1 - depth at its bottom.
            const float targetL = 1.0f - (1.0f - (0.5f * valuesL[j] + 0.5f)) * amount;
            const float targetR = 1.0f - (1.0f - (0.5f * valuesR[j] + 0.5f)) * amount;
            if (lfoPrimed)
            {
                lfoGainL += (targetL - lfoGainL) * smooth;
                lfoGainR += (targetR - lfoGainR) * smooth;
            }
            else
            {
                lfoGainL = targetL;
                lfoGainR = targetR;
                lfoPrimed = true;
            }

            left[start + j] *= lfoGainL;
            right[start + j] *= lfoGainR;
        }
    }

    phase = lfoPhase;
    randomPosition = lfoPosition;
    gainL = lfoGainL;
    gainR = lfoGainR;
    primed = lfoPrimed;
}
} // namespace vorl
