#include "TapeSaturator.h"

#include <algorithm>
#include <cmath>

namespace vorl
{
namespace
{
template <size_t N> double pushAndAverage(std::array<double, N>& slots, int k, double a) noexcept
{
    slots[static_cast<size_t>(k) % N] = a;
    double sum = 0.0;
    for (double v : slots)
        sum += v;
    return sum / static_cast<double>(N);
}
} // namespace

double TapeSaturator::Cascade::run(double a, int c, int k) noexcept
{
    if (c > 31)
        a = pushAndAverage(m32, k, a);
    if (c > 15)
        a = pushAndAverage(m16, k, a);
    if (c > 7)
        a = pushAndAverage(m8, k, a);
    if (c > 3)
        a = pushAndAverage(m4, k, a);
    if (c > 1)
        a = pushAndAverage(m2, k, a);
    return a;
}

void TapeSaturator::prepare(double newScale) noexcept
{
    scale = newScale;
    cycles = static_cast<int>(std::clamp(std::floor(2.0 * scale), 2.0, 32.0));
    clear();
}

void TapeSaturator::clear() noexcept
{
    k = 0;
    previousAverage = 0.0;
    inputSide = Cascade{};
    outputSide = Cascade{};
}

float TapeSaturator::process(double x, double drive, double compensation) noexcept
{
    double d = x * drive;
    if (std::fabs(d) < 1.18e-23)
        d = 0.0;
    if (k > 31)
        k = 0;

    const double a = inputSide.run(d, cycles, k);

    // 0 for slow signals, up to 2 for steep slopes.
    const double g = 2.0 * std::min(std::fabs(previousAverage - d) * 0.12 * scale, 1.0);
    previousAverage = a;

    // Beyond this the shortened sine series turns back down.
    constexpr float kLimit = 2.305929007734908f;
    const double v = std::clamp(static_cast<float>(g * a + (1.0 - g) * d), -kLimit, kLimit);
    const double v2 = v * v;
    const double v3 = v2 * v;
    const double v5 = v3 * v2;
    const double v7 = v5 * v2;
    const double v9 = v7 * v2;
    const double v11 = v9 * v2;
    const auto y = static_cast<double>(
        static_cast<float>(v - v3 / 6.0 + v5 / 69.0 - v7 / 2530.08 + v9 / 224985.6 - v11 / 9979200.0));

    const double r = outputSide.run(y, cycles, k);
    ++k;
    return static_cast<float>(((1.0 - g) * y + g * r) * compensation);
}
} // namespace vorl
