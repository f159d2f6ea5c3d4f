#include "LayoutDerivation.h"

#include "DecayCurve.h"
#include "NoteValues.h"
#include "ValueCurves.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vorl
{
namespace
{
bool isOn(float value) noexcept
{
    return value > 0.5f;
}
} // namespace

float spacingMs(float sliderValue, bool tapSync, bool times4, float tempoBpm) noexcept
{
    if (tapSync)
    {
        const int index = std::clamp(static_cast<int>(std::round(12.0f - sliderValue / 1000.0f * 12.0f)), 0,
                                     kNumNoteValues - 1);
        return 60000.0f / tempoBpm * kNoteBeats[static_cast<size_t>(index)];
    }
    return timeSliderToMs(sliderValue) * (times4 ? 4.0f : 1.0f);
}

DerivedLayout deriveLayoutInputs(const LayoutParameterValues& values, int tapCount, float tempoBpm,
                                 uint32_t waveSeed) noexcept
{
    const float tempo = tempoBpm > 0.0f && std::isfinite(tempoBpm) ? tempoBpm : 120.0f;
    const bool tapSync = isOn(values.mu);
    const bool times4 = isOn(values.io2x);

    TapLayoutInputs in;
    in.startMs = spacingMs(values.s, tapSync, times4, tempo);
    in.endMs = spacingMs(values.e, tapSync, times4, tempo);
    in.lengthMs = lengthSliderToMs(values.fb);
    in.predelayMs = values.pd;
    in.tapCount = std::clamp(tapCount, 1, kMaxTaps);
    in.vorl = values.g;
    in.reverse = isOn(values.rev);
    in.curve = decayCurveValue(values.dcv);
    in.decayMode = static_cast<int>(values.dcMode);
    in.decaySteps = static_cast<int>(values.dcSteps);
    in.decayFalloff = values.dcFall;
    in.dynamicSmoothing = isOn(values.dc);
    in.waveOn = isOn(values.wo);
    in.waveSync = isOn(values.waveSync);
    in.waveRateHz = rateSliderToHz(values.lrs);
    in.waveRateParam = values.lrs;
    in.waveDensity = values.lfoDp;
    in.waveShape = static_cast<int>(values.lsh);
    in.wavePhaseDeg = values.woPh;
    in.waveOffsetDeg = values.woOff;
    in.waveSeed = waveSeed;
    in.tempoBpm = tempo;

    DerivedLayout derived;
    derived.userView.inputs = in;
    derived.userView.tapFlip = isOn(values.flipped);
    if (derived.userView.tapFlip)
    {
        std::swap(in.startMs, in.endMs);
        in.vorl = -in.vorl;
    }
    derived.inputs = in;
    return derived;
}

LayoutChange classifyLayoutChange(const LayoutUserView& previous, const LayoutUserView& current) noexcept
{
    const TapLayoutInputs& a = previous.inputs;
    const TapLayoutInputs& b = current.inputs;

    LayoutChange change;
    change.structural = a.predelayMs != b.predelayMs || a.lengthMs != b.lengthMs || a.startMs != b.startMs ||
                        a.endMs != b.endMs || a.tapCount != b.tapCount || a.waveOn != b.waveOn ||
                        a.waveRateHz != b.waveRateHz || a.waveShape != b.waveShape ||
                        a.waveDensity != b.waveDensity || a.wavePhaseDeg != b.wavePhaseDeg ||
                        a.waveOffsetDeg != b.waveOffsetDeg || a.waveSeed != b.waveSeed ||
                        a.waveSync != b.waveSync;
    // A synced wave follows the tempo and the note value picked by the raw rate.
    if (b.waveSync && (a.tempoBpm != b.tempoBpm || a.waveRateParam != b.waveRateParam))
        change.structural = true;

    change.gain = a.dynamicSmoothing != b.dynamicSmoothing || a.curve != b.curve ||
                  a.decayMode != b.decayMode || a.decaySteps != b.decaySteps ||
                  a.decayFalloff != b.decayFalloff;
    change.vorl = a.vorl != b.vorl;
    change.direction = a.reverse != b.reverse || previous.tapFlip != current.tapFlip;
    return change;
}
} // namespace vorl
