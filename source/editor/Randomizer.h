#pragma once

#include "processor/RandomMatrix.h"

#include <juce_audio_processors/juce_audio_processors.h>

// Gives every parameter whose row is on in the random matrix a random value, in table order:
// continuous parameters a uniform normalised value (so a skewed range is sampled by its skew),
// whole numbers a uniform step of their range and switches a coin toss. Rows whose parameter
// does not exist are skipped. Each value goes to the host as one complete gesture.
void randomizeEnabledParameters(juce::AudioProcessorValueTreeState& tree, const vorl::RandomMatrix& matrix,
                                juce::Random& random);
