#include "StateHistory.h"

namespace vorl
{
void StateHistory::push(const juce::ValueTree& snapshot)
{
    snapshots.erase(snapshots.begin() + (index + 1), snapshots.end());
    snapshots.push_back(snapshot);
    if (size() > kMaxSnapshots)
        snapshots.erase(snapshots.begin());
    index = size() - 1;
}

void StateHistory::clear()
{
    snapshots.clear();
    index = -1;
}

juce::ValueTree StateHistory::stepBack()
{
    if (!canStepBack())
        return {};
    return snapshots[(size_t)--index];
}

juce::ValueTree StateHistory::stepForward()
{
    if (!canStepForward())
        return {};
    return snapshots[(size_t)++index];
}
} // namespace vorl
