#pragma once

#include "PresetLibrary.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

namespace presets
{
// The item ids of the preset menu's commands. Presets take the ids 1 .. number of presets.
enum PresetMenuCommand : int
{
    kCurrentPresetItem = 9001,
    kSaveAsItem = 9002,
    kFavouriteToggleItem = 9003,
    kSaveAsDefaultItem = 9010,
    kOpenOtherItem = 9011,
    kChangeFolderItem = 9012,
    kOrganizeItem = 9013,
    kRefreshItem = 9014,
    kSaveOverwriteItem = 9015,
};

// The preset that always closes the preset list, outside its bank's sub-menu.
inline constexpr const char* kInitPatchId = "Traditional/INIT PATCH";

// The preset menu and the presets its items stand for: item id k loads patches[k - 1]. The
// patches are copies, so a rescan while the menu is open cannot leave them dangling.
struct PresetMenu
{
    juce::PopupMenu menu;
    std::vector<Patch> patches;
};

struct PresetMenuContext
{
    juce::String currentName;
    juce::String currentId;
    bool dirty = false;
};

// Favourites, the factory and user presets as one tree, then the commands.
PresetMenu buildPresetMenu(const PresetLibrary& library, const PresetMenuContext& context);
} // namespace presets
