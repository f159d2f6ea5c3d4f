#pragma once

#include "Patch.h"
#include "PresetTree.h"

#include <vector>

namespace presets
{
// Every preset the plug-in knows: the factory presets in document order, then the user presets
// found below the user folder. Message thread only. Patch pointers handed out stay valid until
// the next rescan (saving rescans too).
class PresetLibrary
{
public:
    // Reads the factory banks compiled into the plug-in.
    PresetLibrary();
    // Reads the factory banks from the given document text instead.
    explicit PresetLibrary(const juce::String& factoryDocument);

    // Appends a bank object's patches ({"bank", "patches": [...]}) in document order.
    void addFactoryBank(const juce::var& bank);

    void setUserFolder(const juce::File& folder) { userFolder = folder; }
    const juce::File& getUserFolder() const noexcept { return userFolder; }
    void rescanUserPresets();

    const std::vector<Patch>& getPatches() const noexcept { return patches; }
    int getFactoryCount() const noexcept { return factoryCount; }

    // The last patch with this identifier: user presets override factory ones.
    const Patch* findPatchById(const juce::String& id) const;
    static juce::String patchIdOf(const Patch& patch) { return patch.getId(); }
    // The folder of a user preset file relative to the user folder, "/"-separated; empty at the top.
    juce::String relativeBankOf(const juce::File& file) const;

    // Writes {"name", "params"} to file, creating its folder; rescans on success.
    // Returns the file written, or an empty File on failure.
    juce::File savePreset(const juce::File& file, const juce::String& name, const juce::var& params);

    PresetTreeNode buildTree(bool factory) const;
    static PresetTreeNode mergeTrees(const PresetTreeNode& base, const PresetTreeNode& overlay);
    // Navigation order: the factory tree flattened, then the user tree flattened.
    std::vector<const Patch*> orderedPatches() const;
    // One patch per favourite identifier, in library order, user presets replacing factory ones.
    std::vector<const Patch*> favouritePatches() const;

    void loadFavourites();
    void saveFavourites() const;
    bool isFavourite(const juce::String& id) const { return favourites.contains(id); }
    void addFavourite(const juce::String& id);
    void removeFavourite(const juce::String& id);
    const juce::StringArray& getFavourites() const noexcept { return favourites; }

    static constexpr const char* kFavouritesFileName = "favorites.txt";

private:
    void readFactoryDocument(const juce::String& text);
    juce::File favouritesFile() const { return userFolder.getChildFile(kFavouritesFileName); }

    std::vector<Patch> patches;
    int factoryCount = 0;
    juce::File userFolder;
    juce::StringArray favourites;
};
} // namespace presets
