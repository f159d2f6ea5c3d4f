#pragma once

#include "Patch.h"

#include <vector>

namespace presets
{
// One node of the preset menu: sub-folders (at most one per name, in creation order) and the
// presets that sit directly in it.
struct PresetTreeNode
{
    juce::String name;
    std::vector<PresetTreeNode> children;
    std::vector<const Patch*> patches;

    PresetTreeNode* findChild(const juce::String& childName);
};

// Places every patch under the node path its bank names ("A/B" -> child A, grandchild B).
PresetTreeNode buildPresetTree(const std::vector<const Patch*>& patches);

// A copy of base with overlay laid over it: patches with the same identifier are replaced,
// children with the same name are merged, everything else is appended.
PresetTreeNode mergePresetTrees(const PresetTreeNode& base, const PresetTreeNode& overlay);

// The node's sub-folders and its own presets, each sorted by name (case-sensitive, by code
// point): the order of the menu.
std::vector<const PresetTreeNode*> sortedChildren(const PresetTreeNode& node);
std::vector<const Patch*> sortedPatches(const PresetTreeNode& node);

// Appends the node's presets in menu order: sub-folders sorted by name first, each flattened,
// then the node's own presets sorted by name (case-sensitive, by code point).
void flattenPresetTree(const PresetTreeNode& node, std::vector<const Patch*>& out);
} // namespace presets
