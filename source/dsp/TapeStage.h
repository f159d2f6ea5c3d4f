#pragma once

#include "Biquad.h"
#include "FlutterWander.h"
#include "StereoLanes.h"
#include "TapeSaturator.h"

#include <array>
#include <cstdint>

namespace vorl
{
// Tape colouring of the signal on its way into the delay line: low cut, flutter, head bump,
// saturation (or a square-root overdrive), lowpass, output gain, soft clipper, dry/wet and
// dither. The arithmetic is double precision except for the saturator's float rounding and
// the lowpass. Both channels run side by side in the lanes of one register (StereoLanes.h).
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
    int getSaturatorCycles() const noexcept { return saturator.getCycles(); }

private:
    static constexpr int kFlutterLength = 500;
    static constexpr int kChunk = FlutterWander::kChunk;

    // The head bump band-pass, the same for both of its alternating filter sets and channels.
    struct BumpFilter
    {
        double a0 = 0.0, b1 = 0.0, b2 = 0.0;
    };
    // One of the two head bump filter sets, which take turns sample by sample: its state for
    // each channel. Their coefficients are the same, so only the turn order matters.
    struct BumpLanes
    {
        StereoDouble s1 = StereoDouble(0.0), s2 = StereoDouble(0.0);
        StereoDouble state = StereoDouble(0.0);
    };
    // The output lowpass of both channels in the low lanes of one float register, with
    // Biquad::process's single-precision steps lane by lane.
    struct StereoLowpass
    {
        StereoFloat b0 = StereoFloat(1.0f), b1 = StereoFloat(0.0f), b2 = StereoFloat(0.0f);
        StereoFloat a1 = StereoFloat(0.0f), a2 = StereoFloat(0.0f);
        StereoFloat s1 = StereoFloat(0.0f), s2 = StereoFloat(0.0f);

        void setCoefficients(const Biquad::Coefficients& c) noexcept;
        // Rounds x to float on the way in.
        StereoDouble process(const StereoDouble& x) noexcept
        {
            const StereoFloat in = toFloatLanes(x);
            const StereoFloat y = b0 * in + s1;
            s1 = b1 * in - a1 * y + s2;
            s2 = b2 * in - a2 * y;
            return fromFloatLanes(y);
        }
    };

    void designHeadBump() noexcept;
    // Runs one filter set on x and returns its new state times mix.
    static StereoDouble runHeadBump(const BumpFilter& filter, BumpLanes& set, const StereoDouble& x,
                                    const StereoDouble& softening, const StereoDouble& mix) noexcept;

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

    StereoTapeSaturator saturator;

    std::array<StereoDouble, kFlutterLength> flutterRing{};
    int flutterIndex = 499;
    FlutterWander flutterWander;
    FlutterWander::Plan flutterPlans[2];

    BumpFilter bumpFilter;
    BumpLanes bumpNext, bumpWaiting; // the set that runs on the next sample, and the other

    StereoLowpass lowpass;
    StereoDouble low = StereoDouble(0.0);
    StereoDouble clipLast = StereoDouble(0.0);
    std::array<uint32_t, 2> fpd{1u, 1u};
    std::array<StereoDouble, 8> dryRing{};
    int dryIndex = 0;
};
} // namespace vorl
