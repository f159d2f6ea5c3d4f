#include "ValueCurves.h"

#include <algorithm>
#include <cmath>

namespace vorl
{
namespace
{
constexpr float kRateBase = 53.333f;
constexpr float kRateMinHz = 0.15f;
} // namespace

float timeSliderToMs(float sliderValue) noexcept
{
    float x = sliderValue / 1000.0f;
    if (x < 0.0f)
        x = 0.0f;
    x = std::min(x, 1.0f);
    float ms;
    if (x <= 0.65f)
        ms = std::round(std::pow(1000.0f, x / 0.65f));
    else
        ms = std::round(1000.0f * std::pow(2.0f, (x - 0.65f) / 0.35f));
    return std::max(ms, 1.0f);
}

float msToTimeSlider(float ms) noexcept
{
    const float a = std::max(ms, 1.0f);
    float c;
    if (a <= 1000.0f)
        c = 0.65f * std::log(a) / std::log(1000.0f);
    else
        c = 0.65f + 0.35f * std::log(a / 1000.0f) / std::log(2.0f);
    return std::round(std::clamp(c * 1000.0f, 0.0f, 1000.0f));
}

float rateSliderToHz(float sliderValue) noexcept
{
    return kRateMinHz * std::pow(kRateBase, sliderValue / 1000.0f);
}

float hzToRateSlider(float hz) noexcept
{
    return std::round(1000.0f * std::log(std::max(hz, kRateMinHz) / kRateMinHz) / std::log(kRateBase));
}

float pitchRateSliderToHz(float sliderValue) noexcept
{
    if (sliderValue <= 0.0f)
        return 0.0f;
    const float x = std::clamp(sliderValue / 1000.0f, 0.0f, 1.0f);
    return 0.01f * std::pow(800.0f, std::pow(x, 0.61f));
}

float pitchRateHzToSlider(float hz) noexcept
{
    const float b = std::clamp(std::log(std::max(hz, 0.01f) / 0.01f) / std::log(800.0f), 0.0f, 1.0f);
    return std::round(std::pow(b, 1.6393442f) * 1000.0f);
}

float lengthSliderToMs(float sliderValue) noexcept
{
    return std::round(10.0f * std::pow(1400.0f, sliderValue / 1000.0f));
}

float highPassSliderToHz(float sliderValue) noexcept
{
    return 20.0f * std::pow(200.0f, sliderValue / 1000.0f);
}

float lowPassSliderToHz(float sliderValue) noexcept
{
    return 500.0f * std::pow(44.0f, sliderValue / 1000.0f);
}
} // namespace vorl
