// One block's worth of random automation of every value the engine reads, for stress runs: random
// layout, filters, mix, effects and their switches, tap count, occasional state changes and a
// host transport that comes and goes.
#pragma once

#include "EngineParameters.h"

#include <cmath>
#include <random>

namespace vorl::test
{
inline void randomiseEngineBlock(std::mt19937& rng, EngineParameterValues& params, EngineBlockInputs& inputs,
                                 HostPosition& position, double ppq)
{
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    params.layout = {1000 * unit(rng),
                     1000 * unit(rng),
                     1000 * unit(rng),
                     2000 * unit(rng),
                     unit(rng),
                     unit(rng),
                     unit(rng),
                     unit(rng),
                     200 * unit(rng) - 100,
                     400 * unit(rng) - 100,
                     unit(rng),
                     2.99f * unit(rng),
                     1 + 15 * unit(rng),
                     40 * unit(rng),
                     unit(rng),
                     unit(rng),
                     1000 * unit(rng),
                     100 * unit(rng),
                     7.99f * unit(rng),
                     360 * unit(rng) - 180,
                     360 * unit(rng) - 180};
    params.hp = 1000 * unit(rng);
    params.lp = 1000 * unit(rng);
    params.mix = 100 * unit(rng);
    params.mout = 66 * unit(rng) - 60;
    params.spread = 15 * unit(rng);
    params.sideOnly = unit(rng);
    params.ppW = 100 * unit(rng);
    for (float* p : {&params.tp, &params.tOd, &params.pitchOn, &params.pitchSync, &params.pitchWide,
                     &params.pitch2x, &params.pitchGLink, &params.trem, &params.tremSync})
        *p = unit(rng);
    for (float* p : {&params.tBoost, &params.td, &params.sat, &params.flutter, &params.flutSpd, &params.tpWet,
                     &params.tDarken, &params.headBump, &params.pitchDp, &params.pitchMix, &params.pitchFbk,
                     &params.tremD})
        *p = 100 * unit(rng);
    params.pitchCt = 100 * unit(rng) - 50;
    params.pitchRt = 1000 * unit(rng);
    params.pitchSh = 6.99f * unit(rng);
    params.pitchWLAmt = 1200 * unit(rng);
    params.pitchLB = std::round(24 * unit(rng) - 12) * 100;
    params.tremR = 1000 * unit(rng);
    params.tremPh = 360 * unit(rng) - 180;
    params.tremOff = 360 * unit(rng) - 180;
    params.tremSh = 7.99f * unit(rng);
    inputs.tapCount = 1 + (int)(64 * unit(rng)) % 64;
    inputs.stateVersion += unit(rng) < 0.05f ? 1u : 0u;
    position.available = unit(rng) < 0.8f;
    position.hasBpm = position.hasPpq = position.hasPlaying = true;
    position.bpm = 40.0 + 200.0 * unit(rng);
    position.ppq = ppq;
    position.playing = unit(rng) < 0.7f;
}
} // namespace vorl::test
