#pragma once

#include "MathConstants.h"
#include "RowSine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vorl
{
// The tape dither's xorshift generator; the flutter takes its random targets from the same
// sequence.
inline uint32_t nextDither(uint32_t state) noexcept
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

// The wandering length of the tape flutter's short delay. It depends on no signal, so the tape
// stage works it out for a chunk of samples ahead of the signal, and takes the sines a vector at
// a time.
class FlutterWander
{
public:
    static constexpr int kChunk = 64;
    // The sweep only spends its first half cycle above pi, while the rate is still below 0.5, so
    // the offset stays under 1.25 x depth: about 380 samples at 192 kHz. The limit only matters
    // for rates far beyond that.
    static constexpr double kMaxOffset = 498.0;

    // The delay offsets of one chunk.
    struct Plan
    {
        double sweeps[kChunk + 3]; // room to round the length up to a multiple of 4
        double depthOfSine[kChunk];
        double offsets[kChunk];
    };

    void reset() noexcept
    {
        rate = 0.0;
        sweep = 0.0;
        target = 0.5;
    }

    // Sample i of a plan: the wandering rate eases towards its target, and each time the sweep
    // passes two pi a new target comes from the dither state, which advances once a sample.
    void step(Plan& plan, int i, double depth, double speed, uint32_t& dither) noexcept
    {
        plan.sweeps[i] = sweep;
        plan.depthOfSine[i] = depth * rate * rate;
        rate += (target - rate) * speed;
        sweep += rate * speed;
        if (sweep >= 2.0 * kPi)
        {
            sweep -= kPi;
            target = 0.24 + 0.74 * static_cast<double>(dither) / 4294967295.0;
        }
        dither = nextDither(dither);
    }

    // A plan of n samples (n <= kChunk).
    void plan(Plan& plan, int n, double depth, double speed, uint32_t& dither) noexcept
    {
        for (int i = 0; i < n; ++i)
            step(plan, i, depth, speed, dither);
        finish(plan, n, depth);
    }

    // The sines and offsets of a plan whose first n steps are taken.
    static void finish(Plan& plan, int n, double depth) noexcept
    {
        sineOfPaddedRow(plan.sweeps, n);
        for (int i = 0; i < n; ++i)
            plan.offsets[i] = std::clamp(depth + plan.depthOfSine[i] * plan.sweeps[i], 0.0, kMaxOffset);
    }

private:
    double rate = 0.0;
    double sweep = 0.0;
    double target = 0.5;
};
} // namespace vorl
