#pragma once

#include <array>

namespace vorl
{
// Sine-series tape saturation of one channel. Fast slopes are blended towards a softened
// path made of running means; the number of cascaded means grows with the sample rate so the
// softening covers about the same time span at every rate.
class TapeSaturator
{
public:
    // scale = sampleRate / 44100.
    void prepare(double newScale) noexcept;
    void clear() noexcept;

    float process(double x, double drive, double compensation) noexcept;

    int getCycles() const noexcept { return cycles; }

private:
    // Running means of 32, 16, 8, 4 and 2 samples; only the ones the rate needs are used.
    struct Cascade
    {
        std::array<double, 32> m32{};
        std::array<double, 16> m16{};
        std::array<double, 8> m8{};
        std::array<double, 4> m4{};
        std::array<double, 2> m2{};

        double run(double a, int cycles, int k) noexcept;
    };

    double scale = 1.0;
    int cycles = 2;
    int k = 0;
    double previousAverage = 0.0;
    Cascade inputSide, outputSide;
};
} // namespace vorl
