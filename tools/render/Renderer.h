#pragma once

#include "RenderOptions.h"

class TarnelDelayAudioProcessor;

namespace vorl::render
{
struct RenderSummary
{
    double inputSeconds = 0.0;
    double tailSeconds = 0.0;
    double sampleRate = 0.0;
    float peakDb = -200.0f;
    float rmsDb = -200.0f;
    double realTimeFactor = 0.0;
};

// Sets up the processor from the options (preset, state, parameter values), then renders
// INPUT through it into a 32-bit float WAV at OUTPUT. The output appears only when the
// whole render succeeded. Returns false with a one-line reason on failure.
bool renderFile(TarnelDelayAudioProcessor& processor, const RenderOptions& options, RenderSummary& summary,
                juce::String& error);

// Applies --preset, --state and the ID=VALUE assignments, in that order.
bool configureProcessor(TarnelDelayAudioProcessor& processor, const RenderOptions& options, juce::String& error);
} // namespace vorl::render
