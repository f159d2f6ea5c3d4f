#pragma once

namespace vorl
{
// Curves that turn the 0..1000 slider units of the time, length, rate and filter controls into
// physical values. All single precision so that every caller gets the same numbers.

// 0..650 covers 1..1000 ms logarithmically, 650..1000 covers 1000..2000 ms; whole milliseconds.
float timeSliderToMs(float sliderValue) noexcept;
float msToTimeSlider(float ms) noexcept;

// Wave and tremolo rates: 0.15 Hz at 0, 8 Hz at 1000, not clamped.
float rateSliderToHz(float sliderValue) noexcept;
float hzToRateSlider(float hz) noexcept;

// Pitch modulation rate: exactly 0 at and below 0, then 0.01 * 800^(x^0.61) Hz up to 8 Hz.
float pitchRateSliderToHz(float sliderValue) noexcept;
float pitchRateHzToSlider(float hz) noexcept;

// Length of the tap pattern: 10 ms at 0, 14000 ms at 1000, whole milliseconds.
float lengthSliderToMs(float sliderValue) noexcept;

// Tone filter cutoffs: high-pass 20..4000 Hz, low-pass 500..22000 Hz.
float highPassSliderToHz(float sliderValue) noexcept;
float lowPassSliderToHz(float sliderValue) noexcept;
} // namespace vorl
