#include "LfoSeeds.h"

namespace vorl
{
namespace
{
const juce::Identifier kSeedStateType{"SeedState"};
const juce::Identifier kTremoloProperty{"tremLfoSeed"};
const juce::Identifier kWaveProperty{"waveLfoSeed"};
const juce::Identifier kPitchProperty{"pitchLfoSeed"};

int32_t drawSeed(uint32_t mixConstant)
{
    const auto low32 = static_cast<uint32_t>(juce::Random::getSystemRandom().nextInt64());
    return static_cast<int32_t>(low32 ^ mixConstant);
}

void readSeed(const juce::ValueTree& seedState, const juce::Identifier& property, std::atomic<int32_t>& seed)
{
    if (const auto* value = seedState.getPropertyPointer(property))
        seed.store(static_cast<int32_t>(static_cast<juce::int64>(*value)));
}
} // namespace

void LfoSeeds::writeTo(juce::ValueTree state) const
{
    auto seedState = state.getOrCreateChildWithName(kSeedStateType, nullptr);
    seedState.setProperty(kTremoloProperty, static_cast<int>(tremolo.load()), nullptr);
    seedState.setProperty(kWaveProperty, static_cast<int>(wave.load()), nullptr);
    seedState.setProperty(kPitchProperty, static_cast<int>(pitch.load()), nullptr);
}

void LfoSeeds::readFrom(const juce::ValueTree& state)
{
    const auto seedState = state.getChildWithName(kSeedStateType);
    if (!seedState.isValid())
        return;
    readSeed(seedState, kTremoloProperty, tremolo);
    readSeed(seedState, kWaveProperty, wave);
    readSeed(seedState, kPitchProperty, pitch);
}

void LfoSeeds::reseedTremolo() { tremolo.store(drawSeed(0x9e3779b9u)); }
void LfoSeeds::reseedWave() { wave.store(drawSeed(0x85ebca6bu)); }
void LfoSeeds::reseedPitch() { pitch.store(drawSeed(0x27d4eb2fu)); }
} // namespace vorl
