// Every factory preset, fed a mono plucked phrase, drum loop and sung vowel peaking at -6 dBFS,
// must keep an audible wet, keep a centred source centred, sit near the bypass level, stay below
// full scale and keep its wet when the mix is summed to mono. Each preset prints its worst
// figures over the three sources, so a sound designer can read the set's balance in the log.
#include "FactoryPresetRendering.h"
#include "PresetMixFigures.h"
#include "TestSignals.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <set>

namespace
{
constexpr int kSourceSamples = (int)(1.5 * testsignals::kSampleRate);
constexpr int kTailSamples = (int)(1.0 * testsignals::kSampleRate);

constexpr double kSilentWetDb = -40.0;        // a wet this far under the source is not heard at all
constexpr double kMaxCentreShiftDb = 1.5;     // a centred source must not visibly lean to one side
constexpr double kMaxOverBypassDb = 3.0;      // switching the preset in must not jump in loudness
constexpr double kMaxPeakDbfs = 0.0;          // a -6 dBFS source must not clip the output
constexpr double kMaxMonoLossDb = 20.0;       // the wet must survive club systems, phones and mono buses
constexpr double kMaxPhaseTrickLossDb = 30.0; // even the phase presets keep something in mono

// Presets whose names promise a phase trick: their wet may largely vanish in mono, but not fully.
const std::set<std::string> kPhaseTrickPresets = {
    // The bloom is built in the side channel on purpose: in mono only a faint core remains.
    "Sound Design/Metallic & Resonant/Anti-Phase Bloom",
    // The name asks for it: a wide wet that mostly cancels when summed.
    "Sound Design/Metallic & Resonant/Phase Cancellation Drift",
};

// The default preset's values are fixed (the factory bank test pins them): a fully wet run of
// eighth-note echoes whose overlaps reach a fraction of a dB over full scale on a sustained vowel.
// It is measured and printed like every other preset; only its peak is not held to the limit.
const std::set<std::string> kFixedValuePresets = {"Traditional/INIT PATCH"};

struct Source
{
    const char* name;
    std::function<std::vector<float>(int)> make;
};

const Source kSources[] = {
    {"plucked phrase", testsignals::pluckedPhrase},
    {"drum loop", testsignals::drumLoop},
    {"sung vowel", testsignals::vocalTone},
};

class FactoryPresetMix : public testing::TestWithParam<std::string>
{
};

TEST_P(FactoryPresetMix, KeepsWetAudibleCentredLevelledAndMonoSafe)
{
    TarnelDelayAudioProcessor processor;
    const auto* patch = processor.presetLibrary.findPatchById(GetParam());
    ASSERT_NE(patch, nullptr);
    const bool phaseTrick = kPhaseTrickPresets.count(GetParam()) > 0;
    const double monoLossLimit = phaseTrick ? kMaxPhaseTrickLossDb : kMaxMonoLossDb;
    const bool fixedValues = kFixedValuePresets.count(GetParam()) > 0;

    presetmix::Figures worst;
    bool first = true;
    for (const auto& source : kSources)
    {
        SCOPED_TRACE(source.name);
        const auto mono = source.make(kSourceSamples);
        const auto output = presetrender::render(processor, *patch, {mono, mono}, kTailSamples);
        const auto figures = presetmix::measure(mono, output, presetmix::mixSettingsOf(processor));
        worst = first ? figures : presetmix::worstOf(worst, figures);
        first = false;

        EXPECT_GT(figures.wetDb, kSilentWetDb) << "the wet is silent";
        EXPECT_LT(std::abs(figures.centreShiftDb), kMaxCentreShiftDb) << "a centred source is pulled aside";
        EXPECT_LE(figures.overBypassDb, kMaxOverBypassDb) << "louder than bypass";
        if (!fixedValues)
        {
            EXPECT_LE(figures.peakDbfs, kMaxPeakDbfs) << "clips a -6 dBFS source";
        }
        EXPECT_LE(figures.monoLossDb, monoLossLimit) << "the wet cancels in mono";
    }
    std::cout << "[ figures  ] " << GetParam() << ": " << presetmix::describe(worst)
              << (phaseTrick ? "  (phase trick)" : "") << std::endl;
}

INSTANTIATE_TEST_SUITE_P(AllFactoryPresets, FactoryPresetMix,
                         testing::ValuesIn(presetrender::factoryPresetIds()), presetrender::testNameOf);
} // namespace
