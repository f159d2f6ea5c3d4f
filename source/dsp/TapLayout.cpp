#include "TapLayout.h"

#include "DecayCurve.h"
#include "LfoRandom.h"
#include "NoteValues.h"
#include "WaveValue.h"

#include <algorithm>
#include <cmath>

namespace vorl
{
namespace
{
constexpr float kLineMs = 15000.0f;
constexpr int kMaxPlacementIterations = 600;
constexpr int kGrowthBisectionRounds = 30;
constexpr float kGrowthMax = 0.3f;

// Lays a pattern out with gaps of at least u and at least K times the distance already
// covered from base, never moving a time earlier; returns the extent of the result.
float simulateGaps(const float* x, int n, float base, float u, float growth) noexcept
{
    if (n < 2)
        return 0.0f;
    float prev = base;
    float first = 0.0f;
    for (int i = 0; i < n; ++i)
    {
        const float cand = prev + std::max((prev - base) * growth, u);
        float y = cand > x[i] ? cand : x[i];
        y = std::max(y, 0.0f);
        if (i == 0)
            first = y;
        prev = y;
    }
    return prev - first;
}

// Largest growth factor in [0, 0.3] that does not make the pattern longer than it was.
float growthFactor(float v, const float* x, int n, float base, float u) noexcept
{
    if (v == 0.0f || n < 2)
        return 0.0f;
    const float extent = x[n - 1] - x[0];
    if (extent <= 0.0f || simulateGaps(x, n, base, u, 0.0f) > extent)
        return 0.0f;
    float lo = 0.0f;
    float hi = kGrowthMax;
    for (int round = 0; round < kGrowthBisectionRounds; ++round)
    {
        const float mid = (hi + lo) / 2.0f;
        if (simulateGaps(x, n, base, u, mid) > extent)
            hi = mid;
        else
            lo = mid;
    }
    return lo;
}

int noteIndexFor(float sliderValue) noexcept
{
    return std::clamp(static_cast<int>(std::round(sliderValue / 1000.0f * 12.0f)), 0, kNumNoteValues - 1);
}

// Gain of tap j from the decay curve and decay mode, before falloff and smoothing.
float decayModeGainOfTap(const TapLayoutInputs& in, int j, float x) noexcept
{
    return j == 0 ? 1.0f : decayModeGain(x, in.curve, in.decayMode, in.decaySteps);
}
} // namespace

void TapLayout::compute(const TapLayoutInputs& in, TapLayoutResult& out) noexcept
{
    out.count = 0;
    if (!(in.lengthMs > 0.0f))
        return;
    placeRawTaps(in, out);
    shapeAndSpace(in, out);
    assignGains(in, out);
}

void TapLayout::placeRawTaps(const TapLayoutInputs& in, TapLayoutResult& out) const noexcept
{
    const int n = std::clamp(in.tapCount, 0, kMaxTaps);
    const float minSpacing = 4.0f * std::min(static_cast<float>(n) / 64.0f, 1.0f);

    float rate = in.waveRateHz;
    float phaseCycles = 0.0f;
    if (in.waveSync)
    {
        rate = (in.tempoBpm / 60.0f) / kNoteBeats[static_cast<size_t>(noteIndexFor(in.waveRateParam))];
        phaseCycles = shapePhaseOffset(in.waveShape);
    }

    const float end = in.predelayMs + in.lengthMs;
    float cursor = in.predelayMs;
    for (int iteration = 0; out.count < n && iteration < kMaxPlacementIterations; ++iteration)
    {
        TapRecord& tap = out.taps[static_cast<size_t>(out.count)];
        tap.timeMs = std::max(cursor, 0.0f);
        tap.gain = 0.0f;
        tap.stereoOffset = 0.0f;
        ++out.count;

        const float t = std::clamp((cursor - in.predelayMs) / std::max(in.lengthMs, 1.0f), 0.0f, 1.0f);
        float spacing = std::max(in.startMs + t * (in.endMs - in.startMs), minSpacing);

        if (in.waveOn)
        {
            const float y1 = waveValue(cursor - (in.wavePhaseDeg / 360.0f) / rate * 1000.0f, rate,
                                       in.waveShape, in.waveDensity, in.waveSeed, phaseCycles);
            spacing = std::max((1.0f + y1) * spacing, minSpacing);
            const float y2 =
                waveValue(cursor + ((in.waveOffsetDeg - in.wavePhaseDeg) / 360.0f) / rate * 1000.0f, rate,
                          in.waveShape, in.waveDensity, in.waveSeed, phaseCycles);
            tap.stereoOffset = y2 - y1;
        }

        cursor += spacing;
        if (cursor >= end)
            break;
    }
}

void TapLayout::shapeAndSpace(const TapLayoutInputs& in, TapLayoutResult& out) noexcept
{
    const int count = out.count;
    const float pd = in.predelayMs;
    const float v = std::clamp(in.vorl / 100.0f, -1.0f, 1.0f);
    const float a = std::fabs(v);
    const float span = std::min(kLineMs - pd - 1.0f, in.lengthMs);
    const float u = v != 0.0f ? std::max(4.0f - 3.6f * a - 0.25f * a * a, 0.15f) : 4.0f;
    const float p = 1.0f + 0.8f * a + 3.6f * a * a;

    for (int j = 0; j < count; ++j)
    {
        const float raw = out.taps[static_cast<size_t>(j)].timeMs;
        rawTimes[static_cast<size_t>(j)] = raw;
        const float t = std::clamp((raw - pd) / std::max(in.lengthMs, 1.0f), 0.0f, 1.0f);
        const float bent = v > 0.0f ? 1.0f - std::pow(1.0f - t, p) : std::pow(t, p);
        shapedTimes[static_cast<size_t>(j)] = pd + span * bent;
    }

    const float patternEnd = pd + span;
    if (v > 0.0f)
    {
        // Gaps are measured back from the end of the span, where positive Vorl leaves room.
        for (int j = 0; j < count; ++j)
            mirroredDistances[static_cast<size_t>(j)] =
                patternEnd - shapedTimes[static_cast<size_t>(count - 1 - j)];
        const float growth = growthFactor(v, mirroredDistances.data(), count, 0.0f, u);
        float prev = 0.0f;
        for (int j = 0; j < count; ++j)
        {
            float& d = mirroredDistances[static_cast<size_t>(j)];
            const float cand = prev + std::max(prev * growth, u);
            d = std::max(cand > d ? cand : d, 0.0f);
            prev = d;
            finalTimes[static_cast<size_t>(count - 1 - j)] = std::max(patternEnd - d, 0.0f);
        }
    }
    else
    {
        const float growth = growthFactor(v, shapedTimes.data(), count, pd, u);
        float prev = pd;
        for (int j = 0; j < count; ++j)
        {
            float val = shapedTimes[static_cast<size_t>(j)];
            if (!(j == 0 && v == 0.0f))
            {
                const float cand = prev + std::max((prev - pd) * growth, u);
                val = cand > val ? cand : val;
            }
            prev = std::max(val, 0.0f);
            finalTimes[static_cast<size_t>(j)] = prev;
        }
    }

    // The gap rule can push taps past the end of the line; hold them at the last readable time.
    for (int j = 0; j < count; ++j)
        finalTimes[static_cast<size_t>(j)] = std::min(finalTimes[static_cast<size_t>(j)], kMaxTapTimeMs);

    if (in.reverse && count > 0)
    {
        // Taps pushed past the pattern end would mirror to negative times: they sit at 0.
        for (int j = 0; j < count; ++j)
        {
            finalTimes[static_cast<size_t>(j)] =
                std::max(patternEnd - finalTimes[static_cast<size_t>(j)], 0.0f);
            rawTimes[static_cast<size_t>(j)] = patternEnd - rawTimes[static_cast<size_t>(j)];
        }
    }

    for (int j = 0; j < count; ++j)
        out.taps[static_cast<size_t>(j)].timeMs = finalTimes[static_cast<size_t>(j)];
}

void TapLayout::assignGains(const TapLayoutInputs& in, TapLayoutResult& out) const noexcept
{
    const int count = out.count;
    if (count <= 0)
        return;
    const float v = std::clamp(in.vorl / 100.0f, -1.0f, 1.0f);
    // Spacing reference for dynamic smoothing: the unbent pattern when Vorl bends it.
    const float* spacingRef = v != 0.0f ? rawTimes.data() : finalTimes.data();

    const float avg =
        count >= 2 ? (spacingRef[count - 1] - spacingRef[0]) / static_cast<float>(count - 1) : in.startMs;
    const float xDenominator = static_cast<float>(std::max(count, 2) - 1);
    const float posDenominator = count == 1 ? 1.0f : static_cast<float>(count - 1);

    for (int j = 0; j < count; ++j)
    {
        const auto jf = static_cast<float>(j);
        const float f = decayModeGainOfTap(in, j, jf / xDenominator);

        const float pos = jf / posDenominator;
        float gain = f * falloffEnvelope(pos, in.decayFalloff);
        if (in.dynamicSmoothing && count > 1)
        {
            const float d =
                j < count - 1 ? spacingRef[j + 1] - spacingRef[j] : spacingRef[j] - spacingRef[j - 1];
            gain *= std::min(std::pow(std::max(d, 1.0f) / std::max(avg, 1.0f), 0.62f), 1.8f);
        }
        out.taps[static_cast<size_t>(j)].gain = std::clamp(gain, 0.0f, 1.8f);
    }
}
} // namespace vorl
