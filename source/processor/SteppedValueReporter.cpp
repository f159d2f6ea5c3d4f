#include "SteppedValueReporter.h"

namespace vorl
{
SteppedValueReporter::SteppedValueReporter(const juce::Array<juce::AudioProcessorParameter*>& parameters)
{
    for (auto* parameter : parameters)
        if (auto* steppedParameter = dynamic_cast<SteppedParameter*>(parameter))
            stepped.push_back(steppedParameter);
    startTimer(kIntervalMs);
}

SteppedValueReporter::~SteppedValueReporter()
{
    stopTimer();
}

void SteppedValueReporter::reportPendingSteps()
{
    for (auto* parameter : stepped)
    {
        if (!parameter->takeStepReportRequest())
            continue;
        // The value is only announced, not set again, so a newer value a host sends meanwhile
        // is never overwritten.
        parameter->beginChangeGesture();
        parameter->sendValueChangedMessageToListeners(parameter->getValue());
        parameter->endChangeGesture();
    }
}
} // namespace vorl
