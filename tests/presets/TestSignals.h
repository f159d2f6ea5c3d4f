// Mono test signals made in code, so the preset checks need no audio files. The musical ones
// peak at -6 dBFS, the level a sensible track sends into an insert effect.
#pragma once

#include <cstdint>
#include <vector>

namespace testsignals
{
constexpr double kSampleRate = 48000.0;
constexpr float kMusicalPeak = 0.501187f; // -6 dBFS

// Six plucked notes a quarter second apart, each ringing out with brighter partials dying first.
std::vector<float> pluckedPhrase(int samples);
// Kick, snare and closed hats on an eighth-note grid at 120 BPM.
std::vector<float> drumLoop(int samples);
// A sung vowel at 220 Hz with vibrato and formants, in two syllables.
std::vector<float> vocalTone(int samples);
// Pink noise scaled to the given RMS (not to a peak).
std::vector<float> pinkNoise(uint32_t seed, int samples, float targetRms);
} // namespace testsignals
