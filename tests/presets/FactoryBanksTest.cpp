#include "FactoryBankCompiler.h"
#include "FactoryPresetData.h"
#include "presets/PresetLibrary.h"
#include "processor/ParameterLayout.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
juce::String embeddedDocument()
{
    return juce::String::fromUTF8(FactoryPresetData::FactoryBanks_json,
                                  FactoryPresetData::FactoryBanks_jsonSize);
}

struct BankContent
{
    const char* bank;
    std::vector<const char*> names;
};

// Every factory preset by bank (and category), in document order.
const std::vector<BankContent> kExpectedBanks{
    {"Character",
     {"Analog Synth Bounce",
      "Chicken Pickin' Slap",
      "Delay Pedal Emulation",
      "Delicate Echoes",
      "Desert Canyon Wash",
      "Empty Oil Drum",
      "Intimate Vocal Slap",
      "Lead Vocal Doubler",
      "Long Flutter",
      "Long Tail Sat",
      "Long Wash",
      "Mellow Echo",
      "Modular Drift",
      "Muted Trumpet Echo",
      "Paper Undulations",
      "Percussion Bounce",
      "Pizz-Like",
      "Rimshot Echo",
      "Sequenced Pulse",
      "Surf Guitar Slap",
      "Thick Synthy Delay",
      "Whispering Repeat"}},
    {"Sound Design/Buzzy & Distorted",
     {"Blown Speaker Trail", "Distorted Feedback Loop", "Fried Circuit", "Overloaded Preamp", "Rusty Gears"}},
    {"Sound Design/Cosmic & Tarnel",
     {"Black Hole Bloom", "Collapsing Star", "Cosmic Undertow", "Dark Matter Trail", "Floaty Ripples",
      "Tarnel Well", "Interstellar Echo", "Neutron Star Ping", "Orbital Decay", "Spacetime Ripple"}},
    {"Sound Design/Glitch & Chaos",
     {"Broken Sequencer", "Flipped Reality", "Jittery Pulse Field", "Malfunction Loop", "Reverse Fragments",
      "Scrambled Signal"}},
    {"Sound Design/Long & Cosmic",
     {"Deep Space Sustain", "Endless Horizon", "Eternal Return", "Fading into Void", "Frozen in Time",
      "Glacial Drift", "Vanishing Point"}},
    {"Sound Design/Metallic & Resonant",
     {"Anti-Phase Bloom", "Out of Phase Drift", "Phase Cancellation Drift", "Resonant Comb",
      "Sheet Metal Echo", "Wobble Phase Loop"}},
    {"Sound Design/Pitch Chorus Extremes",
     {"Alien Chorus", "Deep Pitch Wash", "Detuned Cosmos", "Fast Flutter Chorus", "Vorled Chorus"}},
    {"Sound Design/Short to Long", {"Backwards Bloom", "Inverted Spread", "Long Fuse Short Snap"}},
    {"Traditional",
     {"8th w stretch",
      "8th-triplets",
      "Cathedral Wash",
      "Dance Vocal",
      "Dark Concert Hall",
      "Eighth Note Pulse",
      "Eighth Triplet Bounce",
      "Gentle Cascade",
      "Half Note Wash",
      "INIT PATCH",
      "Long Hall Tail",
      "Medium Hall Pretty",
      "Nostalgic Repeats",
      "Old Reel Repeats",
      "Phasey Ambience",
      "Ping Pong Eighths",
      "Reel to Reel",
      "Rockabilly Slap",
      "Room Bloom",
      "Sixteenth Flutter",
      "Soft Room Bloom",
      "Standard Delay",
      "Steady 8ths",
      "Tape Saturation Echo",
      "Vocal Thickener",
      "Warm Room Reflections",
      "Wobbly Tape Echo",
      "Worn Tape Loop"}},
    {"Weird",
     {"Bats!", "Bouncy Ball", "Buzzy Mouth Sounds", "Catch and Release", "Embarrassed Robot",
      "Galactic Waves", "Glitchy Cloud", "Horror Voices", "Icy Cloud", "Long Rubber Band", "Magic Reverses",
      "Midrangey Chorus", "Moaning Aliens", "Reverse String Bounce", "Ring the Bell", "Robot Pan Drum",
      "Seasick Bobbleheads", "Skids", "Slippery Cello"}},
};

const std::map<juce::String, double> kInitPatch{{"g", 0.5},
                                                {"s", 0.416669994592667},
                                                {"e", 0.416669994592667},
                                                {"fb", 0.651539981365204},
                                                {"pd", 0.163045004010201},
                                                {"fbk", 0.0},
                                                {"io2x", 0.0},
                                                {"lk", 1.0},
                                                {"mu", 1.0},
                                                {"rev", 0.0},
                                                {"flipped", 0.0},
                                                {"tapCnt", 1.0},
                                                {"dcv", 0.433349996805191},
                                                {"dc", 1.0},
                                                {"dcMode", 0.0},
                                                {"dcSteps", 0.200000002980232},
                                                {"dcFall", 0.797749996185303},
                                                {"hp", 0.434569984674454},
                                                {"lp", 0.732999980449677},
                                                {"mix", 1.0},
                                                {"mixByp", 0.0},
                                                {"mout", 0.812651991844177},
                                                {"spread", 0.500666677951813},
                                                {"sideOnly", 0.0},
                                                {"ppOn", 0.0},
                                                {"ppW", 0.0},
                                                {"tp", 0.0},
                                                {"tOd", 0.0},
                                                {"tBoost", 0.495299994945526},
                                                {"td", 0.416699975728989},
                                                {"sat", 0.773399949073792},
                                                {"flutter", 0.0},
                                                {"flutSpd", 0.449999988079071},
                                                {"tpWet", 1.0},
                                                {"tDarken", 0.310000002384186},
                                                {"headBump", 0.0},
                                                {"pitchOn", 0.0},
                                                {"pitchSync", 0.0},
                                                {"pitchWide", 0.0},
                                                {"pitch2x", 0.0},
                                                {"pitchCt", 0.5},
                                                {"pitchRt", 0.230769991874695},
                                                {"pitchDp", 0.63245552778244},
                                                {"pitchSh", 0.0},
                                                {"pitchMix", 0.503999948501587},
                                                {"pitchFbk", 0.158199995756149},
                                                {"pitchGLink", 0.0},
                                                {"pitchWLAmt", 0.025000000372529},
                                                {"pitchLB", 0.5},
                                                {"wo", 0.0},
                                                {"waveSync", 0.0},
                                                {"lrs", 0.523000001907349},
                                                {"lfoDp", 0.699999988079071},
                                                {"lsh", 0.0},
                                                {"woPh", 0.5},
                                                {"woOff", 0.5},
                                                {"trem", 0.0},
                                                {"tremSync", 1.0},
                                                {"tremR", 0.583000004291534},
                                                {"tremD", 0.751299977302551},
                                                {"tremPh", 0.5},
                                                {"tremOff", 0.5},
                                                {"tremSh", 0.0}};

const char* const kExtraKeys[] = {"chaos", "cwT", "cwW", "cwTr", "cwG"};

class FactoryBanksTest : public testing::Test
{
protected:
    juce::StringArray keysOf(const presets::Patch& patch) const
    {
        juce::StringArray keys;
        if (auto* object = patch.params.getDynamicObject())
            for (const auto& property : object->getProperties())
                keys.add(property.name.toString());
        return keys;
    }

    presets::PresetLibrary library;
};

TEST_F(FactoryBanksTest, BanksCategoriesAndNamesComeInDocumentOrder)
{
    ASSERT_EQ(library.getFactoryCount(), 111);
    size_t index = 0;
    for (const auto& bank : kExpectedBanks)
        for (const auto* name : bank.names)
        {
            ASSERT_LT(index, library.getPatches().size());
            const auto& patch = library.getPatches()[index++];
            EXPECT_EQ(patch.bank, bank.bank) << name;
            EXPECT_EQ(patch.name, name);
        }
    EXPECT_EQ(index, 111u);
    ASSERT_NE(library.findPatchById("Sound Design/Cosmic & Tarnel/Orbital Decay"), nullptr);
    ASSERT_NE(library.findPatchById("Weird/Skids"), nullptr);
}

TEST_F(FactoryBanksTest, InitPatchHoldsExactlyItsFixedValues)
{
    const auto* init = library.findPatchById("Traditional/INIT PATCH");
    ASSERT_NE(init, nullptr);
    for (const auto* id : vorl::kParameterIds)
    {
        const auto& value = init->params[id];
        ASSERT_TRUE(value.isDouble()) << id;
        EXPECT_EQ((double)value, kInitPatch.at(id)) << id;
    }
}

TEST_F(FactoryBanksTest, EveryPresetCarriesTheRightKeysWithNormalisedNumbers)
{
    const juce::StringArray skidsMissing{"io2x", "tapCnt", "dcFall", "mixByp", "sideOnly", "tOd"};
    for (int i = 0; i < library.getFactoryCount(); ++i)
    {
        const auto& patch = library.getPatches()[(size_t)i];
        juce::StringArray expected;
        for (const auto* id : vorl::kParameterIds)
        {
            const juce::String parameterId(id);
            if (patch.name == "INIT PATCH" ||
                (patch.name == "Skids" ? !skidsMissing.contains(parameterId) : parameterId != "dcFall"))
                expected.add(parameterId);
        }
        for (const auto* key : kExtraKeys)
            expected.add(key);
        if (patch.name == "Skids")
            expected.addArray(juce::StringArray{"falloff", "endFreq"});

        EXPECT_EQ(keysOf(patch), expected) << patch.getId();
        for (const auto& key : keysOf(patch))
        {
            const auto& value = patch.params[juce::Identifier(key)];
            EXPECT_TRUE(value.isDouble()) << patch.getId() << " " << key;
            EXPECT_GE((double)value, 0.0) << patch.getId() << " " << key;
            EXPECT_LE((double)value, 1.0) << patch.getId() << " " << key;
        }
    }
}

TEST_F(FactoryBanksTest, DocumentIsUtf8CrlfWithTwoSpaceIndentation)
{
    const auto text = embeddedDocument();
    EXPECT_FALSE(text.startsWithChar((juce::juce_wchar)0xfeff));
    EXPECT_TRUE(juce::CharPointer_UTF8::isValidString(FactoryPresetData::FactoryBanks_json,
                                                      FactoryPresetData::FactoryBanks_jsonSize));
    EXPECT_FALSE(text.replace("\r\n", "").containsAnyOf("\r\n"));
    juce::StringArray lines;
    lines.addTokens(text, "\n", "");
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(lines[1], "  \"banks\": [\r");
    for (const auto& line : lines)
    {
        const int indent = line.length() - line.trimStart().length();
        EXPECT_EQ(indent % 2, 0) << line;
    }
}

// The committed document must be what the generator makes of the readable sources.
TEST_F(FactoryBanksTest, DocumentIsUpToDateWithItsSources)
{
    const juce::File presetsFolder(VORL_PRESET_SOURCE_DIR);
    const auto compiled = vorl::presetgen::compileFactoryBankFolder(presetsFolder.getChildFile("factory"));
    ASSERT_TRUE(compiled.errors.isEmpty()) << compiled.errors.joinIntoString("\n");
    EXPECT_EQ(compiled.presetCount, 111);
    EXPECT_TRUE(compiled.document == presetsFolder.getChildFile("FactoryBanks.json").loadFileAsString())
        << "source/presets/FactoryBanks.json is stale: run the factory-presets build target";
    EXPECT_TRUE(compiled.document == embeddedDocument()) << "the plug-in embeds an older document";
}

// The names promise a sound; check each uses the sections that make it.
TEST_F(FactoryBanksTest, PresetsUseWhatTheirNamesPromise)
{
    auto on = [](const presets::Patch& p, const char* id) { return (double)p.params[id] > 0.5; };
    for (int i = 0; i < library.getFactoryCount(); ++i)
    {
        const auto& p = library.getPatches()[(size_t)i];
        const auto& name = p.name;
        const auto id = p.getId();
        if (name.containsIgnoreCase("Reverse"))
        {
            EXPECT_TRUE(on(p, "rev")) << id;
        }
        if (p.bank == "Sound Design/Cosmic & Tarnel")
        {
            EXPECT_GE(std::abs((double)p.params["g"] - 0.5), 0.25) << id << ": Vorl bends hard";
        }
        if (p.bank == "Sound Design/Pitch Chorus Extremes" || name.containsIgnoreCase("Chorus") ||
            name.contains("Pitch"))
        {
            EXPECT_TRUE(on(p, "pitchOn")) << id;
        }
        if (name.containsIgnoreCase("Tape") || name.contains("Reel") ||
            (name.contains("Flutter") && !name.contains("Chorus")))
        {
            EXPECT_TRUE(on(p, "tp")) << id;
        }
        if (name.contains("Ping Pong"))
        {
            EXPECT_TRUE(on(p, "ppOn") && (double)p.params["ppW"] > 0.5) << id;
        }
        if (name.containsIgnoreCase("Eighth") || name.startsWith("8th") || name.contains("8ths"))
        {
            EXPECT_TRUE(on(p, "mu")) << id << ": tempo-synced";
            // Note index 6 (1/8T) or 7 (1/8): slider value (12 - index) / 12.
            const double start = (double)p.params["s"];
            EXPECT_TRUE(std::abs(start - 5.0 / 12.0) < 1.0e-4 || std::abs(start - 6.0 / 12.0) < 1.0e-4) << id;
        }
        if (name.contains("Slap"))
        {
            EXPECT_LE((int)std::lround((double)p.params["tapCnt"] * 63.0) + 1, 4)
                << id << ": one to a few taps";
            EXPECT_GE((double)p.params["pd"] * 2000.0, 60.0) << id << ": a slap, not a doubling";
        }
    }
}
} // namespace
