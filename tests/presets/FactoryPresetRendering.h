// Shared by the factory preset checks: the list of factory presets as test parameters, and an
// offline render of a signal through the processor with a preset applied.
#pragma once

#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace presetrender
{
constexpr int kBlockSize = 512;

struct StereoBuffer
{
    std::vector<float> left, right;
};

// Identifiers of every factory preset. Runs while tests are registered, before the test main
// has set up a temporary home, so it reads the factory banks only, never the user's settings.
std::vector<std::string> factoryPresetIds();

// A GoogleTest-safe name for a preset identifier ("Weird/Bats!" -> "Weird_Bats_").
std::string testNameOf(const testing::TestParamInfo<std::string>& info);

// Applies the patch, prepares at the signals' sample rate and renders the input followed by
// tailSamples of silence in blocks, as a host would, with no play head (so at 120 BPM).
StereoBuffer render(TarnelDelayAudioProcessor& processor, const presets::Patch& patch,
                    const StereoBuffer& input, int tailSamples);
} // namespace presetrender
