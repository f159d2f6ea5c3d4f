#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

namespace vorl
{
// Which parameters the randomize action may touch. The flags live in the "RandomMatrix"
// child of the parameter tree's state, so they travel with the plug-in state.
class RandomMatrix
{
public:
    struct Row
    {
        const char* group;
        const char* id;
        const char* caption;
        bool enabledByDefault;
    };

    explicit RandomMatrix(juce::AudioProcessorValueTreeState& tree);

    bool isEnabled(const juce::String& id) const;
    void setEnabled(const juce::String& id, bool enabled);
    void setAll(bool enabled);

    // Writes the default of every row the restored child lacks; present flags are kept.
    void restoreFrom(juce::ValueTree restoredChild);

    const std::vector<Row>& getRows() const noexcept { return rows; }

    static juce::Identifier propertyFor(const juce::String& id) { return "enabled_" + id; }

private:
    juce::ValueTree matrixTree() const;
    void writeMissingDefaults(juce::ValueTree child);

    juce::AudioProcessorValueTreeState& tree;
    std::vector<Row> rows;
};
} // namespace vorl
