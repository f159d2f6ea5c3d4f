// vorl-demo-sound OUT.wav: writes a short stereo phrase made in code (plucked notes and a
// few drum hits, then silence), so a newcomer can hear the delay without audio files.
#include <juce_audio_formats/juce_audio_formats.h>

#include <cmath>
#include <iostream>
#include <random>
#include <vector>

namespace
{
constexpr double kRate = 48000.0;

// Karplus-Strong string: a noise burst circulating through a damped delay line.
void addPluck(std::vector<float>& out, int start, double frequency, float level, std::mt19937& rng)
{
    const int period = std::max(2, static_cast<int>(kRate / frequency));
    std::vector<float> ring(static_cast<size_t>(period));
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    for (auto& sample : ring)
        sample = noise(rng);
    const int length = static_cast<int>(kRate * 1.2);
    for (int i = 0; i < length && start + i < static_cast<int>(out.size()); ++i)
    {
        const size_t k = static_cast<size_t>(i % period);
        const float next = ring[(k + 1) % ring.size()];
        const float value = ring[k];
        ring[k] = 0.996f * 0.5f * (value + next);
        out[static_cast<size_t>(start + i)] += level * value;
    }
}

// A kick: a sine sweeping down from 120 Hz with a fast decay.
void addKick(std::vector<float>& out, int start, float level)
{
    double phase = 0.0;
    for (int i = 0; i < static_cast<int>(kRate * 0.35) && start + i < static_cast<int>(out.size()); ++i)
    {
        const double t = i / kRate;
        phase += 2.0 * juce::MathConstants<double>::pi * (45.0 + 75.0 * std::exp(-t * 30.0)) / kRate;
        out[static_cast<size_t>(start + i)] += level * static_cast<float>(std::sin(phase) * std::exp(-t * 9.0));
    }
}

// A hat: short bright noise.
void addHat(std::vector<float>& out, int start, float level, std::mt19937& rng)
{
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    float previous = 0.0f;
    for (int i = 0; i < static_cast<int>(kRate * 0.05) && start + i < static_cast<int>(out.size()); ++i)
    {
        const float white = noise(rng);
        const float bright = white - previous; // a crude high-pass
        previous = white;
        out[static_cast<size_t>(start + i)] += level * bright * std::exp(-static_cast<float>(i) / 600.0f);
    }
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
    {
        std::cerr << "usage: vorl-demo-sound OUT.wav" << std::endl;
        return 2;
    }
    std::mt19937 rng(7);
    const int beat = static_cast<int>(kRate * 0.5); // 120 BPM
    std::vector<float> left(static_cast<size_t>(kRate * 4.0)), right(left.size());

    const double notes[] = {220.0, 277.18, 329.63, 440.0};
    for (int i = 0; i < 4; ++i)
        addPluck(i % 2 == 0 ? left : right, i * beat, notes[i], 0.45f, rng);
    for (int i = 0; i < 4; i += 2)
    {
        addKick(left, i * beat, 0.5f);
        addKick(right, i * beat, 0.5f);
    }
    addHat(left, beat + beat / 2, 0.25f, rng);
    addHat(right, 3 * beat + beat / 2, 0.25f, rng);

    const juce::File output = juce::File::getCurrentWorkingDirectory().getChildFile(juce::String::fromUTF8(argv[1]));
    output.deleteFile();
    auto stream = output.createOutputStream();
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer(
        stream != nullptr ? wav.createWriterFor(stream.get(), kRate, 2, 24, {}, 0) : nullptr);
    if (writer == nullptr)
    {
        std::cerr << "vorl-demo-sound: cannot write " << output.getFullPathName() << std::endl;
        return 1;
    }
    stream.release();
    const float* channels[] = {left.data(), right.data()};
    if (!writer->writeFromFloatArrays(channels, 2, static_cast<int>(left.size())))
    {
        std::cerr << "vorl-demo-sound: writing " << output.getFullPathName() << " failed" << std::endl;
        return 1;
    }
    return 0;
}
