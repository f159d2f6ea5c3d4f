#include "PresetMenu.h"

namespace presets
{
namespace
{
class MenuBuilder
{
public:
    MenuBuilder(PresetMenu& result, const juce::String& currentId) : result(result), currentId(currentId) {}

    void addPatch(juce::PopupMenu& menu, const Patch& patch)
    {
        result.patches.push_back(patch);
        menu.addItem(static_cast<int>(result.patches.size()), patch.name, true, patch.getId() == currentId);
    }

    // Sub-folders sorted by name first, then the node's presets sorted by name.
    void addNode(juce::PopupMenu& menu, const PresetTreeNode& node)
    {
        for (const auto* child : sortedChildren(node))
        {
            juce::PopupMenu subMenu;
            addNode(subMenu, *child);
            menu.addSubMenu(child->name, subMenu);
        }
        for (const auto* patch : sortedPatches(node))
            if (patch->getId() != kInitPatchId)
                addPatch(menu, *patch);
    }

private:
    PresetMenu& result;
    const juce::String& currentId;
};
} // namespace

PresetMenu buildPresetMenu(const PresetLibrary& library, const PresetMenuContext& context)
{
    PresetMenu result;
    MenuBuilder builder(result, context.currentId);
    auto& menu = result.menu;

    menu.addItem(kCurrentPresetItem, context.currentName + (context.dirty ? "*" : ""), false, true);
    menu.addSeparator();

    const auto favourites = library.favouritePatches();
    if (!favourites.empty())
    {
        juce::PopupMenu favouritesMenu;
        for (const auto* patch : favourites)
            builder.addPatch(favouritesMenu, *patch);
        menu.addSubMenu("Favorites", favouritesMenu);
    }

    builder.addNode(menu, library.mergeTrees(library.buildTree(true), library.buildTree(false)));
    if (const auto* init = library.findPatchById(kInitPatchId))
        builder.addPatch(menu, *init);
    menu.addSeparator();

    menu.addItem(kFavouriteToggleItem,
                 library.isFavourite(context.currentId) ? "Remove from Favorites" : "Add to Favorites");
    menu.addItem(kSaveOverwriteItem, "Save (Overwrite)", context.currentName.isNotEmpty());
    menu.addItem(kSaveAsItem, "Save As...");
    menu.addSeparator();
    menu.addItem(kSaveAsDefaultItem, "Save As Default");
    menu.addItem(kOpenOtherItem, "Open Other Preset...");
    menu.addItem(kChangeFolderItem, "Change Preset Folder...");
    menu.addItem(kOrganizeItem, "Organize Presets");
    menu.addItem(kRefreshItem, "Refresh");
    return result;
}
} // namespace presets
