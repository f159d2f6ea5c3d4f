#pragma once

#include "MathConstants.h"
#include "StereoLanes.h"

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
// stage works it out for a chunk of samples ahead of the signal, and takes the sines a pair of
// samples at a time.
class FlutterWander
{
public:
    static constexpr int kChunk = 64;
    // The sweep only spends its first half cycle above pi, while the rate is still below 0.5, so
    // the offset stays under 1.25 x depth: about 380 samples at 192 kHz. The limit only matters
    // for rates far beyond that.
    static constexpr double kMaxOffset = 498.0;

    // The delay offsets of one chunk, with a spare slot for an odd length.
    struct Plan
    {
        alignas(16) double sweeps[kChunk + 1];
        double depthOfSine[kChunk + 1];
        double offsets[kChunk + 1];
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

    // Offsets i and i + 1 (i even) from their sweeps; a plan of odd length n finishes its last
    // sample with i = n - 1.
    static void finishPair(Plan& plan, int i, bool onlyOne, double depth) noexcept
    {
        if (onlyOne)
            plan.sweeps[i + 1] = plan.depthOfSine[i + 1] = 0.0;
        const StereoDouble at = StereoDouble::load_aligned(plan.sweeps + i);
        // The sweep stays below 2 pi unless the rate runs far beyond any real setting; then the
        // library's sine takes over, since xsimd's reduction of huge arguments is undefined in C++.
        const StereoDouble sine = xsimd::all(xsimd::abs(at) <= StereoDouble(1.0e4))
                                      ? xsimd::sin(at)
                                      : stereo(std::sin(lane(at, 0)), std::sin(lane(at, 1)));
        for (int k = 0; k < 2; ++k)
            plan.offsets[i + k] =
                std::clamp(depth + plan.depthOfSine[i + k] * lane(sine, k), 0.0, kMaxOffset);
    }

    // A whole plan of n samples at once.
    void plan(Plan& plan, int n, double depth, double speed, uint32_t& dither) noexcept
    {
        for (int i = 0; i < n; ++i)
            step(plan, i, depth, speed, dither);
        for (int i = 0; i < n; i += 2)
            finishPair(plan, i, i + 1 == n, depth);
    }

private:
    double rate = 0.0;
    double sweep = 0.0;
    double target = 0.5;
};
} // namespace vorl
