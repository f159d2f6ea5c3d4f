#pragma once

#include "Biquad.h"
#include "TapeSaturator.h"

#include <array>
#include <cstdint>

namespace vorl
{
// Tape colouring of the signal on its way into the delay line: low cut, flutter, head bump,
// saturation (or a square-root overdrive), lowpass, output gain, soft clipper, dry/wet and
// dither. The arithmetic is double precision except for the saturator's float rounding and
// the lowpass.
class TapeStage
{
public:
    void prepare(double sampleRate) noexcept;
    void reset() noexcept;

    // Settings take the parameter values in percent (0..100); the engine sets them every
    // block in this order.
    void setOdMode(bool on) noexcept; // a change clears both saturators
    void setInputAmount(float percent) noexcept;
    void setLpfAmount(float percent) noexcept;
    void setHeadBump(float percent) noexcept;
    void setFlutter(float percent) noexcept;
    void setFlutterSpeed(float percent) noexcept;
    void setOutputAmount(float percent) noexcept;
    void setMix(float percent) noexcept;

    void process(float* left, float* right, int n) noexcept;

    // Golden-ratio soft clipper with one sample of memory; the result lies in [-0.99, 0.99].
    static double softClip(double y, double& last) noexcept;

    double getMix() const noexcept { return mix; }
    int getSaturatorCycles() const noexcept { return saturators[0].getCycles(); }

private:
    static constexpr int kFlutterLength = 500;

    struct BandPass
    {
        double a0 = 0.0, a1 = 0.0, a2 = 0.0, b1 = 0.0, b2 = 0.0;
        double s1 = 0.0, s2 = 0.0;
    };

    // One of the two alternating head bump filters, with its state for each channel.
    struct BumpSet
    {
        std::array<BandPass, 2> filter;
        std::array<double, 2> state{};
    };

    void designHeadBump() noexcept;
    void runHeadBump(BumpSet& set, const double* x, double softening) noexcept;
    static uint32_t nextDither(uint32_t fpd) noexcept;

    float sampleRate = 44100.0f;
    double scale = 1.0;
    double splitCoef = 0.0;

    bool odMode = false;
    double inputAmount = 0.0;
    double odSoftness = 0.3;
    double lpfAmount = 0.0;
    double headBump = 0.0;
    double flutter = 0.0;
    double flutterSpeed = 0.8;
    double outputAmount = 0.5;
    double mix = 1.0;

    std::array<TapeSaturator, 2> saturators;

    std::array<std::array<double, kFlutterLength>, 2> flutterRing{};
    int flutterIndex = 499;
    double flutterRate = 0.0;
    double flutterSweep = 0.0;
    double flutterTarget = 0.5;

    BumpSet bumpA, bumpB;
    bool flip = false;

    std::array<Biquad, 2> lowpass;
    std::array<double, 2> low{};
    std::array<double, 2> clipLast{};
    std::array<uint32_t, 2> fpd{1u, 1u};
    std::array<std::array<double, 8>, 2> dryRing{};
    int dryIndex = 0;
};
} // namespace vorl
