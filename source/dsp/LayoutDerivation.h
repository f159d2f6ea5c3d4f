#pragma once

#include "TapLayout.h"

#include <cstdint>

namespace vorl
{
// Raw values of the parameters the tap pattern depends on, each in its own range (slider units,
// percent, degrees; switches count as on above 0.5, choices are truncated).
struct LayoutParameterValues
{
    float s = 320.0f;  // Start, time curve or note value
    float e = 537.0f;  // End
    float fb = 757.0f; // Length, length curve
    float pd = 0.0f;   // Predelay in ms
    float io2x = 0.0f;
    float mu = 0.0f; // Tap Sync
    float rev = 0.0f;
    float flipped = 0.0f;
    float g = 0.0f; // Vorl
    float dcv = 50.636662f;
    float dc = 1.0f;
    float dcMode = 0.0f;
    float dcSteps = 4.0f;
    float dcFall = 25.0f;
    float wo = 0.0f;
    float waveSync = 0.0f;
    float lrs = 523.0f;
    float lfoDp = 70.0f;
    float lsh = 0.0f;
    float woPh = 0.0f;
    float woOff = 0.0f;
};

// What the user set (before Tap Flip) and what the layout is computed from (after it).
struct LayoutUserView
{
    TapLayoutInputs inputs; // Start/End and Vorl as the controls show them
    bool tapFlip = false;
};

struct DerivedLayout
{
    LayoutUserView userView;
    TapLayoutInputs inputs; // Start and End swapped and Vorl negated when Tap Flip is on
};

// tapCount is clamped to 1..300; a tempo that is not above 0 counts as 120 BPM.
DerivedLayout deriveLayoutInputs(const LayoutParameterValues& values, int tapCount, float tempoBpm,
                                 uint32_t waveSeed) noexcept;

// Spacing in ms for a Start or End value: the time curve (x4 with In/Out 4x), or a note value
// of the tempo under Tap Sync.
float spacingMs(float sliderValue, bool tapSync, bool times4, float tempoBpm) noexcept;

// How two successive user views differ, which decides how the voices follow the new layout.
struct LayoutChange
{
    bool structural = false; // timing of the pattern: voices crossfade
    bool gain = false;       // decay settings: gains ramp
    bool vorl = false;       // delays glide
    bool direction = false;  // Reverse or Tap Flip: the wet signal fades and voices jump

    bool any() const noexcept { return structural || gain || vorl || direction; }
};

LayoutChange classifyLayoutChange(const LayoutUserView& previous, const LayoutUserView& current) noexcept;

// The change reported when there is no previous view yet (the first block).
constexpr LayoutChange initialLayoutChange() noexcept
{
    return LayoutChange{true, true, true, false};
}
} // namespace vorl
