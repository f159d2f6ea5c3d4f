#include "PresetLibrary.h"

#include "FactoryPresetData.h"
#include "PresetFiles.h"

namespace presets
{
PresetLibrary::PresetLibrary()
    : PresetLibrary(juce::String::fromUTF8(FactoryPresetData::FactoryBanks_json,
                                           FactoryPresetData::FactoryBanks_jsonSize))
{
}

PresetLibrary::PresetLibrary(const juce::String& factoryDocument)
{
    readFactoryDocument(factoryDocument);
    factoryCount = (int)patches.size();
}

void PresetLibrary::readFactoryDocument(const juce::String& text)
{
    const auto root = juce::JSON::parse(text);
    if (const auto* banks = root["banks"].getArray())
        for (const auto& bank : *banks)
            addFactoryBank(bank);
}

void PresetLibrary::addFactoryBank(const juce::var& bank)
{
    const auto bankName = bank["bank"].toString();
    const auto* bankPatches = bank["patches"].getArray();
    if (bankPatches == nullptr)
        return;

    for (const auto& entry : *bankPatches)
    {
        Patch patch;
        patch.name = entry["name"].toString();
        if (patch.name.isEmpty())
            continue;
        const auto* ownBank = entry.getDynamicObject() != nullptr
                                  ? entry.getDynamicObject()->getProperties().getVarPointer("bank")
                                  : nullptr;
        const auto patchBank = ownBank != nullptr ? ownBank->toString() : bankName;
        const auto category = entry["category"].toString();
        patch.bank = category.isNotEmpty() ? patchBank + "/" + category : patchBank;
        patch.params = entry["params"];
        patches.push_back(std::move(patch));
    }
}

void PresetLibrary::rescanUserPresets()
{
    patches.resize((size_t)factoryCount);
    if (!userFolder.isDirectory())
        return;

    for (const auto& file : findJsonFilesBelow(userFolder))
    {
        const auto object = readJsonObjectFile(file);
        if (object.isVoid())
            continue;
        // "x.json" is the preset x; a file named just ".json" has no name and is skipped.
        const auto fileName = file.getFileName();
        Patch patch{fileName.dropLastCharacters(5), relativeBankOf(file), object["params"]};
        if (patch.name.isNotEmpty())
            patches.push_back(std::move(patch));
    }
}

const Patch* PresetLibrary::findPatchById(const juce::String& id) const
{
    for (auto it = patches.rbegin(); it != patches.rend(); ++it)
        if (it->getId() == id)
            return &*it;
    return nullptr;
}

juce::String PresetLibrary::relativeBankOf(const juce::File& file) const
{
    const auto relative = file.getParentDirectory().getRelativePathFrom(userFolder);
    if (relative == ".")
        return {};
    return relative.replaceCharacter('\\', '/');
}

juce::File PresetLibrary::savePreset(const juce::File& file, const juce::String& name,
                                     const juce::var& params)
{
    if (file == juce::File() || !file.getParentDirectory().createDirectory().wasOk())
        return {};

    auto* object = new juce::DynamicObject();
    object->setProperty("name", name);
    object->setProperty("params", params);
    if (!writeJsonFile(file, juce::var(object)))
        return {};

    rescanUserPresets();
    return file;
}

PresetTreeNode PresetLibrary::buildTree(bool factory) const
{
    std::vector<const Patch*> range;
    const size_t first = factory ? 0 : (size_t)factoryCount;
    const size_t end = factory ? (size_t)factoryCount : patches.size();
    for (size_t i = first; i < end; ++i)
        range.push_back(&patches[i]);
    return buildPresetTree(range);
}

PresetTreeNode PresetLibrary::mergeTrees(const PresetTreeNode& base, const PresetTreeNode& overlay)
{
    return mergePresetTrees(base, overlay);
}

std::vector<const Patch*> PresetLibrary::orderedPatches() const
{
    std::vector<const Patch*> ordered;
    flattenPresetTree(buildTree(true), ordered);
    flattenPresetTree(buildTree(false), ordered);
    return ordered;
}

std::vector<const Patch*> PresetLibrary::favouritePatches() const
{
    std::vector<const Patch*> result;
    for (const auto& patch : patches)
    {
        const auto id = patch.getId();
        if (!favourites.contains(id))
            continue;
        auto same =
            std::find_if(result.begin(), result.end(), [&id](const Patch* p) { return p->getId() == id; });
        if (same != result.end())
            *same = &patch;
        else
            result.push_back(&patch);
    }
    return result;
}

void PresetLibrary::loadFavourites()
{
    favourites.clear();
    if (userFolder == juce::File() || !favouritesFile().existsAsFile())
        return;
    // Accepts CR, LF and CRLF alike; blank lines are not favourites.
    favourites.addTokens(favouritesFile().loadFileAsString(), "\r\n", "");
    favourites.removeEmptyStrings(false);
}

void PresetLibrary::saveFavourites() const
{
    if (userFolder == juce::File() || !userFolder.createDirectory().wasOk())
        return;
    const juce::TemporaryFile temporary(favouritesFile(), juce::TemporaryFile::useHiddenFile);
    {
        juce::FileOutputStream out(temporary.getFile());
        if (!out.openedOk() || !out.writeText(favourites.joinIntoString("\r\n"), false, false, nullptr))
            return;
        out.flush();
        if (out.getStatus().failed())
            return;
    }
    temporary.overwriteTargetFileWithTemporary();
}

void PresetLibrary::addFavourite(const juce::String& id)
{
    favourites.addIfNotAlreadyThere(id);
    saveFavourites();
}

void PresetLibrary::removeFavourite(const juce::String& id)
{
    favourites.removeString(id);
    saveFavourites();
}
} // namespace presets
