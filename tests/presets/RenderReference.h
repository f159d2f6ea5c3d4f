// Reference renders of the engine, kept in the repository so that work on the engine's speed can
// show the sound did not change. A render is stored as an excerpt: every kExcerptStride-th sample
// of each channel, plus the peak of every block of kPeakBlock samples (a peak moves by no more
// than the largest sample difference, so a fault anywhere in a block still shows).
#pragma once

#include "FactoryPresetRendering.h"

#include <juce_core/juce_core.h>

#include <map>
#include <string>
#include <vector>

namespace renderreference
{
constexpr int kExcerptStride = 53;
constexpr int kPeakBlock = 512;

using Excerpts = std::map<std::string, std::vector<float>>;

std::vector<float> excerptOf(const presetrender::StereoBuffer& render);

// Gzipped float32 records: name, value count, values. Returns false when the file can't be written.
bool save(const Excerpts& excerpts, const juce::File& file);
// Empty when the file is missing or damaged.
Excerpts load(const juce::File& file);

// The largest absolute difference; infinity when the sizes differ.
float largestDifference(const std::vector<float>& a, const std::vector<float>& b);
} // namespace renderreference
