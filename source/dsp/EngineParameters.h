#pragma once

#include "LayoutDerivation.h"

#include <cstdint>

namespace vorl
{
// The raw parameter values the engine reads each block, each in its own range (what the
// parameter tree's raw values hold). Switches count as on above 0.5.
struct EngineParameterValues
{
    LayoutParameterValues layout;

    float hp = 434.59f;
    float lp = 656.65f;
    float mix = 80.0f;
    float mixByp = 0.0f;
    float mout = 0.0f;
    float spread = 7.5f;
    float sideOnly = 0.0f;
    float ppW = 0.0f;

    float tp = 0.0f;
    float tOd = 0.0f;
    float tBoost = 0.0f;
    float td = 50.0f;
    float sat = 100.0f;
    float flutter = 0.0f;
    float flutSpd = 50.0f;
    float tpWet = 100.0f;
    float tDarken = 25.0f;
    float headBump = 20.0f;

    float pitchOn = 0.0f;
    float pitchSync = 0.0f;
    float pitchWide = 1.0f;
    float pitch2x = 0.0f;
    float pitchCt = 0.0f;
    float pitchRt = 0.0f;
    float pitchDp = 0.0f;
    float pitchSh = 1.0f;
    float pitchMix = 100.0f;
    float pitchFbk = 0.0f;
    float pitchGLink = 0.0f;
    float pitchWLAmt = 30.0f;
    float pitchLB = 0.0f;

    float trem = 0.0f;
    float tremSync = 0.0f;
    float tremR = 753.0f;
    float tremD = 80.0f;
    float tremPh = 0.0f;
    float tremOff = 0.0f;
    float tremSh = 0.0f;
};

// Where the field for a parameter identifier lives, or null for parameters the engine does
// not read (fbk, ppOn, lk, tapCnt, which reaches the engine as a separate tap count).
float* engineFieldFor(EngineParameterValues& values, const char* parameterId) noexcept;

// What the host reported about its transport this block.
struct HostPosition
{
    bool available = false; // the host gave position information at all
    bool hasBpm = false;
    double bpm = 0.0;
    bool hasPpq = false;
    double ppq = 0.0;
    bool hasPlaying = false;
    bool playing = false;
};

// Inputs of one block besides the parameter values.
struct EngineBlockInputs
{
    int tapCount = 64;
    uint32_t stateVersion = 0;
    uint32_t tremoloSeed = 0;
    uint32_t waveSeed = 0;
    uint32_t pitchSeed = 0;
};
} // namespace vorl
