// Saving and restoring the plug-in state that the host keeps in its project.
#include "PluginProcessor.h"

#include "ParameterLayout.h"
#include "StateXml.h"

// A state saved by a build that lacked some parameters must leave those at their current
// values. The parameter tree would reset a parameter without a "PARAM" child to its
// default, so the missing children are added with the current values before replacing.
void TarnelDelayAudioProcessor::keepValuesOfParametersMissingFrom(juce::ValueTree& restored) const
{
    for (const auto* id : vorl::kParameterIds)
    {
        if (restored.getChildWithProperty("id", juce::String(id)).isValid())
            continue;
        juce::ValueTree param("PARAM");
        param.setProperty("id", juce::String(id), nullptr);
        param.setProperty("value", apvts.getRawParameterValue(id)->load(), nullptr);
        restored.appendChild(param, nullptr);
    }
}

void TarnelDelayAudioProcessor::getStateInformation(juce::MemoryBlock& destination)
{
    writeSeedState();
    if (const auto xml = apvts.copyState().createXml())
        copyXmlToBinary(*xml, destination);
}

void TarnelDelayAudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    const auto xml = vorl::readStateXml(data, sizeInBytes);
    if (xml == nullptr || !xml->hasTagName(apvts.state.getType()))
        return;

    auto restored = juce::ValueTree::fromXml(*xml);
    keepValuesOfParametersMissingFrom(restored);
    apvts.replaceState(restored);

    // Ping-pong amount without the switch is never restored as an audible leftover.
    auto* pingPongSwitch = apvts.getRawParameterValue("ppOn");
    if (pingPongSwitch != nullptr && pingPongSwitch->load() < 0.5f)
        if (auto* amount = apvts.getParameter("ppW"))
            amount->setValueNotifyingHost(0.0f);

    readSeedState();

    // A state without random-matrix flags enables every row. The flags are written out, not
    // left implied by an empty child: an empty child would come back with the row defaults
    // on the next load, so saving and reloading would switch rows off behind the user's back.
    const auto matrix = apvts.state.getChildWithName("RandomMatrix");
    if (matrix.isValid())
        randomMatrix.restoreFrom(matrix);
    else
        randomMatrix.setAll(true);

    if (!apvts.state.getChildWithName("AccordionLayout").isValid())
        apvts.state.appendChild(juce::ValueTree("AccordionLayout"), nullptr);

    finishWholeStateChange();

    history.clear();
    pushHistory();
}
