#include "TapeStage.h"
#include "MathConstants.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vorl
{
namespace
{
constexpr double kTwoPi = 2.0 * kPi;

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
} // namespace

void TapeStage::prepare(double newSampleRate) noexcept
{
    if (newSampleRate > 0.0 && std::isfinite(newSampleRate))
        sampleRate = static_cast<float>(newSampleRate);
    scale = static_cast<double>(sampleRate) / 44100.0;
    for (TapeSaturator& saturator : saturators)
        saturator.prepare(scale);

    // One-pole split at 150 Hz.
    splitCoef = 1.0 - std::exp(-942.4777960769379 / static_cast<double>(sampleRate));

    designHeadBump();
    reset();
}

void TapeStage::reset() noexcept
{
    for (auto& ring : flutterRing)
        ring.fill(0.0);
    flutterIndex = kFlutterLength - 1;
    flutterRate = 0.0;
    flutterSweep = 0.0;
    flutterTarget = 0.5;

    for (BumpSet* set : {&bumpA, &bumpB})
    {
        set->state.fill(0.0);
        for (BandPass& f : set->filter)
            f.s1 = f.s2 = 0.0;
    }
    flip = false;

    for (Biquad& b : lowpass)
        b.reset();
    low.fill(0.0);
    clipLast.fill(0.0);
    fpd.fill(1u);
    for (auto& ring : dryRing)
        ring.fill(0.0);
    dryIndex = 0;

    for (TapeSaturator& saturator : saturators)
        saturator.clear();
}

void TapeStage::designHeadBump() noexcept
{
    // Band-pass centred near 309 Hz at every rate.
    const double f = 0.007 / scale;
    const double reso = 0.0009;
    const double k = std::tan(kPi * f);
    const double norm = 1.0 / (1.0 + k / reso + k * k);
    for (BumpSet* set : {&bumpA, &bumpB})
        for (BandPass& bp : set->filter)
        {
            bp.a0 = k / reso * norm;
            bp.a1 = 0.0;
            bp.a2 = -bp.a0;
            bp.b1 = 2.0 * (k * k - 1.0) * norm;
            bp.b2 = (1.0 - k / reso + k * k) * norm;
        }
}

void TapeStage::setOdMode(bool on) noexcept
{
    if (on != odMode)
        for (TapeSaturator& saturator : saturators)
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
    constexpr double a = 0.3819660112501051; // 1 - 1/golden ratio
    constexpr double c = 0.6118536488623959; // 0.99 * (1 - a)
    if (last >= 0.99)
        last = y < 0.99 ? a * y + c : 0.99;
    if (last <= -0.99)
        last = y > -0.99 ? a * y - c : -0.99;
    if (y > 0.99)
        y = last < 0.99 ? a * last + c : 0.99;
    if (y < -0.99)
        y = last > -0.99 ? a * last - c : -0.99;
    last = y;
    return std::clamp(y, -0.99, 0.99);
}

uint32_t TapeStage::nextDither(uint32_t state) noexcept
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

void TapeStage::runHeadBump(BumpSet& set, const double* x, double softening) noexcept
{
    for (size_t ch = 0; ch < 2; ++ch)
    {
        BandPass& f = set.filter[ch];
        double h = x[ch] * 0.05 + set.state[ch];
        h -= h * h * h * softening;
        const double s = std::sin(h);
        const double y = f.a0 * s + f.s1;
        f.s1 = f.a1 * s - f.b1 * y + f.s2;
        f.s2 = f.a2 * s - f.b2 * y;
        set.state[ch] = std::asin(std::clamp(y, -1.0, 1.0));
    }
}

void TapeStage::process(float* left, float* right, int n) noexcept
{
    const auto lowpassHz = static_cast<float>(2000.0 * std::pow(6.0, lpfAmount));
    for (Biquad& b : lowpass)
        b.design(BiquadType::lowPass, lowpassHz, sampleRate);

    const double flutterDepth = flutter * flutter * scale * 70.0;
    const double flutterStep = flutter * flutter * 0.0024 / scale * flutterSpeed;
    const double outputGain = std::pow(10.0, (outputAmount - 0.5) * 12.0 / 20.0);
    const double b = std::clamp(inputAmount, 0.0, 100.0) / 100.0;
    const double drive = std::pow(10.0, b);
    const double compensation = std::pow(0.7006, b * b) * std::pow(0.5, b);
    const double bumpMix = headBump * 0.25;
    const double bumpSoftening = 0.12 / scale;
    // The sweep only spends its first half cycle above pi, while the rate is still below 0.5,
    // so the offset stays under 1.25 x depth: about 380 samples at 192 kHz. The limit only
    // matters for rates far beyond that.
    constexpr double maxOffset = kFlutterLength - 2;

    float* io[2] = {left, right};
    for (int i = 0; i < n; ++i)
    {
        double x[2] = {left[i], right[i]};
        double dry[2];

        for (size_t ch = 0; ch < 2; ++ch)
        {
            // Keeps the recursive parts away from denormals.
            if (std::fabs(x[ch]) < 1.18e-23)
                x[ch] = fpd[ch] * 1.18e-17;

            dry[ch] = dryRing[ch][static_cast<size_t>(dryIndex)];
            dryRing[ch][static_cast<size_t>(dryIndex)] = x[ch];

            // The lows below about 150 Hz are removed and not added back.
            low[ch] += (x[ch] - low[ch]) * splitCoef;
            x[ch] -= low[ch];
        }
        dryIndex = (dryIndex + 1) & 7;

        // Flutter: a short delay whose length wanders with a random-walk rate.
        if (flutterIndex < 0 || flutterIndex >= kFlutterLength)
            flutterIndex = kFlutterLength - 1;
        flutterRing[0][static_cast<size_t>(flutterIndex)] = x[0];
        flutterRing[1][static_cast<size_t>(flutterIndex)] = x[1];
        if (flutterDepth != 0.0)
        {
            const double offset =
                std::clamp(flutterDepth + flutterDepth * flutterRate * flutterRate * std::sin(flutterSweep),
                           0.0, maxOffset);
            const double whole = std::floor(offset);
            const double t = offset - whole;
            int i0 = flutterIndex + static_cast<int>(whole);
            if (i0 >= kFlutterLength)
                i0 -= kFlutterLength;
            const int i1 = i0 + 1 == kFlutterLength ? 0 : i0 + 1;
            for (size_t ch = 0; ch < 2; ++ch)
                x[ch] = flutterRing[ch][static_cast<size_t>(i0)] * (1.0 - t) +
                        flutterRing[ch][static_cast<size_t>(i1)] * t;

            flutterRate += (flutterTarget - flutterRate) * flutterStep;
            flutterSweep += flutterRate * flutterStep;
            if (flutterSweep >= kTwoPi)
            {
                flutterSweep -= kPi;
                flutterTarget = 0.24 + 0.74 * static_cast<double>(fpd[0]) / 4294967295.0;
            }
        }
        --flutterIndex;

        // Head bump: the two filter sets take turns, both are added back.
        runHeadBump(flip ? bumpA : bumpB, x, bumpSoftening);
        for (size_t ch = 0; ch < 2; ++ch)
            x[ch] += (bumpA.state[ch] + bumpB.state[ch]) * bumpMix;
        flip = !flip;

        for (size_t ch = 0; ch < 2; ++ch)
        {
            const auto in = static_cast<float>(x[ch]);
            double y;
            if (odMode)
            {
                const double magnitude =
                    std::max(std::sqrt(std::fabs(in) + odSoftness * odSoftness) - odSoftness, 0.0);
                y = in > 0.0f ? magnitude : (in < 0.0f ? -magnitude : 0.0);
            }
            else
            {
                y = saturators[ch].process(in, drive, compensation);
            }

            y = lowpass[ch].process(static_cast<float>(y));

            // Head bump bleed: the states drift back by an amount that shrinks with level.
            const double bleed = (1.0 - std::fabs(y)) * 0.00013;
            for (double* state : {&bumpA.state[ch], &bumpB.state[ch]})
            {
                if (*state > bleed)
                    *state -= bleed;
                else if (*state < -bleed)
                    *state += bleed;
            }

            if (outputGain != 1.0)
                y *= outputGain;

            y = softClip(y, clipLast[ch]);

            if (mix != 1.0)
                y = mix * y + (1.0 - mix) * dry[ch];

            // Dither scaled to the float exponent of the result.
            const double scaleOfResult = ditherScale(static_cast<float>(y));
            fpd[ch] = nextDither(fpd[ch]);
            y += (static_cast<double>(fpd[ch]) - 2147483647.0) * 5.5e-36 * scaleOfResult;
            io[ch][i] = static_cast<float>(y);
        }
    }
}
} // namespace vorl
