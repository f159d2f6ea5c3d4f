#pragma once

#include "SteppedParameter.h"

#include <vector>

namespace vorl
{
// Tells the host the step a stepped parameter holds after it rounded a value sent between
// steps. The parameter cannot do it itself: the host's value arrives inside the plug-in
// wrapper's own change callback, which swallows notifications sent from there, and often on
// the audio thread, where nothing may lock. So the parameters only raise a flag, and this
// timer on the message thread sends each flagged step to the host as one short gesture.
class SteppedValueReporter : private juce::Timer
{
public:
    static constexpr int kIntervalMs = 20;

    explicit SteppedValueReporter(const juce::Array<juce::AudioProcessorParameter*>& parameters);
    ~SteppedValueReporter() override;

    // Sends every pending step now (message thread).
    void reportPendingSteps();

private:
    void timerCallback() override { reportPendingSteps(); }

    std::vector<SteppedParameter*> stepped;
};
} // namespace vorl
