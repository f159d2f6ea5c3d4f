#include "PresetTree.h"

#include <algorithm>

namespace presets
{
namespace
{
bool codePointLess(const juce::String& a, const juce::String& b)
{
    return a.compare(b) < 0;
}
} // namespace

PresetTreeNode* PresetTreeNode::findChild(const juce::String& childName)
{
    for (auto& child : children)
        if (child.name == childName)
            return &child;
    return nullptr;
}

PresetTreeNode buildPresetTree(const std::vector<const Patch*>& patches)
{
    PresetTreeNode root;
    for (const auto* patch : patches)
    {
        auto* node = &root;
        if (patch->bank.isNotEmpty())
        {
            for (const auto& component : juce::StringArray::fromTokens(patch->bank, "/", ""))
            {
                auto* child = node->findChild(component);
                if (child == nullptr)
                {
                    node->children.push_back({component, {}, {}});
                    child = &node->children.back();
                }
                node = child;
            }
        }
        node->patches.push_back(patch);
    }
    return root;
}

PresetTreeNode mergePresetTrees(const PresetTreeNode& base, const PresetTreeNode& overlay)
{
    PresetTreeNode merged = base;
    for (const auto* patch : overlay.patches)
    {
        const auto id = patch->getId();
        auto same = std::find_if(merged.patches.begin(), merged.patches.end(),
                                 [&id](const Patch* existing) { return existing->getId() == id; });
        if (same != merged.patches.end())
            *same = patch;
        else
            merged.patches.push_back(patch);
    }
    for (const auto& overlayChild : overlay.children)
    {
        if (auto* child = merged.findChild(overlayChild.name))
            *child = mergePresetTrees(*child, overlayChild);
        else
            merged.children.push_back(overlayChild);
    }
    return merged;
}

namespace
{
// Sorts by name, equal names keeping their original order. The explicit tie-break stands in for
// std::stable_sort, whose temporary buffer is allocated and freed through mismatched routines
// when the sanitized module runs inside a host built without the sanitizer.
template <typename Item> std::vector<const Item*> sortedByName(std::vector<const Item*> items)
{
    std::vector<size_t> order(items.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&items](size_t a, size_t b)
              {
                  if (codePointLess(items[a]->name, items[b]->name))
                      return true;
                  if (codePointLess(items[b]->name, items[a]->name))
                      return false;
                  return a < b;
              });
    std::vector<const Item*> sorted;
    sorted.reserve(items.size());
    for (const size_t i : order)
        sorted.push_back(items[i]);
    return sorted;
}
} // namespace

std::vector<const PresetTreeNode*> sortedChildren(const PresetTreeNode& node)
{
    std::vector<const PresetTreeNode*> children;
    for (const auto& child : node.children)
        children.push_back(&child);
    return sortedByName(std::move(children));
}

std::vector<const Patch*> sortedPatches(const PresetTreeNode& node)
{
    return sortedByName(node.patches);
}

void flattenPresetTree(const PresetTreeNode& node, std::vector<const Patch*>& out)
{
    for (const auto* child : sortedChildren(node))
        flattenPresetTree(*child, out);
    const auto patches = sortedPatches(node);
    out.insert(out.end(), patches.begin(), patches.end());
}
} // namespace presets
