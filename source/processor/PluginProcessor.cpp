#include "PluginProcessor.h"

#include "ParameterLayout.h"
#include "editor/PluginEditor.h"
#include "presets/UserSettings.h"

#include <cmath>

namespace
{
const juce::String kTapCountId{"tapCnt"};

bool isUsableNormalisedValue(const juce::var& value)
{
    if (!(value.isDouble() || value.isInt() || value.isInt64() || value.isBool()))
        return false;
    return std::isfinite(static_cast<double>(value));
}
} // namespace

TarnelDelayAudioProcessor::TarnelDelayAudioProcessor()
    : juce::AudioProcessor(BusesProperties()
                               .withInput("Input", juce::AudioChannelSet::stereo(), true)
                               .withOutput("Output", juce::AudioChannelSet::stereo(), true)),
      apvts(*this, nullptr, "Parameters", vorl::createParameterLayout()),
      randomMatrix(apvts),
      accordionLayout(apvts)
{
    apvts.addParameterListener(kTapCountId, this);
    bindEngineParameters();

    // The library already holds the factory banks; add the user's presets and favourites, then
    // start on the default preset.
    const auto settings = presets::settingsFile();
    presetLibrary.setUserFolder(presets::chooseUserPresetFolder(settings));
    presetLibrary.rescanUserPresets();
    presetLibrary.loadFavourites();
    if (const auto* defaultPatch = presets::findDefaultPatch(presetLibrary, settings))
        applyPatch(*defaultPatch);

    writeSeedState();
    pushHistory();
}

TarnelDelayAudioProcessor::~TarnelDelayAudioProcessor()
{
    apvts.removeParameterListener(kTapCountId, this);
}

void TarnelDelayAudioProcessor::bindEngineParameters()
{
    for (const auto* id : vorl::kParameterIds)
        if (auto* field = vorl::engineFieldFor(engineParams, id))
            engineBindings.push_back({apvts.getRawParameterValue(id), field});
}

void TarnelDelayAudioProcessor::readEngineParameters() noexcept
{
    for (const auto& binding : engineBindings)
        *binding.field = binding.source->load(std::memory_order_relaxed);
}

void TarnelDelayAudioProcessor::prepareToPlay(double sampleRate, int samplesPerBlock)
{
    engine.prepare(sampleRate, samplesPerBlock);
    engineResetRequested.store(false);
    outputPeak = 0.0f;

    // An LV2 host takes each parameter to hold the default of the plug-in's description until
    // the plug-in reports another value, and JUCE's LV2 wrapper starts listening only after
    // construction, when the starting preset is already in place. The wrapper prepares before
    // the first block and passes these reports on with it.
    if (wrapperType == wrapperType_LV2)
        reportParameterValuesToHost();
}

void TarnelDelayAudioProcessor::reportParameterValuesToHost()
{
    for (auto* parameter : getParameters())
        parameter->sendValueChangedMessageToListeners(parameter->getValue());
}

void TarnelDelayAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;
    const auto position = readHostPosition();

    // The version is read before the reset request: a state change stores the request
    // first, so a new version always comes with its reset.
    vorl::EngineBlockInputs inputs;
    inputs.stateVersion = stateVersion.load();
    if (engineResetRequested.exchange(false))
        engine.reset();
    inputs.tapCount = tapCount.load();
    inputs.tremoloSeed = static_cast<uint32_t>(seeds.tremolo.load());
    inputs.waveSeed = static_cast<uint32_t>(seeds.wave.load());
    inputs.pitchSeed = static_cast<uint32_t>(seeds.pitch.load());
    readEngineParameters();

    const int numSamples = buffer.getNumSamples();
    const int numChannels = buffer.getNumChannels();
    if (numChannels > 0)
    {
        float* left = buffer.getWritePointer(0);
        float* right = numChannels > 1 ? buffer.getWritePointer(1) : nullptr;
        outputPeak = engine.process(left, right, numSamples, engineParams, position, inputs);
    }

    for (int channel = 2; channel < numChannels; ++channel)
        buffer.clear(channel, 0, numSamples);
}

vorl::HostPosition TarnelDelayAudioProcessor::readHostPosition() noexcept
{
    vorl::HostPosition result;
    auto* playHead = getPlayHead();
    if (playHead == nullptr)
        return result;
    const auto position = playHead->getPosition();
    if (!position)
        return result;
    result.available = true;
    if (const auto bpm = position->getBpm())
    {
        result.hasBpm = true;
        result.bpm = *bpm;
    }
    if (const auto ppq = position->getPpqPosition())
    {
        result.hasPpq = true;
        result.ppq = *ppq;
    }
    result.hasPlaying = true;
    result.playing = position->getIsPlaying();
    return result;
}

juce::AudioProcessorEditor* TarnelDelayAudioProcessor::createEditor()
{
    return new TarnelDelayAudioProcessorEditor(*this);
}

void TarnelDelayAudioProcessor::parameterChanged(const juce::String& parameterId, float newValue)
{
    if (parameterId != kTapCountId)
        return;
    // The parameter allows 1 to 64; 300 is the engine's tap capacity.
    const long rounded = std::isfinite(newValue) ? std::lround(newValue) : 1L;
    tapCount.store(static_cast<int>(juce::jlimit(1L, 300L, rounded)));
}

void TarnelDelayAudioProcessor::applyPatch(const presets::Patch& patch)
{
    currentPresetName = patch.name;
    currentPresetBank = patch.bank;

    // Every parameter starts from its default so a preset never inherits the previous one.
    for (auto* parameter : getParameters())
        parameter->setValueNotifyingHost(parameter->getDefaultValue());

    if (auto* values = patch.params.getDynamicObject())
        for (const auto& property : values->getProperties())
            if (auto* parameter = apvts.getParameter(property.name.toString()))
                if (isUsableNormalisedValue(property.value))
                    parameter->setValueNotifyingHost(vorl::valueOnStep(
                        *parameter,
                        juce::jlimit(0.0f, 1.0f, static_cast<float>(static_cast<double>(property.value)))));

    finishWholeStateChange();
}

juce::var TarnelDelayAudioProcessor::captureParams() const
{
    auto* values = new juce::DynamicObject();
    for (const auto* id : vorl::kParameterIds)
        if (auto* parameter = apvts.getParameter(id))
            values->setProperty(id, static_cast<double>(parameter->getValue()));
    return juce::var(values);
}

void TarnelDelayAudioProcessor::finishWholeStateChange()
{
    resetEngine();
    ++stateVersion;
}

void TarnelDelayAudioProcessor::pushHistory()
{
    writeSeedState();
    history.push(apvts.copyState());
}

void TarnelDelayAudioProcessor::stepHistoryBack()
{
    if (canStepHistoryBack())
        restoreSnapshot(history.stepBack());
}

void TarnelDelayAudioProcessor::stepHistoryForward()
{
    if (canStepHistoryForward())
        restoreSnapshot(history.stepForward());
}

void TarnelDelayAudioProcessor::restoreSnapshot(const juce::ValueTree& snapshot)
{
    apvts.replaceState(snapshot.createCopy());
    readSeedState();
    finishWholeStateChange();
}

void TarnelDelayAudioProcessor::reseedAllLfos()
{
    reseedTremoloLfo();
    reseedWaveLfo();
    reseedPitchLfo();
}

void TarnelDelayAudioProcessor::reseedTremoloLfo()
{
    seeds.reseedTremolo();
    writeSeedState();
}

void TarnelDelayAudioProcessor::reseedWaveLfo()
{
    seeds.reseedWave();
    writeSeedState();
}

void TarnelDelayAudioProcessor::reseedPitchLfo()
{
    seeds.reseedPitch();
    writeSeedState();
}

void TarnelDelayAudioProcessor::writeSeedState() { seeds.writeTo(apvts.state); }
void TarnelDelayAudioProcessor::readSeedState() { seeds.readFrom(apvts.state); }

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter() { return new TarnelDelayAudioProcessor(); }
