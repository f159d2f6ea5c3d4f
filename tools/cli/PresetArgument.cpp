#include "PresetArgument.h"

#include "processor/PluginProcessor.h"

namespace vorl::cli
{
bool applyPresetArgument(TarnelDelayAudioProcessor& processor, const juce::String& presetId, juce::String& error)
{
    const auto* patch = processor.presetLibrary.findPatchById(presetId);
    if (patch == nullptr)
    {
        error = "no preset '" + presetId + "' (vorl-render --list-presets lists them)";
        return false;
    }
    processor.applyPatch(*patch);
    return true;
}
} // namespace vorl::cli
