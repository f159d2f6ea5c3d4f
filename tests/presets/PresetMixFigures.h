// The figures a sound designer reads off a preset rendered with a mono source: how loud the wet
// is, whether the source stays centred, how the output compares with bypass, the peak, and how
// much of the wet survives when left and right are summed to mono.
#pragma once

#include "FactoryPresetRendering.h"

#include <string>

namespace presetmix
{
// How the output was mixed, so that the wet can be separated from the (unprocessed) dry:
// output = (wetShare * wet + (1 - wetShare) * dry) * masterGain.
struct MixSettings
{
    float wetShare = 1.0f;
    float masterGain = 1.0f;
};

struct Figures
{
    double wetDb = 0.0;         // wet energy (as mixed, both channels) against the source's energy
    double centreShiftDb = 0.0; // left minus right output energy; positive leans left
    double overBypassDb = 0.0;  // output energy against the source's energy (bypass)
    double peakDbfs = 0.0;      // largest output sample
    double monoLossDb = 0.0;    // wet energy lost when left and right are summed to mono
};

MixSettings mixSettingsOf(const TarnelDelayAudioProcessor& processor);

// Energies run over the whole render, tail included, so echoes count as much as the direct sound.
Figures measure(const std::vector<float>& monoSource, const presetrender::StereoBuffer& output,
                MixSettings mix);

// Keeps, for every figure, the value that is worst for the checks (quietest wet, largest shift...).
Figures worstOf(const Figures& a, const Figures& b);

// One line for the test log: "wet -12.3 dB  centre +0.4 dB  vs bypass +1.1 dB  peak -3.9 dBFS  mono loss 2.1
// dB".
std::string describe(const Figures& figures);
} // namespace presetmix
