#include "ParameterLayout.h"

#include "SteppedParameter.h"
#include "ValueCurves.h"

#include <cmath>

namespace vorl
{
namespace
{
enum class Kind
{
    Float,
    Bool,
    Int
};

struct ParameterDefinition
{
    const char* id;
    const char* name;
    Kind kind;
    float minimum;
    float maximum;
    float defaultValue;
    int versionHint;
    float interval = 0.0f;
    float skew = 1.0f;
    bool symmetricSkew = false;
};

// Defaults that follow from the value curves, evaluated in single precision.
const float kDefaultStart = msToTimeSlider(30.0f); // 320
const float kDefaultEnd = msToTimeSlider(300.0f);  // 537, which reads back as 301 ms
const float kDefaultLength = std::round(1000.0f * std::log(240.0f) / std::log(1400.0f)); // 2408 ms
const float kDefaultDecayCurve = std::acos(0.7f) * 63.661976f;      // derived curve value -70
const float kMasterSkew = std::log(0.5f) / std::log(48.0f / 66.0f); // -12 dB at the centre
const float kDefaultWaveRate = std::round(1000.0f * std::log(8.0f) / std::log(53.333f));     // 1.2 Hz
const float kDefaultTremoloRate = std::round(1000.0f * std::log(20.0f) / std::log(53.333f)); // 3 Hz

constexpr float kOff = 0.0f;
constexpr float kOn = 1.0f;

const ParameterDefinition kDefinitions[kNumParameters] = {
    {"g", "Vorl", Kind::Float, -100.0f, 100.0f, 0.0f, 1},
    {"s", "Start", Kind::Float, 0.0f, 1000.0f, kDefaultStart, 1},
    {"e", "End", Kind::Float, 0.0f, 1000.0f, kDefaultEnd, 1},
    {"fb", "Length", Kind::Float, 0.0f, 1000.0f, kDefaultLength, 1},
    {"pd", "Predelay", Kind::Float, 0.0f, 2000.0f, 0.0f, 1},
    {"fbk", "Feedback", Kind::Float, 0.0f, 100.0f, 0.0f, 1},
    {"io2x", "In/Out 4x", Kind::Bool, 0.0f, 1.0f, kOff, 1},
    {"lk", "Start/End Lock", Kind::Bool, 0.0f, 1.0f, kOff, 1},
    {"mu", "Tap Sync", Kind::Bool, 0.0f, 1.0f, kOff, 1},
    {"rev", "Reverse", Kind::Bool, 0.0f, 1.0f, kOff, 1},
    {"flipped", "Tap Flip", Kind::Bool, 0.0f, 1.0f, kOff, 1},
    {"tapCnt", "Tap Count", Kind::Int, 1.0f, 64.0f, 64.0f, 1},
    {"dcv", "Decay Curve", Kind::Float, -100.0f, 300.0f, kDefaultDecayCurve, 2},
    {"dc", "Dynamic Smoothing", Kind::Bool, 0.0f, 1.0f, kOn, 2},
    {"dcMode", "Decay Mode", Kind::Int, 0.0f, 2.0f, 0.0f, 2},
    {"dcSteps", "Decay Steps", Kind::Int, 1.0f, 16.0f, 4.0f, 2},
    {"dcFall", "Decay Falloff", Kind::Float, 0.0f, 40.0f, 25.0f, 2},
    {"hp", "HP", Kind::Float, 0.0f, 1000.0f, 434.59f, 4},
    {"lp", "LP", Kind::Float, 0.0f, 1000.0f, 656.65f, 4},
    {"mix", "Dry/Wet", Kind::Float, 0.0f, 100.0f, 80.0f, 5},
    {"mixByp", "Mix Bypass", Kind::Bool, 0.0f, 1.0f, kOff, 5},
    {"mout", "Master", Kind::Float, -60.0f, 6.0f, 0.0f, 5, 0.1f, kMasterSkew},
    {"spread", "Widen", Kind::Float, 0.0f, 15.0f, 7.5f, 5},
    {"sideOnly", "No Mid", Kind::Bool, 0.0f, 1.0f, kOff, 5},
    {"ppOn", "Ping Pong", Kind::Bool, 0.0f, 1.0f, kOff, 5},
    {"ppW", "Ping Pong Amount", Kind::Float, 0.0f, 100.0f, 0.0f, 5},
    {"tp", "Tape", Kind::Bool, 0.0f, 1.0f, kOff, 6},
    {"tOd", "Tape OD Mode", Kind::Bool, 0.0f, 1.0f, kOff, 6},
    {"tBoost", "Tape In", Kind::Float, 0.0f, 100.0f, 0.0f, 6},
    {"td", "Tape Out", Kind::Float, 0.0f, 100.0f, 50.0f, 6},
    {"sat", "Tape LPF", Kind::Float, 0.0f, 100.0f, 100.0f, 6},
    {"flutter", "Tape Flutter", Kind::Float, 0.0f, 100.0f, 0.0f, 6},
    {"flutSpd", "Tape Flutter Speed", Kind::Float, 0.0f, 100.0f, 50.0f, 6},
    {"tpWet", "Tape Mix", Kind::Float, 0.0f, 100.0f, 100.0f, 6},
    {"tDarken", "Tape Wear", Kind::Float, 0.0f, 100.0f, 25.0f, 6, 1.0f},
    {"headBump", "Tape Head Bump", Kind::Float, 0.0f, 100.0f, 20.0f, 6},
    {"pitchOn", "Pitch/Chorus", Kind::Bool, 0.0f, 1.0f, kOff, 7},
    {"pitchSync", "Pitch Sync", Kind::Bool, 0.0f, 1.0f, kOff, 7},
    {"pitchWide", "Pitch Wide", Kind::Bool, 0.0f, 1.0f, kOn, 7},
    {"pitch2x", "Pitch 2x", Kind::Bool, 0.0f, 1.0f, kOff, 7},
    {"pitchCt", "Pitch", Kind::Float, -50.0f, 50.0f, 0.0f, 7, 0.1f, 0.4f, true},
    {"pitchRt", "Pitch Rate", Kind::Float, 0.0f, 1000.0f, 0.0f, 7},
    {"pitchDp", "Pitch Depth", Kind::Float, 0.0f, 100.0f, 0.0f, 7, 1.0f, 0.5f},
    {"pitchSh", "Pitch Shape", Kind::Int, 0.0f, 6.0f, 1.0f, 7},
    {"pitchMix", "Pitch Mix", Kind::Float, 0.0f, 100.0f, 100.0f, 7},
    {"pitchFbk", "Pitch Regen", Kind::Float, 0.0f, 100.0f, 0.0f, 7},
    {"pitchGLink", "Pitch Vorl Link", Kind::Bool, 0.0f, 1.0f, kOff, 7},
    {"pitchWLAmt", "Pitch Vorl Cents", Kind::Float, 0.0f, 1200.0f, 30.0f, 7},
    {"pitchLB", "Length Bend", Kind::Float, -1200.0f, 1200.0f, 0.0f, 7, 100.0f, 0.35f, true},
    {"wo", "Wave", Kind::Bool, 0.0f, 1.0f, kOff, 8},
    {"waveSync", "Wave Sync", Kind::Bool, 0.0f, 1.0f, kOff, 8},
    {"lrs", "Wave Rate", Kind::Float, 0.0f, 1000.0f, kDefaultWaveRate, 8},
    {"lfoDp", "Wave Density", Kind::Float, 0.0f, 100.0f, 70.0f, 8},
    {"lsh", "Wave Shape", Kind::Int, 0.0f, 7.0f, 0.0f, 8},
    {"woPh", "Wave Phase", Kind::Float, -180.0f, 180.0f, 0.0f, 8},
    {"woOff", "Wave Offset", Kind::Float, -180.0f, 180.0f, 0.0f, 8},
    {"trem", "Tremolo", Kind::Bool, 0.0f, 1.0f, kOff, 9},
    {"tremSync", "Trem Sync", Kind::Bool, 0.0f, 1.0f, kOff, 9},
    {"tremR", "Trem Rate", Kind::Float, 0.0f, 1000.0f, kDefaultTremoloRate, 9},
    {"tremD", "Trem Depth", Kind::Float, 0.0f, 100.0f, 80.0f, 9},
    {"tremPh", "Trem Phase", Kind::Float, -180.0f, 180.0f, 0.0f, 9},
    {"tremOff", "Trem Offset", Kind::Float, -180.0f, 180.0f, 0.0f, 9},
    {"tremSh", "Trem Shape", Kind::Int, 0.0f, 7.0f, 0.0f, 9},
};

std::unique_ptr<juce::RangedAudioParameter> makeParameter(const ParameterDefinition& definition)
{
    const juce::ParameterID parameterId{definition.id, definition.versionHint};
    switch (definition.kind)
    {
    case Kind::Bool:
        return std::make_unique<SteppedParameter>(parameterId, definition.name,
                                                  SteppedParameter::Kind::Switch, 0, 1,
                                                  definition.defaultValue > 0.5f ? 1 : 0);
    case Kind::Int:
        return std::make_unique<SteppedParameter>(
            parameterId, definition.name, SteppedParameter::Kind::WholeNumber, (int)definition.minimum,
            (int)definition.maximum, (int)definition.defaultValue);
    case Kind::Float:
        break;
    }
    const juce::NormalisableRange<float> range(definition.minimum, definition.maximum, definition.interval,
                                               definition.skew, definition.symmetricSkew);
    return std::make_unique<juce::AudioParameterFloat>(parameterId, definition.name, range,
                                                       definition.defaultValue);
}

std::array<const char*, kNumParameters> collectIds()
{
    std::array<const char*, kNumParameters> ids{};
    for (int i = 0; i < kNumParameters; ++i)
        ids[(size_t)i] = kDefinitions[i].id;
    return ids;
}
} // namespace

const std::array<const char*, kNumParameters> kParameterIds = collectIds();

juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout()
{
    juce::AudioProcessorValueTreeState::ParameterLayout layout;
    for (const auto& definition : kDefinitions)
        layout.add(makeParameter(definition));
    return layout;
}
} // namespace vorl
