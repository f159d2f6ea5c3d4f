#include "TestSignals.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace testsignals
{
namespace
{
constexpr double kTwoPi = 6.283185307179586;

void scaleToPeak(std::vector<float>& signal, float peak)
{
    float largest = 0.0f;
    for (const float x : signal)
        largest = std::max(largest, std::abs(x));
    if (largest > 0.0f)
        for (auto& x : signal)
            x *= peak / largest;
}

// Adds a decaying event starting at the given second; shape(t) gives its value t seconds in.
template <typename Shape>
void addEvent(std::vector<float>& out, double startSeconds, double lengthSeconds, Shape shape)
{
    const auto first = (size_t)(startSeconds * kSampleRate);
    const auto count = (size_t)(lengthSeconds * kSampleRate);
    for (size_t i = 0; i < count && first + i < out.size(); ++i)
        out[first + i] += shape((double)i / kSampleRate);
}
} // namespace

std::vector<float> pluckedPhrase(int samples)
{
    std::vector<float> out((size_t)samples, 0.0f);
    const double notes[] = {196.0, 246.9, 293.7, 392.0, 329.6, 246.9};
    double start = 0.0;
    for (const double f : notes)
    {
        addEvent(out, start, 1.2,
                 [f](double t)
                 {
                     const double attack = std::min(t / 0.002, 1.0);
                     double sum = 0.0;
                     for (int h = 1; h <= 10; ++h)
                         sum += std::sin(kTwoPi * f * h * t) / h * std::exp(-t * (3.0 + 1.5 * h));
                     return (float)(attack * sum);
                 });
        start += 0.25;
    }
    scaleToPeak(out, kMusicalPeak);
    return out;
}

std::vector<float> drumLoop(int samples)
{
    std::vector<float> out((size_t)samples, 0.0f);
    std::mt19937 generator(7);
    std::uniform_real_distribution<float> white(-1.0f, 1.0f);
    const auto kick = [](double t)
    {
        // The pitch falls from 150 to 50 Hz; its phase is the integral of that sweep.
        const double phase = kTwoPi * (50.0 * t + 100.0 * 0.03 * (1.0 - std::exp(-t / 0.03)));
        return (float)(std::sin(phase) * std::exp(-t / 0.15));
    };
    const auto snare = [&](double t)
    {
        return (float)(0.6 * white(generator) * std::exp(-t / 0.08) +
                       0.5 * std::sin(kTwoPi * 180.0 * t) * std::exp(-t / 0.05));
    };
    float previous = 0.0f;
    const auto hat = [&](double t)
    {
        const float w = white(generator);
        const float bright = w - previous; // a first difference leaves only the top of the spectrum
        previous = w;
        return (float)(0.25 * bright * std::exp(-t / 0.02));
    };
    const double beat = 0.5; // 120 BPM
    const double length = (double)samples / kSampleRate;
    for (double t = 0.0; t < length; t += beat / 2)
        addEvent(out, t, 0.1, hat);
    for (double t = 0.0; t < length; t += 2 * beat)
    {
        addEvent(out, t, 0.5, kick);
        addEvent(out, t + 0.75 * beat, 0.4, kick);
        addEvent(out, t + beat, 0.4, snare);
    }
    scaleToPeak(out, kMusicalPeak);
    return out;
}

std::vector<float> vocalTone(int samples)
{
    std::vector<float> out((size_t)samples, 0.0f);
    // Formants of an open "ah": centre and bandwidth in Hz.
    const double formants[][2] = {{700.0, 110.0}, {1220.0, 120.0}, {2600.0, 160.0}};
    const auto formantGain = [&](double hz)
    {
        double gain = 0.0;
        for (const auto& f : formants)
            gain += 1.0 / (1.0 + std::pow((hz - f[0]) / f[1], 2.0));
        return 0.15 + gain;
    };
    const double f0 = 220.0;
    const int harmonics = 18;
    std::vector<double> phase((size_t)harmonics, 0.0);
    const double seconds = (double)samples / kSampleRate;
    const double syllableEnd = seconds * 0.45;
    for (int i = 0; i < samples; ++i)
    {
        const double t = i / kSampleRate;
        const double f = f0 * (1.0 + 0.01 * std::sin(kTwoPi * 5.0 * t));
        // Two syllables with soft 30 ms edges and a short breath between them.
        const double local = t < syllableEnd + 0.05 ? t : t - syllableEnd - 0.05;
        const double span = t < syllableEnd + 0.05 ? syllableEnd : seconds - syllableEnd - 0.1;
        const bool inGap = t >= syllableEnd && t < syllableEnd + 0.05;
        const double envelope =
            inGap ? 0.0 : std::clamp(std::min(local / 0.03, (span - local) / 0.03), 0.0, 1.0);
        double sum = 0.0;
        for (int h = 1; h <= harmonics; ++h)
        {
            phase[(size_t)h - 1] += kTwoPi * f * h / kSampleRate;
            sum += formantGain(f * h) / h * std::sin(phase[(size_t)h - 1]);
        }
        out[(size_t)i] = (float)(envelope * sum);
    }
    scaleToPeak(out, kMusicalPeak);
    return out;
}

// Paul Kellet's pink filter over white noise.
std::vector<float> pinkNoise(uint32_t seed, int samples, float targetRms)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> white(-1.0f, 1.0f);
    float b0 = 0, b1 = 0, b2 = 0, b3 = 0, b4 = 0, b5 = 0, b6 = 0;
    std::vector<float> out((size_t)samples);
    double sumSquares = 0.0;
    for (auto& sample : out)
    {
        const float w = white(generator);
        b0 = 0.99886f * b0 + w * 0.0555179f;
        b1 = 0.99332f * b1 + w * 0.0750759f;
        b2 = 0.96900f * b2 + w * 0.1538520f;
        b3 = 0.86650f * b3 + w * 0.3104856f;
        b4 = 0.55000f * b4 - w * 0.5329522f;
        b5 = -0.7616f * b5 - w * 0.0168980f;
        sample = b0 + b1 + b2 + b3 + b4 + b5 + b6 + w * 0.5362f;
        b6 = w * 0.115926f;
        sumSquares += (double)sample * sample;
    }
    const float gain = targetRms / (float)std::sqrt(sumSquares / samples);
    for (auto& sample : out)
        sample *= gain;
    return out;
}
} // namespace testsignals
