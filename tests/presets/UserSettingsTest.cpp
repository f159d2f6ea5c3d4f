#include "presets/UserSettings.h"
#include "TempFolder.h"
#include "presets/PresetLibrary.h"

#include <gtest/gtest.h>

namespace
{
using vorl::test::TempFolder;

const char* const kFactory = R"({"banks": [
  {"bank": "Traditional", "patches": [{"name": "INIT PATCH", "params": {}}]},
  {"bank": "Weird", "patches": [{"name": "Skids", "params": {}}]}]})";

class UserSettingsTest : public testing::Test
{
protected:
    TempFolder folder;
    juce::File settings = folder / "VorlDelay/settings.json";
};

TEST_F(UserSettingsTest, LivesInTheApplicationDataFolderOfHome)
{
    const auto home = juce::File::getSpecialLocation(juce::File::userHomeDirectory);
    EXPECT_EQ(presets::settingsFile(), home.getChildFile(".config/VorlDelay/settings.json"));
    EXPECT_EQ(presets::defaultPresetFolder(), home.getChildFile(".config/VorlDelay/Presets"));
    // The test main gives every process its own temporary home.
    EXPECT_TRUE(home.getFileName().startsWith("vorl-preset-home-")) << home.getFullPathName();
}

TEST_F(UserSettingsTest, MissingOrBrokenSettingsReadAsEmpty)
{
    EXPECT_EQ(presets::readPresetFolder(settings), juce::File());
    for (const auto* text : {"", "   ", "{ broken", "[\"/tmp\"]", "\"/tmp\"", R"({"presetFolder": 42})",
                             R"({"presetFolder": "relative/path"})", R"({"presetFolder": ""})"})
    {
        folder.write("VorlDelay/settings.json", text);
        EXPECT_EQ(presets::readPresetFolder(settings), juce::File()) << text;
        EXPECT_EQ(presets::chooseUserPresetFolder(settings), presets::defaultPresetFolder()) << text;
    }
}

TEST_F(UserSettingsTest, WritingOneSettingKeepsTheOthers)
{
    folder.write("VorlDelay/settings.json", R"({"theme": "dark", "window": {"w": 460}})");
    const auto chosen = folder / "Chosen";
    ASSERT_TRUE(chosen.createDirectory().wasOk());

    presets::writePresetFolder(chosen, settings);
    presets::writeDefaultPatchId("Weird/Skids", settings);

    const auto text = settings.loadFileAsString();
    EXPECT_FALSE(text.replace("\r\n", "").containsChar('\n'));
    const auto parsed = juce::JSON::parse(text);
    EXPECT_EQ(parsed["theme"].toString(), "dark");
    EXPECT_EQ((int)parsed["window"]["w"], 460);
    EXPECT_EQ(parsed["defaultPatchId"].toString(), "Weird/Skids");
    EXPECT_EQ(presets::readPresetFolder(settings), chosen);
    EXPECT_EQ(presets::chooseUserPresetFolder(settings), chosen);
}

TEST_F(UserSettingsTest, WritingCreatesTheApplicationDataFolder)
{
    const auto nested = folder / "Not/Yet/settings.json";
    presets::writeDefaultPatchId("X", nested);
    EXPECT_EQ(juce::JSON::parse(nested.loadFileAsString())["defaultPatchId"].toString(), "X");
}

TEST_F(UserSettingsTest, MalformedSettingsAreReplacedByAnObjectOnWrite)
{
    for (const auto* text : {"[1, 2]", "{ broken", "", "null"})
    {
        folder.write("VorlDelay/settings.json", text);
        presets::writeDefaultPatchId("Weird/Skids", settings);
        EXPECT_EQ(juce::JSON::parse(settings.loadFileAsString())["defaultPatchId"].toString(), "Weird/Skids")
            << text;
    }
}

TEST_F(UserSettingsTest, PresetFolderThatIsNoLongerAFolderFallsBackToTheDefault)
{
    presets::writePresetFolder(folder / "Gone", settings);
    EXPECT_EQ(presets::readPresetFolder(settings), folder / "Gone");
    EXPECT_EQ(presets::chooseUserPresetFolder(settings), presets::defaultPresetFolder());
}

TEST_F(UserSettingsTest, DefaultPatchFallsBackToInitPatch)
{
    presets::PresetLibrary library{kFactory};
    struct Case
    {
        const char* settingsText;
        const char* expectedId;
    };
    for (const auto& c : {Case{nullptr, "Traditional/INIT PATCH"},
                          Case{R"({"defaultPatchId": "Weird/Skids"})", "Weird/Skids"},
                          Case{R"({"defaultPatchId": "Mine/Deleted Preset"})", "Traditional/INIT PATCH"},
                          Case{R"({"defaultPatchId": ""})", "Traditional/INIT PATCH"},
                          Case{"not json", "Traditional/INIT PATCH"}})
    {
        settings.deleteFile();
        if (c.settingsText != nullptr)
            folder.write("VorlDelay/settings.json", c.settingsText);
        const auto* patch = presets::findDefaultPatch(library, settings);
        ASSERT_NE(patch, nullptr);
        EXPECT_EQ(patch->getId(), c.expectedId) << (c.settingsText ? c.settingsText : "no file");
    }

    presets::PresetLibrary withoutInit{R"({"banks": [{"bank": "Weird", "patches": [{"name": "Skids"}]}]})"};
    folder.write("VorlDelay/settings.json", R"({"defaultPatchId": "Gone"})");
    EXPECT_EQ(presets::findDefaultPatch(withoutInit, settings), nullptr);
}
} // namespace
