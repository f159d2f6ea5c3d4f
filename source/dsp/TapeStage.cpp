#include "TapeStage.h"
#include "MathConstants.h"
#include "StereoTrig.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace vorl
{
namespace
{
double percentToUnit(float percent) noexcept
{
    const double p = static_cast<double>(percent) / 100.0;
    return p > 0.0 ? std::min(p, 1.0) : 0.0; // also maps NaN to 0
}

// 2^(e + 62) for the exponent e that std::frexp gives x. Normal floats take it from their bits,
// saving two library calls per sample; zero, subnormals, infinities and NaN ask the library.
double ditherScale(float x) noexcept
{
    uint32_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    const int biased = static_cast<int>((bits >> 23) & 0xffu);
    int exponent = biased - 126;
    if (biased == 0 || biased == 255)
    {
        exponent = 0;
        std::frexp(x, &exponent);
    }
    const uint64_t scaleBits = static_cast<uint64_t>(exponent + 62 + 1023) << 52;
    double scale = 0.0;
    std::memcpy(&scale, &scaleBits, sizeof scale);
    return scale;
}

template <class Value> Value softClipLanes(Value y, Value& last) noexcept
{
    const Value a(0.3819660112501051); // 1 - 1/golden ratio
    const Value c(0.6118536488623959); // 0.99 * (1 - a)
    const Value ceiling(0.99);
    // Below the ceiling now and a sample ago, the usual case, every step below keeps y.
    if constexpr (!std::is_same_v<Value, double>)
        if (xsimd::all(xsimd::abs(y) < ceiling && xsimd::abs(last) < ceiling))
        {
            last = y;
            return y;
        }
    last = pick(last >= ceiling, pick(y < ceiling, a * y + c, ceiling), last);
    last = pick(last <= -ceiling, pick(y > -ceiling, a * y - c, -ceiling), last);
    y = pick(y > ceiling, pick(last < ceiling, a * last + c, ceiling), y);
    y = pick(y < -ceiling, pick(last > -ceiling, a * last - c, -ceiling), y);
    last = y;
    return clampLikeStd(y, -ceiling, ceiling);
}
} // namespace

void TapeStage::prepare(double newSampleRate) noexcept
{
    if (newSampleRate > 0.0 && std::isfinite(newSampleRate))
        sampleRate = static_cast<float>(newSampleRate);
    scale = static_cast<double>(sampleRate) / 44100.0;
    saturator.prepare(scale);

    // One-pole split at 150 Hz.
    splitCoef = 1.0 - std::exp(-942.4777960769379 / static_cast<double>(sampleRate));

    designHeadBump();
    reset();
}

void TapeStage::reset() noexcept
{
    flutterRing.fill(StereoDouble(0.0));
    flutterIndex = kFlutterLength - 1;
    flutterWander.reset();

    bumpNext = bumpWaiting = BumpLanes{};

    lowpass.s1 = lowpass.s2 = StereoFloat(0.0f);
    low = clipLast = StereoDouble(0.0);
    fpd.fill(1u);
    dryRing.fill(StereoDouble(0.0));
    dryIndex = 0;

    saturator.clear();
}

void TapeStage::designHeadBump() noexcept
{
    // Band-pass centred near 309 Hz at every rate.
    const double f = 0.007 / scale;
    const double reso = 0.0009;
    const double k = std::tan(kPi * f);
    const double norm = 1.0 / (1.0 + k / reso + k * k);
    bumpFilter.a0 = k / reso * norm; // a1 = 0, a2 = -a0
    bumpFilter.b1 = 2.0 * (k * k - 1.0) * norm;
    bumpFilter.b2 = (1.0 - k / reso + k * k) * norm;
}

void TapeStage::setOdMode(bool on) noexcept
{
    if (on != odMode)
        saturator.clear();
    odMode = on;
}

void TapeStage::setInputAmount(float percent) noexcept
{
    inputAmount = std::isfinite(percent) ? percent : 0.0;
    odSoftness = std::max(0.06, (1.0 - std::clamp(inputAmount, 0.0, 100.0) / 100.0) * 0.3);
}

void TapeStage::setLpfAmount(float percent) noexcept
{
    lpfAmount = percentToUnit(percent);
}
void TapeStage::setHeadBump(float percent) noexcept
{
    headBump = percentToUnit(percent);
}
void TapeStage::setFlutter(float percent) noexcept
{
    flutter = percentToUnit(percent);
}

void TapeStage::setFlutterSpeed(float percent) noexcept
{
    const double p = std::isfinite(percent) ? percent : 50.0;
    flutterSpeed = std::clamp(0.8 * std::pow(4.0, (p - 50.0) / 50.0), 0.2, 3.2);
}

void TapeStage::setOutputAmount(float percent) noexcept
{
    outputAmount = percentToUnit(percent);
}
void TapeStage::setMix(float percent) noexcept
{
    mix = percentToUnit(percent);
}

double TapeStage::softClip(double y, double& last) noexcept
{
    return softClipLanes(y, last);
}

void TapeStage::StereoLowpass::setCoefficients(const Biquad::Coefficients& c) noexcept
{
    b0 = StereoFloat(c.b0);
    b1 = StereoFloat(c.b1);
    b2 = StereoFloat(c.b2);
    a1 = StereoFloat(c.a1);
    a2 = StereoFloat(c.a2);
}

inline StereoDouble TapeStage::runHeadBump(const BumpFilter& filter, BumpLanes& set, const StereoDouble& x,
                                           const StereoDouble& softening, const StereoDouble& mix) noexcept
{
    StereoDouble h = x * 0.05 + set.state;
    h -= (h * h) * (h * softening);
    // The band-pass's feed-forward is a0 (1 - z^-2): only a0 sin(h) enters it.
    const StereoDouble scaledSine = stereoScaledSin(h, StereoDouble(filter.a0));
    const StereoDouble y = scaledSine + set.s1;
    set.s1 = set.s2 - filter.b1 * y;
    set.s2 = -scaledSine - filter.b2 * y;
    StereoDouble mixed;
    set.state = stereoAsinClampedAndScaled(y, mix, mixed);
    return mixed;
}

void TapeStage::process(float* left, float* right, int n) noexcept
{
    Biquad lowpassDesign;
    lowpassDesign.design(BiquadType::lowPass, static_cast<float>(2000.0 * std::pow(6.0, lpfAmount)), sampleRate);
    lowpass.setCoefficients(lowpassDesign.getCoefficients());

    const double flutterDepth = flutter * flutter * scale * 70.0;
    const double flutterStep = flutter * flutter * 0.0024 / scale * flutterSpeed;
    const double outputGain = std::pow(10.0, (outputAmount - 0.5) * 12.0 / 20.0);
    const double b = std::clamp(inputAmount, 0.0, 100.0) / 100.0;
    const double drive = std::pow(10.0, b);
    const double compensation = std::pow(0.7006, b * b) * std::pow(0.5, b);
    const StereoDouble bumpMix(headBump * 0.25);
    const StereoDouble bumpSoftening(0.12 / scale);
    const StereoDouble softness(odSoftness);
    constexpr double kMostBleed = 0.00013;

    // Everything the per-sample chain carries stays in registers for the block. The filter set
    // that runs next swaps places with the waiting one after every sample.
    BumpLanes next = bumpNext;
    BumpLanes waiting = bumpWaiting;
    StereoLowpass lowpassLanes = lowpass;

    // The flutter's random targets come from the left dither state, which advances once a sample.
    // The first chunk's flutter is planned here; every later chunk's steps are taken inside the
    // loop of the chunk before, where they cost nothing beside the feedback chain.
    FlutterWander::Plan* flutterPlan = &flutterPlans[0];
    FlutterWander::Plan* upcomingPlan = &flutterPlans[1];
    uint32_t planDither = fpd[0];
    if (flutterDepth != 0.0)
        flutterWander.plan(*flutterPlan, std::min(kChunk, n), flutterDepth, flutterStep, planDither);

    float* io[2] = {left, right};
    for (int start = 0; start < n; start += kChunk)
    {
        const int m = std::min(kChunk, n - start);
        const int upcomingLength = flutterDepth != 0.0 ? std::min(kChunk, n - start - m) : 0;

        for (int j = 0; j < m; ++j)
        {
            const int i = start + j;
            StereoDouble x = stereo(left[i], right[i]);

            // Keeps the recursive parts away from denormals.
            const StereoMask tiny = magnitude(x) < StereoDouble(1.18e-23);
            if (xsimd::any(tiny))
                x = pick(tiny, stereo(fpd[0] * 1.18e-17, fpd[1] * 1.18e-17), x);

            const StereoDouble dry = dryRing[static_cast<size_t>(dryIndex)];
            dryRing[static_cast<size_t>(dryIndex)] = x;
            dryIndex = (dryIndex + 1) & 7;

            // The lows below about 150 Hz are removed and not added back.
            low += (x - low) * splitCoef;
            x -= low;

            // Flutter: a short delay whose length wanders with a random-walk rate.
            if (flutterIndex < 0 || flutterIndex >= kFlutterLength)
                flutterIndex = kFlutterLength - 1;
            flutterRing[static_cast<size_t>(flutterIndex)] = x;
            if (flutterDepth != 0.0)
            {
                // The offset is clamped to [0, 498]: truncation is its floor.
                const double offset = flutterPlan->offsets[j];
                const double whole = static_cast<double>(static_cast<int>(offset));
                const double t = offset - whole;
                int i0 = flutterIndex + static_cast<int>(whole);
                if (i0 >= kFlutterLength)
                    i0 -= kFlutterLength;
                const int i1 = i0 + 1 == kFlutterLength ? 0 : i0 + 1;
                x = flutterRing[static_cast<size_t>(i0)] * (1.0 - t) +
                    flutterRing[static_cast<size_t>(i1)] * t;
            }
            --flutterIndex;
            if (j < upcomingLength)
                flutterWander.step(*upcomingPlan, j, flutterDepth, flutterStep, planDither);

            // Head bump: the two filter sets take turns, both are added back.
            // The sum is rounded to float next; the waiting set's share is added first because
            // it is known earlier.
            const StereoDouble withWaiting = x + waiting.state * bumpMix;
            const StereoDouble nextMixed = runHeadBump(bumpFilter, next, x, bumpSoftening, bumpMix);
            const StereoDouble in = roundToFloat(withWaiting + nextMixed);
            // Ready long before the bleed, which waits for the saturator and the lowpass.
            const bool statesBeyondBleed = xsimd::all(magnitude(next.state) > StereoDouble(kMostBleed) &&
                                                      magnitude(waiting.state) > StereoDouble(kMostBleed));
            const StereoDouble nextTowardsZero = StereoDouble(kMostBleed) ^ xsimd::bitofsign(next.state);
            const StereoDouble waitingTowardsZero =
                StereoDouble(kMostBleed) ^ xsimd::bitofsign(waiting.state);
            StereoDouble y;
            if (odMode)
            {
                // sign(in) * rise, and 0 for a zero or NaN input. The sign and the mask are ready
                // while the square root runs, so only a sign flip and a select follow it.
                const StereoDouble zero(0.0);
                const StereoDouble rise =
                    maxLikeStd(xsimd::sqrt(magnitude(in) + softness * softness) - softness, zero);
                const StereoDouble signOfIn = xsimd::bitofsign(in);
                const StereoMask nonZero = in > zero || in < zero;
                y = pick(nonZero, rise ^ signOfIn, zero);
            }
            else
            {
                // Rounded to float by the lowpass.
                y = saturator.processBeforeRounding(in, drive, compensation);
            }

            y = lowpassLanes.process(y);

            // Head bump bleed: the states drift back towards zero by an amount that shrinks with
            // level, and stay where they are when they are closer to zero than that.
            if (allWithin(y, 1.0) && statesBeyondBleed)
            {
                // The usual case: the bleed (1 - |y|) kMostBleed lies in [0, kMostBleed], so each
                // state moves by it towards zero: state - t + |y| t for t = kMostBleed with the
                // state's sign, where state - t is ready before y.
                const StereoDouble level = magnitude(y);
                next.state = (next.state - nextTowardsZero) + level * nextTowardsZero;
                waiting.state = (waiting.state - waitingTowardsZero) + level * waitingTowardsZero;
            }
            else
            {
                // (-state > bleed is state < -bleed, without negating bleed in the chain.)
                const StereoDouble bleed = (1.0 - magnitude(y)) * kMostBleed;
                for (StereoDouble* state : {&next.state, &waiting.state})
                    *state =
                        pick(*state > bleed, *state - bleed, pick(-*state > bleed, *state + bleed, *state));
            }
            std::swap(next, waiting);

            if (outputGain != 1.0)
                y *= outputGain;

            y = softClipLanes(y, clipLast);

            if (mix != 1.0)
                y = mix * y + (1.0 - mix) * dry;

            // Dither scaled to the float exponent of the result.
            for (int ch = 0; ch < 2; ++ch)
            {
                double out = lane(y, ch);
                const double scaleOfResult = ditherScale(static_cast<float>(out));
                uint32_t& state = fpd[static_cast<size_t>(ch)];
                state = nextDither(state);
                out += (static_cast<double>(state) - 2147483647.0) * 5.5e-36 * scaleOfResult;
                io[ch][i] = static_cast<float>(out);
            }
        }

        if (upcomingLength > 0)
        {
            FlutterWander::finish(*upcomingPlan, upcomingLength, flutterDepth);
            std::swap(flutterPlan, upcomingPlan);
        }
    }

    bumpNext = next;
    bumpWaiting = waiting;
    lowpass = lowpassLanes;
}
} // namespace vorl
