#include "PlainValues.h"
#include "processor/PluginProcessor.h"
#include "processor/StateXml.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace
{
juce::MemoryBlock saveState(TarnelDelayAudioProcessor& processor)
{
    juce::MemoryBlock block;
    processor.getStateInformation(block);
    return block;
}

void restoreState(TarnelDelayAudioProcessor& processor, const juce::MemoryBlock& block)
{
    processor.setStateInformation(block.getData(), (int)block.getSize());
}

void setValue(TarnelDelayAudioProcessor& processor, const char* id, float plainValue)
{
    vorl::test::setPlainValue(processor.apvts, id, plainValue);
}

float value(TarnelDelayAudioProcessor& processor, const char* id)
{
    return vorl::test::plainValue(processor.apvts, id);
}

juce::MemoryBlock blockFromXml(const juce::String& xmlText)
{
    juce::MemoryBlock block;
    if (auto xml = juce::parseXML(xmlText))
        juce::AudioProcessor::copyXmlToBinary(*xml, block);
    return block;
}

class PluginStateTest : public testing::Test
{
protected:
    TarnelDelayAudioProcessor source;
    TarnelDelayAudioProcessor target;
};

TEST_F(PluginStateTest, RoundTripReproducesParametersSeedsMatrixAndAccordion)
{
    setValue(source, "g", -37.5f);
    setValue(source, "tapCnt", 17.0f);
    setValue(source, "mout", -12.3f);
    setValue(source, "ppOn", 1.0f);
    setValue(source, "ppW", 40.0f);
    setValue(source, "lsh", 6.0f);
    source.reseedAllLfos();
    source.randomMatrix.setEnabled("g", false);
    source.randomMatrix.setEnabled("hp", true);
    source.accordionLayout.setExpanded("PITCH / CHORUS", false);

    const auto versionBefore = target.stateVersion.load();
    target.currentPresetName = "Kept Name";
    restoreState(target, saveState(source));

    for (auto* parameter : source.getParameters())
    {
        auto* ranged = dynamic_cast<juce::RangedAudioParameter*>(parameter);
        EXPECT_FLOAT_EQ(value(target, ranged->getParameterID().toRawUTF8()),
                        value(source, ranged->getParameterID().toRawUTF8()))
            << ranged->getParameterID();
    }
    EXPECT_EQ(target.tapCount.load(), 17);
    EXPECT_EQ(target.seeds.tremolo.load(), source.seeds.tremolo.load());
    EXPECT_EQ(target.seeds.wave.load(), source.seeds.wave.load());
    EXPECT_EQ(target.seeds.pitch.load(), source.seeds.pitch.load());
    EXPECT_FALSE(target.randomMatrix.isEnabled("g"));
    EXPECT_TRUE(target.randomMatrix.isEnabled("hp"));
    EXPECT_FALSE(target.randomMatrix.isEnabled("lp"));
    EXPECT_FALSE(target.accordionLayout.isExpanded("PITCH / CHORUS"));
    EXPECT_TRUE(target.accordionLayout.isExpanded("WAVE"));
    EXPECT_EQ(target.stateVersion.load(), versionBefore + 1);
    EXPECT_EQ(target.getHistory().size(), 1);
    EXPECT_EQ(target.currentPresetName, "Kept Name");
}

TEST_F(PluginStateTest, StateIsParametersXmlWithItsThreeChildren)
{
    const auto block = saveState(source);
    const auto xml = juce::AudioProcessor::getXmlFromBinary(block.getData(), (int)block.getSize());
    ASSERT_NE(xml, nullptr);
    EXPECT_TRUE(xml->hasTagName("Parameters"));
    int params = 0;
    for (auto* child : xml->getChildWithTagNameIterator("PARAM"))
    {
        EXPECT_TRUE(child->hasAttribute("id"));
        EXPECT_TRUE(child->hasAttribute("value"));
        ++params;
    }
    EXPECT_EQ(params, 63);
    ASSERT_NE(xml->getChildByName("RandomMatrix"), nullptr);
    EXPECT_EQ(xml->getChildByName("RandomMatrix")->getNumAttributes(), 49);
    ASSERT_NE(xml->getChildByName("SeedState"), nullptr);
    EXPECT_EQ(xml->getChildByName("SeedState")->getStringAttribute("tremLfoSeed"), "-1059128610");
    EXPECT_EQ(xml->getChildByName("SeedState")->getStringAttribute("waveLfoSeed"), "1592590337");
    EXPECT_EQ(xml->getChildByName("SeedState")->getStringAttribute("pitchLfoSeed"), "668265263");
}

TEST_F(PluginStateTest, PingPongAmountIsDroppedWhenTheSwitchIsOff)
{
    setValue(source, "ppOn", 0.0f);
    setValue(source, "ppW", 40.0f);
    restoreState(target, saveState(source));
    EXPECT_FLOAT_EQ(value(target, "ppW"), 0.0f);
}

TEST_F(PluginStateTest, SeedOfAllBitsSetComesBackAsMinusOne)
{
    source.seeds.pitch.store(-1);
    restoreState(target, saveState(source));
    EXPECT_EQ(target.seeds.pitch.load(), -1);
}

TEST_F(PluginStateTest, OlderStateLeavesMissingPartsAsTheyAre)
{
    setValue(target, "g", 42.0f);
    target.seeds.wave.store(99);
    const auto block = blockFromXml("<Parameters><PARAM id=\"mix\" value=\"33\"/>"
                                    "<SeedState tremLfoSeed=\"5\"/>"
                                    "<RandomMatrix enabled_g=\"0\"/></Parameters>");
    restoreState(target, block);

    EXPECT_FLOAT_EQ(value(target, "mix"), 33.0f);
    EXPECT_FLOAT_EQ(value(target, "g"), 42.0f); // no PARAM child: keeps its value
    EXPECT_EQ(target.seeds.tremolo.load(), 5);
    EXPECT_EQ(target.seeds.wave.load(), 99); // property missing: kept
    EXPECT_FALSE(target.randomMatrix.isEnabled("g"));
    EXPECT_FALSE(target.randomMatrix.isEnabled("hp")); // missing property gets its default
    EXPECT_TRUE(target.randomMatrix.isEnabled("tDarken"));
    EXPECT_TRUE(target.accordionLayout.isExpanded("TAPE"));
}

TEST_F(PluginStateTest, StateWithoutMatrixEnablesEveryRow)
{
    restoreState(target, blockFromXml("<Parameters><PARAM id=\"mix\" value=\"50\"/></Parameters>"));
    for (const auto& row : target.randomMatrix.getRows())
        EXPECT_TRUE(target.randomMatrix.isEnabled(row.id)) << row.id;
    EXPECT_TRUE(target.apvts.state.getChildWithName("RandomMatrix").isValid());
    EXPECT_TRUE(target.apvts.state.getChildWithName("AccordionLayout").isValid());
    for (const char* title : {"WAVE", "TREMOLO", "TAPE", "PITCH / CHORUS"})
        EXPECT_TRUE(target.accordionLayout.isExpanded(title));

    // Saving and loading again keeps every row on, not the rows' defaults.
    TarnelDelayAudioProcessor reloaded;
    restoreState(reloaded, saveState(target));
    for (const auto& row : reloaded.randomMatrix.getRows())
        EXPECT_TRUE(reloaded.randomMatrix.isEnabled(row.id)) << row.id;
}

TEST(AccordionLayoutKeys, ReplaceEveryCharacterThatIsNotALetterOrDigit)
{
    EXPECT_EQ(vorl::AccordionLayout::propertyFor("PITCH / CHORUS").toString(), "expanded_PITCH___CHORUS");
    EXPECT_EQ(vorl::AccordionLayout::propertyFor("WAVE").toString(), "expanded_WAVE");
}

struct RejectedBlock
{
    const char* description;
    juce::MemoryBlock block;
};

TEST_F(PluginStateTest, ForeignOrBrokenBlocksChangeNothing)
{
    setValue(target, "g", 12.0f);
    const auto before = saveState(target);
    const auto versionBefore = target.stateVersion.load();

    const auto valid = saveState(source);
    std::vector<RejectedBlock> cases;
    cases.push_back({"empty", juce::MemoryBlock()});
    cases.push_back({"header only", juce::MemoryBlock(valid.getData(), 8)});
    cases.push_back({"other root", blockFromXml("<Other><PARAM id=\"g\" value=\"50\"/></Other>")});
    cases.push_back({"plain text", juce::MemoryBlock("<Parameters/>", 13)});
    juce::MemoryBlock noise(4096);
    juce::Random random(1234);
    random.fillBitsRandomly(noise.getData(), noise.getSize());
    cases.push_back({"noise", noise});

    for (const auto& c : cases)
    {
        restoreState(target, c.block);
        EXPECT_EQ(target.stateVersion.load(), versionBefore) << c.description;
        EXPECT_EQ(saveState(target), before) << c.description;
    }
    target.setStateInformation(nullptr, 100);
    target.setStateInformation(valid.getData(), -5);
    EXPECT_EQ(saveState(target), before);
}

// Random, truncated and bit-flipped variants of a valid state: each leaves the
// processor either exactly as it was or in a whole, usable state.
TEST_F(PluginStateTest, CorruptedVariantsAreIgnoredOrRestoredWhole)
{
    setValue(source, "g", -80.0f);
    setValue(source, "ppOn", 1.0f);
    setValue(source, "ppW", 70.0f);
    source.randomMatrix.setEnabled("mix", true);
    const auto valid = saveState(source);
    const auto baseline = saveState(target);

    std::mt19937 rng(20261210);
    constexpr int kVariants = 400;
    for (int variant = 0; variant < kVariants; ++variant)
    {
        restoreState(target, baseline);
        const auto versionBefore = target.stateVersion.load();
        const auto before = saveState(target);

        juce::MemoryBlock corrupted(valid);
        auto* bytes = static_cast<uint8_t*>(corrupted.getData());
        switch (variant % 3)
        {
        case 0: // truncated
            corrupted.setSize(rng() % valid.getSize());
            break;
        case 1: // a few flipped bits
            for (int flips = 1 + (int)(rng() % 6); flips > 0; --flips)
                bytes[rng() % corrupted.getSize()] ^= (uint8_t)(1u << (rng() % 8));
            break;
        default: // random bytes behind a valid header
            for (size_t i = 8 + rng() % (corrupted.getSize() - 8); i < corrupted.getSize(); ++i)
                bytes[i] = (uint8_t)rng();
            break;
        }

        restoreState(target, corrupted);

        if (target.stateVersion.load() == versionBefore)
        {
            EXPECT_EQ(saveState(target), before) << "variant " << variant;
            continue;
        }
        EXPECT_EQ(target.stateVersion.load(), versionBefore + 1);
        EXPECT_EQ(target.getHistory().size(), 1);
        for (auto* parameter : target.getParameters())
        {
            const float normalised = parameter->getValue();
            EXPECT_TRUE(std::isfinite(normalised) && normalised >= 0.0f && normalised <= 1.0f)
                << "variant " << variant << " " << parameter->getName(64);
        }
        EXPECT_TRUE(target.apvts.state.getChildWithName("SeedState").isValid());
        EXPECT_TRUE(target.apvts.state.getChildWithName("AccordionLayout").isValid());
        EXPECT_TRUE(target.apvts.state.getChildWithName("RandomMatrix").isValid());
        if (value(target, "ppOn") < 0.5f)
        {
            EXPECT_FLOAT_EQ(value(target, "ppW"), 0.0f);
        }

        // Whatever came back must itself survive a save and restore unchanged.
        const auto resaved = saveState(target);
        TarnelDelayAudioProcessor copy;
        restoreState(copy, resaved);
        EXPECT_EQ(saveState(copy), resaved) << "variant " << variant;
    }
}
} // namespace

namespace
{
struct XmlTextCase
{
    const char* text;
    bool accepted;
};

TEST(StateXmlText, AcceptsOnlyTheMarkupASavedStateContains)
{
    const XmlTextCase cases[] = {
        {"<Parameters><PARAM id=\"g\" value=\"1\"/></Parameters>", true},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><P a=\"&amp;&lt;&gt;&quot;&apos;&#65;&#x41;\"/>", true},
        {"<P a=\"&\"/>", false},
        {"<P a=\"&unknown;\"/>", false},
        {"<P a=\"&#;\"/>", false},
        {"<P a=\"&#x;\"/>", false},
        {"<P a=\"&#x12345678901;\"/>", false},
        {"<P a=\"&amp\"/>", false},
        {"<!DOCTYPE P [<!ENTITY e \"x\">]><P a=\"&e;\"/>", false},
        {"<P a=\"\xff\xfe\"/>", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vorl::isPlainStateXmlText(c.text, std::strlen(c.text)), c.accepted) << c.text;
}
} // namespace
