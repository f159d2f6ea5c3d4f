#include "DisplayState.h"

#include "DecayCurve.h"
#include "ValueCurves.h"
#include "processor/PluginProcessor.h"

#include <cmath>

namespace
{
class ParameterReader
{
public:
    explicit ParameterReader(juce::AudioProcessorValueTreeState& tree) : tree(tree) {}

    float raw(const char* id) const
    {
        const auto* value = tree.getRawParameterValue(id);
        return value != nullptr ? value->load() : 0.0f;
    }
    bool on(const char* id) const { return raw(id) > 0.5f; }
    // Choice values are truncated; a non-finite raw value reads as the first choice.
    int whole(const char* id) const
    {
        const float value = raw(id);
        return std::isfinite(value) ? static_cast<int>(value) : 0;
    }

private:
    juce::AudioProcessorValueTreeState& tree;
};
} // namespace

DisplayState readDisplayState(TarnelDelayAudioProcessor& processor)
{
    const ParameterReader p(processor.apvts);
    DisplayState s;
    s.waveOn = p.on("wo");
    s.tapeOn = p.on("tp");
    s.tremoloOn = p.on("trem");
    s.pingPongOn = p.raw("ppW") > 0.0f;
    s.dynamicSmoothing = p.on("dc");
    s.waveRateHz = vorl::rateSliderToHz(p.raw("lrs"));
    s.waveDensity = p.raw("lfoDp");
    s.wavePhase = p.raw("woPh");
    s.waveOffset = p.raw("woOff");
    s.waveShape = p.whole("lsh");
    s.tremRateHz = vorl::rateSliderToHz(p.raw("tremR"));
    s.tremDepth = p.raw("tremD");
    s.tremShape = p.whole("tremSh");
    s.tremPhase = p.raw("tremPh");
    s.tremOffset = p.raw("tremOff");
    s.tapeLpf = p.raw("sat");
    s.predelayMs = p.raw("pd");
    s.width = p.raw("spread");
    s.noMid = p.on("sideOnly");
    s.pingPongAmount = p.raw("ppW");
    s.decayCurve = vorl::decayCurveValue(p.raw("dcv"));
    s.decayMode = p.whole("dcMode");
    s.decaySteps = p.whole("dcSteps");
    s.decayFalloff = p.raw("dcFall");
    s.waveSeed = static_cast<uint32_t>(processor.seeds.wave.load());
    s.tremSeed = static_cast<uint32_t>(processor.seeds.tremolo.load());
    s.vorl = p.raw("g");
    s.hpHz = vorl::highPassSliderToHz(p.raw("hp"));
    s.lpHz = vorl::lowPassSliderToHz(p.raw("lp"));
    s.lengthMs = vorl::lengthSliderToMs(p.raw("fb"));
    s.mix = p.raw("mix");
    s.tapeMix = p.raw("tpWet");
    s.tapeOut = p.raw("td");
    s.tapeIn = p.raw("tBoost");
    s.flutterDepth = p.raw("flutter");
    s.flutterSpeed = p.raw("flutSpd");
    s.tapeWear = p.raw("tDarken");
    s.headBump = p.raw("headBump");
    s.dryWet = p.raw("mix");
    s.masterDb = p.raw("mout");
    s.pitchRateHz = vorl::pitchRateSliderToHz(p.raw("pitchRt"));
    s.pitchDepth = p.raw("pitchDp");
    s.pitchCents = p.raw("pitchCt");
    s.pitchMix = p.raw("pitchMix");
    s.lengthBend = p.raw("pitchLB");
    s.pitchVorlCents = p.raw("pitchWLAmt");
    s.pitchRegen = p.raw("pitchFbk");
    s.pitchShape = p.whole("pitchSh");
    s.pitch2x = p.on("pitch2x");
    return s;
}
