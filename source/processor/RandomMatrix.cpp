#include "RandomMatrix.h"

namespace vorl
{
namespace
{
const juce::Identifier kMatrixType{"RandomMatrix"};

std::vector<RandomMatrix::Row> makeRows()
{
    // Filter, mix, flip and predelay are left out by default: randomizing them tends to
    // wreck a mix rather than vary a sound.
    return {
        {"Main", "g", "Vorl", true},
        {"Main", "s", "Start", true},
        {"Main", "e", "End", true},
        {"Main", "fb", "Length", true},
        {"Main", "spread", "Width", true},
        {"Main", "dcv", "Decay Curve", true},
        {"Main", "dcFall", "Decay Falloff", true},
        {"Main", "hp", "HP", false},
        {"Main", "lp", "LP", false},
        {"Main", "mix", "Dry/Wet", false},
        {"Main", "lk", "Start/End Lock", true},
        {"Mode", "mu", "Sync", true},
        {"Mode", "rev", "Reverse", true},
        {"Mode", "flipped", "Flip", false},
        {"Mode", "dcMode", "Decay Mode", true},
        {"Mode", "dcSteps", "Decay Steps", true},
        {"Mode", "pd", "Predelay", false},
        {"Mode", "ppOn", "Ping Pong", true},
        {"Mode", "ppW", "Ping Pong", true},
        {"Tape", "tp", "Tape", true},
        {"Tape", "sat", "Drive", true},
        {"Tape", "td", "Output Gain", true},
        {"Tape", "tDarken", "Wear", true},
        {"Tape", "headBump", "Head Bump", true},
        {"Tape", "flutter", "Flutter", true},
        {"Tape", "flutSpd", "Flutter Speed", true},
        {"Tape", "tpWet", "Dry/Wet", true},
        {"Pitch/Chorus", "pitchOn", "Pitch/Chorus", true},
        {"Pitch/Chorus", "pitchCt", "Pitch", true},
        {"Pitch/Chorus", "pitchMix", "Pitch Mix", true},
        {"Pitch/Chorus", "pitchRt", "Pitch Rate", true},
        {"Pitch/Chorus", "pitchDp", "Pitch Depth", true},
        {"Pitch/Chorus", "pitchFbk", "Pitch Feedback", true},
        {"Pitch/Chorus", "pitchSh", "Pitch Shape", true},
        {"Pitch/Chorus", "pitchWide", "Pitch Wide", true},
        {"Pitch/Chorus", "pitchSync", "Pitch Sync", true},
        {"Pitch/Chorus", "pitch2x", "Pitch 2x", true},
        {"Wave", "wo", "Wave", true},
        {"Wave", "lrs", "Wave Rate", true},
        {"Wave", "lfoDp", "Density", true},
        {"Wave", "lsh", "Wave Shape", true},
        {"Wave", "woPh", "Phase", true},
        {"Wave", "woOff", "Offset", true},
        {"Tremolo", "trem", "Tremolo", true},
        {"Tremolo", "tremR", "Trem Rate", true},
        {"Tremolo", "tremD", "Trem Depth", true},
        {"Tremolo", "tremPh", "Trem Phase", true},
        {"Tremolo", "tremOff", "L/R Offset", true},
        {"Tremolo", "tremSh", "Trem Shape", true},
    };
}
} // namespace

RandomMatrix::RandomMatrix(juce::AudioProcessorValueTreeState& treeToUse) : tree(treeToUse), rows(makeRows())
{
    writeMissingDefaults(matrixTree());
}

juce::ValueTree RandomMatrix::matrixTree() const
{
    return tree.state.getOrCreateChildWithName(kMatrixType, nullptr);
}

bool RandomMatrix::isEnabled(const juce::String& id) const
{
    return (bool)matrixTree().getProperty(propertyFor(id), true);
}

void RandomMatrix::setEnabled(const juce::String& id, bool enabled)
{
    matrixTree().setProperty(propertyFor(id), enabled, nullptr);
}

void RandomMatrix::setAll(bool enabled)
{
    for (const auto& row : rows)
        setEnabled(row.id, enabled);
}

void RandomMatrix::restoreFrom(juce::ValueTree restoredChild)
{
    writeMissingDefaults(restoredChild);
}

void RandomMatrix::writeMissingDefaults(juce::ValueTree child)
{
    for (const auto& row : rows)
        if (!child.hasProperty(propertyFor(row.id)))
            child.setProperty(propertyFor(row.id), row.enabledByDefault, nullptr);
}
} // namespace vorl
