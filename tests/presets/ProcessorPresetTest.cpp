#include "TempFolder.h"
#include "presets/UserSettings.h"
#include "processor/ParameterLayout.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

namespace
{
using vorl::test::TempFolder;

float plain(TarnelDelayAudioProcessor& processor, const char* id)
{
    return processor.apvts.getRawParameterValue(id)->load();
}

// Each test starts without settings and removes what it wrote, so tests sharing one process
// (and its temporary home) do not see each other's settings.
class ProcessorPresetTest : public testing::Test
{
protected:
    void SetUp() override { presets::applicationDataFolder().deleteRecursively(); }
    void TearDown() override { presets::applicationDataFolder().deleteRecursively(); }

    static void writeSettings(const juce::String& json)
    {
        presets::applicationDataFolder().createDirectory();
        presets::settingsFile().replaceWithText(json);
    }
};

TEST_F(ProcessorPresetTest, FreshInstanceStartsOnInitPatch)
{
    TarnelDelayAudioProcessor processor;
    EXPECT_EQ(processor.currentPresetName, "INIT PATCH");
    EXPECT_EQ(processor.currentPresetBank, "Traditional");
    EXPECT_EQ(processor.presetLibrary.getFactoryCount(), 111);
    EXPECT_EQ(processor.presetLibrary.getUserFolder(), presets::defaultPresetFolder());
    EXPECT_FALSE(presets::applicationDataFolder().exists()) << "construction must not write anything";

    // In the parameters' own units.
    EXPECT_FLOAT_EQ(plain(processor, "mu"), 1.0f);
    EXPECT_FLOAT_EQ(plain(processor, "tapCnt"), 64.0f);
    EXPECT_NEAR(plain(processor, "s"), 416.67f, 0.01f); // an eighth note
    EXPECT_FLOAT_EQ(plain(processor, "mix"), 100.0f);
    EXPECT_NEAR(plain(processor, "mout"), 0.0f, 0.05f);
    EXPECT_NEAR(plain(processor, "dcFall"), 31.91f, 0.01f);
    EXPECT_NEAR(plain(processor, "spread"), 7.51f, 0.01f);
    EXPECT_FLOAT_EQ(plain(processor, "tp"), 0.0f);
    EXPECT_EQ(processor.getHistory().size(), 1);
}

TEST_F(ProcessorPresetTest, SettingsChooseTheUserFolderAndTheDefaultPreset)
{
    TempFolder user;
    user.write("Mine/Start Here.json", R"({"name": "Start Here", "params": {"mix": 0.5}})");
    user.write("favorites.txt", "Weird/Skids\r\nMine/Start Here");
    writeSettings("{\"presetFolder\": \"" + user.path().getFullPathName() +
                  "\", \"defaultPatchId\": \"Mine/Start Here\"}");

    TarnelDelayAudioProcessor processor;
    EXPECT_EQ(processor.presetLibrary.getUserFolder(), user.path());
    EXPECT_EQ(processor.currentPresetName, "Start Here");
    EXPECT_EQ(processor.currentPresetBank, "Mine");
    EXPECT_FLOAT_EQ(plain(processor, "mix"), 50.0f); // the file's one value
    EXPECT_FLOAT_EQ(plain(processor, "g"), 0.0f);    // everything else at its default
    EXPECT_FLOAT_EQ(plain(processor, "tapCnt"), 64.0f);
    EXPECT_TRUE(processor.presetLibrary.isFavourite("Weird/Skids"));
}

TEST_F(ProcessorPresetTest, DeletedDefaultPresetFallsBackToInitPatch)
{
    writeSettings(R"({"presetFolder": "/nonexistent/vorl", "defaultPatchId": "Mine/Deleted"})");
    TarnelDelayAudioProcessor processor;
    EXPECT_EQ(processor.currentPresetName, "INIT PATCH");
    EXPECT_EQ(processor.presetLibrary.getUserFolder(), presets::defaultPresetFolder());
}

TEST_F(ProcessorPresetTest, UserPresetOverridesTheFactoryPresetOfTheSameId)
{
    TempFolder user;
    writeSettings("{\"presetFolder\": \"" + user.path().getFullPathName() + "\"}");
    TarnelDelayAudioProcessor processor;
    auto& library = processor.presetLibrary;

    processor.apvts.getParameter("mix")->setValueNotifyingHost(0.25f);
    const auto saved =
        library.savePreset(user / "Traditional/INIT PATCH.json", "INIT PATCH", processor.captureParams());
    ASSERT_NE(saved, juce::File());

    const auto* found = library.findPatchById("Traditional/INIT PATCH");
    ASSERT_NE(found, nullptr);
    EXPECT_GE(found - library.getPatches().data(), library.getFactoryCount());

    const auto merged = library.mergeTrees(library.buildTree(true), library.buildTree(false));
    int initEntries = 0;
    for (const auto& bank : merged.children)
        if (bank.name == "Traditional")
            for (const auto* patch : bank.patches)
                initEntries += patch->name == "INIT PATCH" ? 1 : 0;
    EXPECT_EQ(initEntries, 1);

    int listed = 0;
    for (const auto* patch : library.orderedPatches())
        listed += patch->getId() == "Traditional/INIT PATCH" ? 1 : 0;
    EXPECT_EQ(listed, 2); // factory and user; the panel shows one
}

TEST_F(ProcessorPresetTest, SavedPresetReadsBackToEveryValueExactly)
{
    TempFolder user;
    TarnelDelayAudioProcessor processor;
    processor.presetLibrary.setUserFolder(user.path());
    juce::Random random(1234);
    for (auto* parameter : processor.getParameters())
        parameter->setValueNotifyingHost(random.nextFloat());
    const auto captured = processor.captureParams();

    ASSERT_NE(processor.presetLibrary.savePreset(user / "Round Trip.json", "Round Trip", captured),
              juce::File());
    processor.applyPatch(*processor.presetLibrary.findPatchById("Traditional/INIT PATCH"));
    processor.applyPatch(*processor.presetLibrary.findPatchById("Round Trip"));

    const auto again = processor.captureParams();
    for (const auto* id : vorl::kParameterIds)
        EXPECT_EQ((double)again[id], (double)captured[id]) << id;
}

TEST_F(ProcessorPresetTest, FactoryPresetsNeverInheritFromThePreviousOne)
{
    TarnelDelayAudioProcessor processor;
    const auto& library = processor.presetLibrary;
    processor.applyPatch(*library.findPatchById("Weird/Bouncy Ball"));
    processor.apvts.getParameter("dcFall")->setValueNotifyingHost(1.0f);
    ASSERT_EQ(processor.tapCount.load(), 24);

    processor.applyPatch(*library.findPatchById("Weird/Skids"));
    EXPECT_EQ(processor.tapCount.load(), 64);
    EXPECT_FLOAT_EQ(plain(processor, "dcFall"), 25.0f);
    EXPECT_FLOAT_EQ(plain(processor, "io2x"), 0.0f);
}
} // namespace
