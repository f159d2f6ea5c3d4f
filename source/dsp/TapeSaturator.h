#pragma once

#include "StereoLanes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>

namespace vorl
{
// Sine-series tape saturation. Fast slopes are blended towards a softened path made of running
// means; the number of cascaded means grows with the sample rate so the softening covers about
// the same time span at every rate. Value is double for one channel or StereoDouble for both
// channels at once, each lane with the single channel's bits.
template <class Value> class BasicTapeSaturator
{
public:
    // scale = sampleRate / 44100.
    void prepare(double newScale) noexcept;
    void clear() noexcept;

    // The result is rounded to single precision.
    Value process(Value x, double drive, double compensation) noexcept
    {
        return roundToFloat(processBeforeRounding(x, drive, compensation));
    }

    // The result before its final rounding to single precision, for a caller that rounds it on
    // its way into float arithmetic anyway.
    Value processBeforeRounding(Value x, double drive, double compensation) noexcept;

    int getCycles() const noexcept { return cycles; }

private:
    // Running means of 32, 16, 8, 4 and 2 samples; only the ones the rate needs are used, the
    // last one always.
    struct Cascade
    {
        std::array<Value, 32> m32{};
        std::array<Value, 16> m16{};
        std::array<Value, 8> m8{};
        std::array<Value, 4> m4{};
        // The two-sample mean sums its slots as (0 + first) + second. Whichever slot the new value
        // takes, that is (0 + previous) + new to the bit (0 + x only turns -0 into +0), so only
        // the first term is kept, and the new value waits for no store.
        Value previousPlusZero = Value(0.0);

        // Twice the cascade's output: the caller halves it, or folds the exact halving into a
        // factor it multiplies by anyway.
        Value runTwice(Value a, int cycles, int k) noexcept;
    };

    double scale = 1.0;
    double slopeToBlend = 0.24; // 2 x 0.12 x scale
    int cycles = 2;
    int k = 0;
    Value previousAverage = Value(0.0);
    Cascade inputSide, outputSide;
};

namespace tape_saturator
{
template <size_t N, class Value>
inline Value pushAndAverage(std::array<Value, N>& slots, int k, Value a) noexcept
{
    slots[static_cast<size_t>(k) % N] = a;
    Value sum(0.0);
    for (const Value& v : slots)
        sum += v;
    // N is a power of two: the product is the quotient, to the bit.
    return sum * (1.0 / static_cast<double>(N));
}
} // namespace tape_saturator

template <class Value>
inline Value BasicTapeSaturator<Value>::Cascade::runTwice(Value a, int c, int k) noexcept
{
    if (c > 31)
        a = tape_saturator::pushAndAverage(m32, k, a);
    if (c > 15)
        a = tape_saturator::pushAndAverage(m16, k, a);
    if (c > 7)
        a = tape_saturator::pushAndAverage(m8, k, a);
    if (c > 3)
        a = tape_saturator::pushAndAverage(m4, k, a);
    const Value sum = previousPlusZero + a;
    previousPlusZero = Value(0.0) + a;
    return sum;
}

template <class Value> inline void BasicTapeSaturator<Value>::prepare(double newScale) noexcept
{
    scale = newScale;
    slopeToBlend = 0.24 * scale;
    cycles = static_cast<int>(std::clamp(std::floor(2.0 * scale), 2.0, 32.0));
    clear();
}

template <class Value> inline void BasicTapeSaturator<Value>::clear() noexcept
{
    k = 0;
    previousAverage = Value(0.0);
    inputSide = Cascade{};
    outputSide = Cascade{};
}

// Every value that leaves this function, or that it keeps, goes through a rounding to float
// first, so the double arithmetic in between is arranged for a short chain of dependent steps
// (each sample of the tape stage waits on the one before): a different double rounding almost
// never moves the float result.
template <class Value>
inline Value BasicTapeSaturator<Value>::processBeforeRounding(Value x, double drive, double compensation) noexcept
{
    // At Tape In 0 the drive is 1, and the product would only add to the chain.
    Value d = drive != 1.0 ? x * drive : x;
    if constexpr (std::is_same_v<Value, double>)
        d = pick(magnitude(d) < 1.18e-23, 0.0, d);
    else
    {
        // Tiny values are rare: testing for them beside the chain keeps the select out of it.
        const auto tiny = magnitude(d) < Value(1.18e-23);
        if (xsimd::any(tiny))
            d = pick(tiny, Value(0.0), d);
    }
    if (k > 31)
        k = 0;

    const Value a = inputSide.runTwice(d, cycles, k) * 0.5;

    // 0 for slow signals, up to 2 for steep slopes.
    Value g = magnitude(previousAverage - d) * slopeToBlend;
    if (!allWithin(g, 2.0))
        g = minLikeStd(g, Value(2.0));
    previousAverage = a;

    // Beyond this the shortened sine series turns back down. Clamping the float in double
    // gives the same values as clamping it in float.
    constexpr auto kLimit = static_cast<double>(2.305929007734908f);
    Value v = roundToFloat(d + g * (a - d));
    if (!allWithin(v, kLimit))
        v = clampLikeStd(v, Value(-kLimit), Value(kLimit));

    // v - v^3/6 + v^5/69 - v^7/2530.08 + v^9/224985.6 - v^11/9979200, as v + v^3 p(v^2) with p
    // in Estrin's scheme.
    const Value z = v * v;
    const Value z2 = z * z;
    const Value v3 = v * z;
    const Value low = Value(-1.0 / 6.0) + Value(1.0 / 69.0) * z;
    const Value high = (Value(-1.0 / 2530.08) + Value(1.0 / 224985.6) * z) + Value(-1.0 / 9979200.0) * z2;
    const Value y = roundToFloat((v + v3 * low) + (v3 * z2) * high);

    // The blend y own + (twice the output side's mean) other; halving is exact, so it is folded
    // into other.
    const Value own = (1.0 - g) * compensation;
    const Value other = (g * compensation) * 0.5;
    const int step = k++;
    if (cycles <= 3)
    {
        // With only the two-sample mean the sum is previous + y, so the blend becomes
        // y (own + other) + previous other: one step shorter after y.
        const Value previous = outputSide.previousPlusZero;
        outputSide.previousPlusZero = Value(0.0) + y;
        return y * (own + other) + previous * other;
    }
    return y * own + outputSide.runTwice(y, cycles, step) * other;
}

// The single channel's code is compiled once, in TapeSaturator.cpp.
extern template class BasicTapeSaturator<double>;

// Both channels of the tape stage, inlined into its per-sample loop. Rounds lanes to float
// (StereoLanes.h): only for files built without GCC's SLP vectoriser.
using StereoTapeSaturator = BasicTapeSaturator<StereoDouble>;

// One channel.
class TapeSaturator
{
public:
    void prepare(double newScale) noexcept { core.prepare(newScale); }
    void clear() noexcept { core.clear(); }
    float process(double x, double drive, double compensation) noexcept
    {
        return static_cast<float>(core.process(x, drive, compensation));
    }
    int getCycles() const noexcept { return core.getCycles(); }

private:
    BasicTapeSaturator<double> core;
};
} // namespace vorl
