#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <vector>

namespace vorl
{
// Snapshots of the whole parameter state that the editor steps back and forth through.
// Pushing drops everything ahead of the current snapshot; the oldest falls off past 64.
class StateHistory
{
public:
    static constexpr int kMaxSnapshots = 64;

    void push(const juce::ValueTree& snapshot);
    void clear();

    bool canStepBack() const noexcept { return index > 0; }
    bool canStepForward() const noexcept { return index >= 0 && index + 1 < size(); }

    // Move one step and return the snapshot there; an invalid tree when there is no step.
    juce::ValueTree stepBack();
    juce::ValueTree stepForward();

    int size() const noexcept { return static_cast<int>(snapshots.size()); }
    int currentIndex() const noexcept { return index; }

private:
    std::vector<juce::ValueTree> snapshots;
    int index = -1;
};
} // namespace vorl
