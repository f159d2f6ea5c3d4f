#include "../presets/TempFolder.h"
#include "PanelTestSupport.h"
#include "presets/PresetFiles.h"
#include "presets/PresetPanelComponent.h"
#include "presets/UserSettings.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <thread>

using vorl::test::plainValue;
using vorl::test::setPlainValue;
using vorl::test::TempFolder;

namespace
{
// Three factory banks, one with a category; "INIT PATCH" sits in "Traditional".
const char* const kFactory = R"({"banks": [
  {"bank": "Character", "patches": [
    {"name": "Warm", "params": {"g": 0.1}},
    {"name": "Dusty", "params": {"g": 0.2}}]},
  {"bank": "Sound Design", "patches": [
    {"name": "Zap", "params": {"g": 0.3}},
    {"name": "Glacial Drift", "category": "Long & Cosmic", "params": {"g": 0.4}}]},
  {"bank": "Traditional", "patches": [
    {"name": "INIT PATCH", "params": {}},
    {"name": "Slapback", "params": {"g": 0.5}}]}]})";

// One line per menu level: "text#id" with "+" when ticked and "-" when disabled, "---" for a
// separator, "Name{...}" for a sub-menu.
juce::String describe(const juce::PopupMenu& menu)
{
    juce::StringArray items;
    for (juce::PopupMenu::MenuItemIterator it(menu); it.next();)
    {
        const auto& item = it.getItem();
        if (item.isSeparator)
            items.add("---");
        else if (item.subMenu != nullptr)
            items.add(item.text + "{" + describe(*item.subMenu) + "}");
        else
            items.add(item.text + "#" + juce::String(item.itemID) + (item.isTicked ? "+" : "") +
                      (item.isEnabled ? "" : "-"));
    }
    return items.joinIntoString(" | ");
}

// Preset items only: the title item repeats the current preset's name.
int countPresetItemsNamed(const juce::PopupMenu& menu, const juce::String& text)
{
    int count = 0;
    for (juce::PopupMenu::MenuItemIterator it(menu, true); it.next();)
        if (it.getItem().subMenu == nullptr && it.getItem().text == text &&
            it.getItem().itemID < presets::kCurrentPresetItem)
            ++count;
    return count;
}

const char* const kCommands = "Save (Overwrite)#9015 | Save As...#9002 | --- | Save As Default#9010 | "
                              "Open Other Preset...#9011 | Change Preset Folder...#9012 | "
                              "Organize Presets#9013 | Refresh#9014";

class PresetPanelTest : public testing::Test
{
protected:
    PresetPanelTest()
    {
        library.setUserFolder(user / "Presets");
        library.rescanUserPresets();
        library.loadFavourites();
        rebuildPanel();
    }

    void rebuildPanel()
    {
        panel = std::make_unique<PresetPanelComponent>(processor.apvts, library);
        panel->setSize(300, 26);
        panel->setSettingsFile(user / "settings.json");
        panel->onPatchSelected = [this](const presets::Patch& patch) { processor.applyPatch(patch); };
        panel->getCurrentParams = [this] { return processor.captureParams(); };
    }

    void writeUserPreset(const juce::String& relativePath, float gain)
    {
        auto file = user / ("Presets/" + relativePath);
        file.getParentDirectory().createDirectory();
        file.replaceWithText(R"({"name": "ignored", "params": {"g": )" + juce::String(gain) + "}}");
    }

    void load(const juce::String& id)
    {
        const auto* patch = library.findPatchById(id);
        ASSERT_NE(patch, nullptr) << id;
        panel->loadPatch(*patch);
    }

    // Moves a parameter to another value, whatever it is now.
    void nudge(const char* id)
    {
        auto* parameter = processor.apvts.getParameter(id);
        parameter->setValueNotifyingHost(parameter->getValue() > 0.5f ? 0.0f : 1.0f);
    }

    TempFolder user;
    TarnelDelayAudioProcessor processor;
    presets::PresetLibrary library{kFactory};
    std::unique_ptr<PresetPanelComponent> panel;
};

TEST_F(PresetPanelTest, MenuListsFavouritesThenTheMergedTreeThenTheCommands)
{
    const struct
    {
        const char* name;
        bool withUserPresetsAndFavourites;
        const char* current;
        bool dirty;
        juce::String expected;
    } cases[] = {
        {"factory only", false, "Traditional/Slapback", false,
         juce::String("Slapback#9001+- | --- | Character{Dusty#1 | Warm#2} | "
                      "Sound Design{Long & Cosmic{Glacial Drift#3} | Zap#4} | Traditional{Slapback#5+} | "
                      "INIT PATCH#6 | --- | Add to Favorites#9003 | ") +
             kCommands},
        {"favourites and user presets", true, "Character/Warm", true,
         juce::String(
             "Warm*#9001+- | --- | Favorites{Warm#1+ | INIT PATCH#2} | Character{Dusty#3 | Warm#4+} | "
             "Mine{Echo#5} | Sound Design{Long & Cosmic{Glacial Drift#6} | Zap#7} | "
             "Traditional{Slapback#8} | Solo#9 | INIT PATCH#10 | --- | Remove from Favorites#9003 | ") +
             kCommands},
    };
    for (const auto& c : cases)
    {
        if (c.withUserPresetsAndFavourites)
        {
            writeUserPreset("Character/Warm.json", 0.9f); // overrides the factory "Warm"
            writeUserPreset("Mine/Echo.json", 0.6f);
            writeUserPreset("Solo.json", 0.7f);
            (user / "Presets/favorites.txt").replaceWithText("Character/Warm\r\nTraditional/INIT PATCH\r\n");
            library.rescanUserPresets();
            library.loadFavourites();
        }
        load(c.current);
        if (c.dirty)
            nudge("g");
        EXPECT_EQ(describe(panel->buildPresetMenu()), c.expected) << c.name;
    }

    // Item 4 is the user's "Warm", which replaced the factory one.
    panel->handleMenuResult(4);
    EXPECT_EQ(panel->getCurrentId(), "Character/Warm");
    EXPECT_NEAR(plainValue(processor.apvts, "g"), processor.apvts.getParameter("g")->convertFrom0to1(0.9f),
                1e-3);
    panel->handleMenuResult(6);
    EXPECT_EQ(panel->getCurrentId(), "Sound Design/Long & Cosmic/Glacial Drift");
    EXPECT_EQ(panel->getLabelText(), "Glacial Drift");
}

TEST_F(PresetPanelTest, SaveOverwriteIsDisabledWithoutAName)
{
    panel->setCurrent("", "");
    const auto description = describe(panel->buildPresetMenu());
    EXPECT_TRUE(description.contains("Save (Overwrite)#9015-")) << description;
}

TEST_F(PresetPanelTest, ArrowsStepThroughTheNavigationOrderAndWrapAround)
{
    ASSERT_EQ(panel->getNavList(),
              (std::vector<juce::String>{"Character/Dusty", "Character/Warm",
                                         "Sound Design/Long & Cosmic/Glacial Drift", "Sound Design/Zap",
                                         "Traditional/INIT PATCH", "Traditional/Slapback"}));
    const struct
    {
        const char *name, *bank;
        int delta;
        const char* expected;
    } cases[] = {
        {"Slapback", "Traditional", +1, "Character/Dusty"},
        {"Dusty", "Character", -1, "Traditional/Slapback"},
        {"Warm", "Character", +1, "Sound Design/Long & Cosmic/Glacial Drift"},
        // Not in the list (opened from another file): counts as the first entry.
        {"Elsewhere", "", +1, "Character/Warm"},
        {"Elsewhere", "", -1, "Traditional/Slapback"},
    };
    for (const auto& c : cases)
    {
        panel->setCurrent(c.name, c.bank);
        nudge("g");
        panel->step(c.delta);
        EXPECT_EQ(panel->getCurrentId(), c.expected) << c.name << " " << c.delta;
        EXPECT_EQ(processor.currentPresetName + "|" + processor.currentPresetBank,
                  panel->getCurrentName() + "|" + panel->getCurrentBank());
        EXPECT_FALSE(panel->getLabelText().endsWith("*")) << c.name;
    }
}

TEST_F(PresetPanelTest, OnlyWatchedParametersMarkThePresetAsChanged)
{
    for (const auto* id : PresetPanelComponent::kWatchedParams)
    {
        load("Traditional/Slapback");
        ASSERT_EQ(panel->getLabelText(), "Slapback");
        nudge(id);
        EXPECT_EQ(panel->getLabelText(), "Slapback*") << id;
    }
    for (const auto* id : {"tapCnt", "mout", "pitchOn", "pitch2x", "tDarken"})
    {
        load("Traditional/Slapback");
        nudge(id);
        EXPECT_EQ(panel->getLabelText(), "Slapback") << id;
        EXPECT_FALSE(panel->isDirty()) << id;
    }
}

// Host automation may arrive on the audio thread: the label follows on the message thread.
TEST_F(PresetPanelTest, ChangeOnAnotherThreadReachesTheLabelOnTheMessageThread)
{
    load("Character/Warm");
    std::thread automation([this] { nudge("mix"); });
    automation.join();
    EXPECT_TRUE(panel->isDirty());
    for (int i = 0; i < 40 && !panel->getLabelText().endsWith("*"); ++i)
        vorl::test::deliverMessages();
    EXPECT_EQ(panel->getLabelText(), "Warm*");
}

TEST_F(PresetPanelTest, OverwriteOfAFactoryPresetWritesItsBankPathAndListsItOnce)
{
    load("Sound Design/Long & Cosmic/Glacial Drift");
    setPlainValue(processor.apvts, "mix", 33.0f);
    ASSERT_TRUE(panel->getLabelText().endsWith("*"));

    panel->handleMenuResult(presets::kSaveOverwriteItem);
    const auto written = user / "Presets/Sound Design/Long & Cosmic/Glacial Drift.json";
    ASSERT_TRUE(written.existsAsFile());
    EXPECT_EQ(panel->getLabelText(), "Glacial Drift");
    EXPECT_EQ(panel->getCurrentBank(), "Sound Design/Long & Cosmic");
    EXPECT_EQ(countPresetItemsNamed(panel->buildPresetMenu(), "Glacial Drift"), 1);
    EXPECT_EQ(std::count(panel->getNavList().begin(), panel->getNavList().end(),
                         "Sound Design/Long & Cosmic/Glacial Drift"),
              1);

    // The saved preset now stands in for the factory one.
    setPlainValue(processor.apvts, "mix", 80.0f);
    load("Sound Design/Long & Cosmic/Glacial Drift");
    EXPECT_NEAR(plainValue(processor.apvts, "mix"), 33.0f, 0.01f);
}

// A save that cannot write says so and changes nothing: not the files, not the current preset.
TEST_F(PresetPanelTest, FailedSavesSaySoAndLeaveEverythingAsItWas)
{
    // A file where the bank folder would have to be.
    const auto blocker = user / "Presets/Sound Design";
    blocker.getParentDirectory().createDirectory();
    blocker.replaceWithText("not a folder");

    load("Sound Design/Long & Cosmic/Glacial Drift");
    nudge("g");
    panel->saveOverwrite();
    EXPECT_EQ(panel->getLabelText(), "SAVE FAILED");
    EXPECT_EQ(panel->getCurrentId(), "Sound Design/Long & Cosmic/Glacial Drift");
    EXPECT_TRUE(panel->isDirty());
    EXPECT_EQ(blocker.loadFileAsString(), "not a folder");

    EXPECT_FALSE(panel->saveAs(blocker.getChildFile("Mine.json")));
    EXPECT_EQ(panel->getLabelText(), "SAVE FAILED");
    EXPECT_EQ(panel->getCurrentId(), "Sound Design/Long & Cosmic/Glacial Drift");
    EXPECT_TRUE(panel->isDirty());

    // The next label update shows the preset again.
    nudge("g");
    EXPECT_EQ(panel->getLabelText(), "Glacial Drift*");
}

// A preset opened from anywhere carries a name from its file; overwriting must not let that
// name lead out of the preset folder.
TEST_F(PresetPanelTest, OverwriteRefusesANameThatLeadsOutOfThePresetFolder)
{
    const auto opened = user / "elsewhere/trap.json";
    opened.getParentDirectory().createDirectory();
    opened.replaceWithText(R"({"name": "../escape", "params": {"g": 0.5}})");

    ASSERT_TRUE(panel->openPresetFile(opened));
    EXPECT_EQ(panel->getCurrentName(), "../escape");
    panel->saveOverwrite();
    EXPECT_EQ(panel->getLabelText(), "SAVE FAILED");
    EXPECT_FALSE((user / "escape.json").exists());
    EXPECT_EQ(presets::findJsonFilesBelow(user.path()).size(), 1) << "only the opened file";
}

TEST_F(PresetPanelTest, OpeningAnotherPresetFileLoadsItOrSaysItFailed)
{
    const struct
    {
        const char* name;
        const char* text;
        bool loads;
        const char* expectedName;
    } cases[] = {
        {"named", R"({"name": "Borrowed", "params": {"g": 0.25}})", true, "Borrowed"},
        {"nameless", R"({"params": {"g": 0.25}})", true, "the file"},
        {"not JSON", "this is not a preset", false, ""},
        {"an array", R"([{"params": {"g": 0.25}}])", false, ""},
        {"settings, not a preset", R"({"presetFolder": "/tmp"})", false, ""},
    };
    for (const auto& c : cases)
    {
        load("Traditional/Slapback");
        setPlainValue(processor.apvts, "mix", 12.0f);
        const auto file = user / "elsewhere/the file.json";
        file.getParentDirectory().createDirectory();
        file.replaceWithText(c.text);

        EXPECT_EQ(panel->openPresetFile(file), c.loads) << c.name;
        if (c.loads)
        {
            EXPECT_EQ(panel->getCurrentName(), c.expectedName) << c.name;
            EXPECT_EQ(panel->getCurrentBank(), "") << c.name;
            EXPECT_EQ(panel->getLabelText(), c.expectedName) << c.name;
            EXPECT_NEAR(processor.apvts.getParameter("g")->getValue(), 0.25f, 1e-3) << c.name;
            EXPECT_EQ(library.findPatchById(c.expectedName), nullptr) << "not added to the library";
        }
        else
        {
            EXPECT_EQ(panel->getLabelText(), "LOAD FAILED") << c.name;
            EXPECT_EQ(panel->getCurrentId(), "Traditional/Slapback") << c.name;
            EXPECT_NEAR(plainValue(processor.apvts, "mix"), 12.0f, 0.01f) << c.name;
        }
    }
}

TEST_F(PresetPanelTest, SaveAsAddsTheExtensionAndBecomesTheCurrentPreset)
{
    load("Character/Dusty");
    nudge("g");
    ASSERT_TRUE(panel->saveAs(user / "Presets/Sub/My.Take"));
    EXPECT_TRUE((user / "Presets/Sub/My.Take.json").existsAsFile());
    EXPECT_EQ(panel->getCurrentId(), "Sub/My.Take");
    EXPECT_EQ(panel->getLabelText(), "My.Take");
    EXPECT_NE(std::find(panel->getNavList().begin(), panel->getNavList().end(), "Sub/My.Take"),
              panel->getNavList().end());
    const auto saved = presets::readJsonObjectFile(user / "Presets/Sub/My.Take.json");
    EXPECT_EQ(saved["name"].toString(), "My.Take");
    EXPECT_NEAR(static_cast<float>(saved["params"]["g"]), processor.apvts.getParameter("g")->getValue(),
                1e-6);
}

TEST_F(PresetPanelTest, FavouritesDefaultAndRefreshCommands)
{
    load("Sound Design/Zap");
    panel->handleMenuResult(presets::kFavouriteToggleItem);
    EXPECT_TRUE(library.isFavourite("Sound Design/Zap"));
    EXPECT_EQ((user / "Presets/favorites.txt").loadFileAsString().trim(), "Sound Design/Zap");
    panel->handleMenuResult(presets::kFavouriteToggleItem);
    EXPECT_FALSE(library.isFavourite("Sound Design/Zap"));

    panel->handleMenuResult(presets::kSaveAsDefaultItem);
    const auto* defaultPatch = presets::findDefaultPatch(library, user / "settings.json");
    ASSERT_NE(defaultPatch, nullptr);
    EXPECT_EQ(defaultPatch->getId(), "Sound Design/Zap");

    writeUserPreset("Later.json", 0.3f);
    panel->handleMenuResult(presets::kRefreshItem);
    EXPECT_EQ(panel->getNavList().back(), "Later");

    // Unknown results and a dismissed menu do nothing.
    for (int result : {0, 11, 9001, 9999})
        panel->handleMenuResult(result);
    EXPECT_EQ(panel->getCurrentId(), "Sound Design/Zap");
}

TEST_F(PresetPanelTest, NewPresetFolderBringsItsOwnPresetsAndFavourites)
{
    writeUserPreset("Old.json", 0.1f);
    (user / "Presets/favorites.txt").replaceWithText("Old");
    library.rescanUserPresets();
    library.loadFavourites();

    const auto other = user / "Other";
    other.getChildFile("New.json").create();
    other.getChildFile("New.json").replaceWithText(R"({"name": "New", "params": {}})");
    other.getChildFile("favorites.txt").replaceWithText("New");

    panel->usePresetFolder(other);
    EXPECT_EQ(presets::readPresetFolder(user / "settings.json"), other);
    EXPECT_EQ(library.getFavourites(), juce::StringArray{"New"});
    EXPECT_EQ(panel->getNavList().back(), "New");
    EXPECT_EQ(std::count(panel->getNavList().begin(), panel->getNavList().end(), "Old"), 0);
    EXPECT_TRUE(describe(panel->buildPresetMenu()).startsWith("INIT#9001+- | --- | Favorites{New#1}"));
}

TEST_F(PresetPanelTest, ArrowButtonsAndLayout)
{
    load("Character/Dusty");
    auto* next = dynamic_cast<juce::Button*>(panel->getChildComponent(2));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->getButtonText(), ">");
    EXPECT_EQ(next->getBounds(), juce::Rectangle<int>(22, 0, 22, 26));
    vorl::test::click(*next);
    EXPECT_EQ(panel->getCurrentId(), "Character/Warm");
}
} // namespace
