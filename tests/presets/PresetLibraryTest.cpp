#include "presets/PresetLibrary.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
using vorl::test::TempFolder;

// Two factory banks, one with a category, written out of name order on purpose.
const char* const kSmallFactory = R"({"banks": [
  {"bank": "Zeta", "patches": [
    {"name": "b", "bank": "Zeta", "category": "", "params": {"mix": 0.25}},
    {"name": "B", "bank": "Zeta", "category": "", "params": {}},
    {"name": "", "bank": "Zeta", "category": "", "params": {}}]},
  {"bank": "Alpha", "patches": [
    {"name": "One", "category": "Cat", "params": {"g": 1.0}},
    {"name": "Two", "bank": "Alpha", "category": ""}]}]})";

// Creates a symbolic link at link pointing to target (a path, possibly relative to the link).
void makeLink(const juce::File& link, const juce::String& target)
{
    ASSERT_TRUE(juce::File::createSymbolicLink(link, target, false)) << link.getFullPathName();
}

juce::StringArray idsOf(const std::vector<const presets::Patch*>& patches)
{
    juce::StringArray ids;
    for (const auto* patch : patches)
        ids.add(patch->getId());
    return ids;
}

class PresetLibraryTest : public testing::Test
{
protected:
    PresetLibraryTest() { library.setUserFolder(user.path()); }

    // Sorted, joined with ", " so that failures print readably.
    juce::String userIds() const
    {
        juce::StringArray ids;
        const auto& patches = library.getPatches();
        for (size_t i = (size_t)library.getFactoryCount(); i < patches.size(); ++i)
            ids.add(patches[i].getId());
        ids.sort(false);
        return ids.joinIntoString(", ");
    }

    TempFolder user;
    presets::PresetLibrary library{kSmallFactory};
};

TEST_F(PresetLibraryTest, FactoryBanksAreReadInDocumentOrderSkippingNamelessPatches)
{
    ASSERT_EQ(library.getFactoryCount(), 4);
    const auto& patches = library.getPatches();
    EXPECT_EQ(patches[0].getId(), "Zeta/b");
    EXPECT_EQ(patches[1].getId(), "Zeta/B");
    EXPECT_EQ(patches[2].getId(), "Alpha/Cat/One"); // bank defaults to the bank's name
    EXPECT_EQ(patches[3].getId(), "Alpha/Two");
    EXPECT_TRUE(patches[3].params.isVoid());
    EXPECT_DOUBLE_EQ((double)patches[0].params["mix"], 0.25);
}

TEST_F(PresetLibraryTest, BrokenFactoryDocumentsGiveNoPresets)
{
    for (const auto* text : {"", "not json", "[1, 2]", R"({"banks": 5})", R"({"banks": [{"bank": "X"}]})"})
        EXPECT_EQ(presets::PresetLibrary(text).getFactoryCount(), 0) << text;
}

TEST_F(PresetLibraryTest, ScanNamesPresetsByFileAndBanksByFolder)
{
    user.write("My Sound.json", R"({"name": "ignored", "params": {"mix": 0.5}})");
    user.write("Live/Keys/Pad.json", R"({"params": {}})");
    user.write("Live/notes.txt", "not a preset");
    user.write("Live/NoParams.json", R"({"name": "x"})");
    library.rescanUserPresets();

    EXPECT_EQ(userIds(), "Live/Keys/Pad, Live/NoParams, My Sound");
    const auto* mySound = library.findPatchById("My Sound");
    ASSERT_NE(mySound, nullptr);
    EXPECT_EQ(mySound->name, "My Sound");
    EXPECT_EQ(mySound->bank, "");
    EXPECT_DOUBLE_EQ((double)mySound->params["mix"], 0.5);
    EXPECT_TRUE(library.findPatchById("Live/NoParams")->params.isVoid());
    EXPECT_EQ(library.relativeBankOf(user / "Live/Keys/Pad.json"), "Live/Keys");
    EXPECT_EQ(library.relativeBankOf(user / "top.json"), "");
}

TEST_F(PresetLibraryTest, ScanSkipsFilesThatAreNotPresetObjects)
{
    user.write("NotJson.json", "{ this is not json");
    user.write("Array.json", "[1, 2, 3]");
    user.write("Number.json", "42");
    user.write("Empty.json", "");
    user.write(".json", R"({"params": {}})"); // no name left once the extension is gone
    user.write("Good.json", R"({"params": {"g": 2.5, "mix": "loud"}})");
    (user / "Folder.json").createDirectory();
    makeLink(user / "Dangling.json", "missing-target.json");
    makeLink(user / "Zero.json", "/dev/zero"); // a device never ends
    ASSERT_EQ(mkfifo((user / "Pipe.json").getFullPathName().toRawUTF8(), 0600), 0);
    user.write("Huge.json",
               R"({"params": {}, "pad": ")" + juce::String::repeatedString("x", 5 << 20) + "\"}");

    library.rescanUserPresets(); // must neither block on the pipe nor read the huge file

    EXPECT_EQ(userIds(), "Good");
    // Out-of-range and mistyped values are kept as they are: the parameters clamp or skip them.
    EXPECT_DOUBLE_EQ((double)library.findPatchById("Good")->params["g"], 2.5);
}

TEST_F(PresetLibraryTest, ScanFollowsLinksButEndsOnLinkCycles)
{
    user.write("Real/Deep/A.json", R"({"params": {}})");
    makeLink(user / "Real/Deep/Loop", (user / "Real").getFullPathName()); // back to an ancestor
    makeLink(user / "Real/Deep/Up", "../..");                             // relative, to the user folder
    makeLink(user / "Real/Self", ".");                                    // to its own folder
    makeLink(user / "Top", user.path().getFullPathName());                // to the user folder itself
    makeLink(user / "PingA", "PingB");                                    // two links to each other
    makeLink(user / "PingB", "PingA");
    TempFolder elsewhere;
    elsewhere.write("Shared.json", R"({"params": {}})");
    makeLink(user / "Linked", elsewhere.path().getFullPathName()); // outside: followed
    makeLink(elsewhere / "Back", user.path().getFullPathName());   // and back in again

    library.rescanUserPresets();

    // Each real folder is entered once per path that does not loop back into itself.
    EXPECT_EQ(userIds(), "Linked/Shared, Real/Deep/A") << userIds();
}

TEST_F(PresetLibraryTest, MissingOrNonFolderUserFoldersGiveNoUserPresets)
{
    for (const auto& folder : {user / "does-not-exist", user.write("file-not-folder", "x"), juce::File()})
    {
        library.setUserFolder(folder);
        library.rescanUserPresets();
        EXPECT_EQ((int)library.getPatches().size(), library.getFactoryCount());
        library.loadFavourites();
        EXPECT_TRUE(library.getFavourites().isEmpty());
    }
}

TEST_F(PresetLibraryTest, UnreadableFolderIsSkipped)
{
    user.write("Locked/Hidden.json", R"({"params": {}})");
    user.write("Open.json", R"({"params": {}})");
    ASSERT_EQ(chmod((user / "Locked").getFullPathName().toRawUTF8(), 0), 0);

    library.rescanUserPresets();

    const bool lockedIsReadable = access((user / "Locked").getFullPathName().toRawUTF8(), R_OK | X_OK) == 0;
    EXPECT_TRUE(userIds().contains("Open")) << userIds();
    EXPECT_EQ(userIds().contains("Locked/Hidden"), lockedIsReadable) << userIds(); // readable anyway as root
}

TEST_F(PresetLibraryTest, LaterPresetsOverrideEarlierOnesWithTheSameId)
{
    user.write("Zeta/b.json", R"({"params": {"mix": 0.75}})");
    library.rescanUserPresets();

    const auto* found = library.findPatchById("Zeta/b");
    ASSERT_NE(found, nullptr);
    EXPECT_DOUBLE_EQ((double)found->params["mix"], 0.75);
    EXPECT_EQ(library.findPatchById("zeta/b"), nullptr); // case-sensitive
    EXPECT_EQ(library.findPatchById("Nothing"), nullptr);
}

TEST_F(PresetLibraryTest, SavePresetWritesCrlfJsonAndRescans)
{
    auto* params = new juce::DynamicObject();
    params->setProperty("g", 0.25);
    params->setProperty("mix", 1.0);
    const auto target = user / "New/Deeper/Mine.json";

    const auto written = library.savePreset(target, "Mine", juce::var(params));

    ASSERT_EQ(written, target);
    juce::MemoryBlock bytes;
    ASSERT_TRUE(target.loadFileAsData(bytes));
    const juce::String text = bytes.toString();
    EXPECT_FALSE(text.startsWith(juce::String::fromUTF8("\xef\xbb\xbf")));
    EXPECT_TRUE(text.contains("\r\n"));
    EXPECT_FALSE(text.replace("\r\n", "").containsChar('\n'));
    const auto parsed = juce::JSON::parse(text);
    ASSERT_TRUE(parsed.isObject());
    const auto& properties = parsed.getDynamicObject()->getProperties();
    ASSERT_EQ(properties.size(), 2);
    EXPECT_EQ(properties.getName(0).toString(), "name");
    EXPECT_EQ(properties.getName(1).toString(), "params");
    ASSERT_NE(library.findPatchById("New/Deeper/Mine"), nullptr);

    // Saving again replaces the whole file.
    ASSERT_EQ(library.savePreset(target, "Mine", juce::var(new juce::DynamicObject())), target);
    EXPECT_FALSE(target.loadFileAsString().contains("\"g\""));
}

TEST_F(PresetLibraryTest, SaveIntoAFolderThatCannotBeCreatedFailsAndChangesNothing)
{
    user.write("Keep.json", R"({"params": {}})");
    library.rescanUserPresets();
    const auto blocker = user.write("Blocker", "a file where a folder should be");
    const auto sizeBefore = library.getPatches().size();

    EXPECT_EQ(library.savePreset(blocker.getChildFile("Sub/X.json"), "X", {}), juce::File());
    EXPECT_EQ(library.savePreset(user / "Keep.json/X.json", "X", {}), juce::File());
    EXPECT_EQ(library.savePreset(juce::File(), "X", {}), juce::File());
    EXPECT_EQ(library.getPatches().size(), sizeBefore);
    EXPECT_EQ(blocker.loadFileAsString(), "a file where a folder should be");
}

TEST_F(PresetLibraryTest, TreesGroupByBankAndMergeUserPresetsOverFactoryOnes)
{
    user.write("Zeta/b.json", R"({"params": {}})");
    user.write("Zeta/New.json", R"({"params": {}})");
    user.write("Other/Deep/C.json", R"({"params": {}})");
    library.rescanUserPresets();

    const auto factory = library.buildTree(true);
    ASSERT_EQ(factory.children.size(), 2u);
    EXPECT_EQ(factory.children[0].name, "Zeta"); // creation order
    EXPECT_EQ(factory.children[1].name, "Alpha");
    ASSERT_EQ(factory.children[1].children.size(), 1u);
    EXPECT_EQ(factory.children[1].children[0].name, "Cat");

    const auto merged = presets::PresetLibrary::mergeTrees(factory, library.buildTree(false));
    ASSERT_EQ(merged.children.size(), 3u);
    const auto& zeta = merged.children[0];
    ASSERT_EQ(zeta.patches.size(), 3u); // b replaced in place, B kept, New appended
    EXPECT_GE(zeta.patches[0] - library.getPatches().data(), library.getFactoryCount());
    EXPECT_EQ(zeta.patches[2]->name, "New");
    EXPECT_EQ(merged.children[2].name, "Other");
}

TEST_F(PresetLibraryTest, NavigationOrderSortsByCodePointFactoryFirst)
{
    user.write("Zeta/b.json", R"({"params": {}})");
    user.write("a.json", R"({"params": {}})");
    library.rescanUserPresets();

    EXPECT_EQ(idsOf(library.orderedPatches()),
              juce::StringArray({"Alpha/Cat/One", "Alpha/Two", "Zeta/B", "Zeta/b", "Zeta/b", "a"}));
}

TEST_F(PresetLibraryTest, FavouritesFileToleratesBlankLinesAndAnyLineBreak)
{
    user.write(presets::PresetLibrary::kFavouritesFileName, "Zeta/b\r\n\r\nAlpha/Two\rUnknown/Id\n\n");
    library.loadFavourites();
    EXPECT_EQ(library.getFavourites(), juce::StringArray({"Zeta/b", "Alpha/Two", "Unknown/Id"}));

    // Library order, unknown identifiers listed nowhere but kept in the file.
    EXPECT_EQ(idsOf(library.favouritePatches()), juce::StringArray({"Zeta/b", "Alpha/Two"}));

    library.addFavourite("Zeta/b");
    library.addFavourite("Alpha/Cat/One");
    EXPECT_EQ((user / presets::PresetLibrary::kFavouritesFileName).loadFileAsString(),
              "Zeta/b\r\nAlpha/Two\r\nUnknown/Id\r\nAlpha/Cat/One");
}

TEST_F(PresetLibraryTest, RemovingAFavouriteRemovesEveryCopy)
{
    user.write(presets::PresetLibrary::kFavouritesFileName, "Zeta/b\nAlpha/Two\nZeta/b");
    library.loadFavourites();
    library.removeFavourite("Zeta/b");
    EXPECT_FALSE(library.isFavourite("Zeta/b"));
    EXPECT_EQ((user / presets::PresetLibrary::kFavouritesFileName).loadFileAsString(), "Alpha/Two");
}

TEST_F(PresetLibraryTest, FavouriteUserPresetReplacesTheFactoryOne)
{
    user.write("Zeta/b.json", R"({"params": {"mix": 0.75}})");
    library.rescanUserPresets();
    library.addFavourite("Zeta/b");
    const auto favourites = library.favouritePatches();
    ASSERT_EQ(favourites.size(), 1u);
    EXPECT_DOUBLE_EQ((double)favourites[0]->params["mix"], 0.75);
}

TEST_F(PresetLibraryTest, FavouritesCreateTheUserFolderButNeverClobberAFile)
{
    library.setUserFolder(user / "Fresh/Presets");
    library.addFavourite("Alpha/Two");
    EXPECT_EQ((user / "Fresh/Presets/favorites.txt").loadFileAsString(), "Alpha/Two");

    const auto notAFolder = user.write("NotAFolder", "precious");
    library.setUserFolder(notAFolder);
    library.addFavourite("Zeta/B");
    EXPECT_EQ(notAFolder.loadFileAsString(), "precious");
}
} // namespace
