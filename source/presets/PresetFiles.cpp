#include "PresetFiles.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace presets
{
namespace
{
// A preset is a few kilobytes; anything far larger is not one and would only stall the scan.
constexpr juce::int64 kMaxJsonFileBytes = 4 * 1024 * 1024;

// Deeper than any sensible folder layout; bounds the walk even through links the cycle check
// cannot see (for example a chain of links that keeps producing new paths).
constexpr int kMaxFolderDepth = 32;

std::string canonicalPathOf(const juce::File& folder)
{
    std::error_code error;
    const auto canonical = std::filesystem::canonical(folder.getFullPathName().toStdString(), error);
    return error ? folder.getFullPathName().toStdString() : canonical.string();
}

void collectJsonFiles(const juce::File& folder, std::vector<std::string>& ancestors, int depth,
                      juce::Array<juce::File>& found)
{
    if (depth > kMaxFolderDepth)
        return;

    for (const auto& entry :
         juce::RangedDirectoryIterator(folder, false, "*", juce::File::findFilesAndDirectories))
    {
        const auto& file = entry.getFile();
        if (entry.isDirectory())
        {
            const auto canonical = canonicalPathOf(file);
            if (std::find(ancestors.begin(), ancestors.end(), canonical) != ancestors.end())
                continue; // a link back into its own ancestry
            ancestors.push_back(canonical);
            collectJsonFiles(file, ancestors, depth + 1, found);
            ancestors.pop_back();
        }
        else if (file.getFileName().matchesWildcard("*.json", false))
        {
            found.add(file);
        }
    }
}

bool isRegularFile(const juce::File& file)
{
    // Named pipes and devices would block or never end when read; only plain files are presets.
    std::error_code error;
    return std::filesystem::is_regular_file(file.getFullPathName().toStdString(), error);
}
} // namespace

juce::var readJsonObjectFile(const juce::File& file)
{
    if (!isRegularFile(file) || file.getSize() > kMaxJsonFileBytes)
        return {};
    const auto parsed = juce::JSON::parse(file.loadFileAsString());
    // Arrays count as objects to var; a preset or settings file must be a real object.
    return parsed.getDynamicObject() != nullptr && !parsed.isArray() ? parsed : juce::var();
}

bool writeJsonFile(const juce::File& file, const juce::var& value)
{
    // Written to a temporary file first and swapped in only when complete, so a failed write
    // never leaves a half-written preset behind. The JSON writer breaks lines with CRLF already.
    const juce::TemporaryFile temporary(file, juce::TemporaryFile::useHiddenFile);
    {
        juce::FileOutputStream out(temporary.getFile());
        if (!out.openedOk())
            return false;
        if (!out.writeText(juce::JSON::toString(value, false, 15), false, false, "\r\n"))
            return false;
        out.flush();
        if (out.getStatus().failed())
            return false;
    }
    return temporary.overwriteTargetFileWithTemporary();
}

juce::Array<juce::File> findJsonFilesBelow(const juce::File& folder)
{
    juce::Array<juce::File> found;
    if (!folder.isDirectory())
        return found;
    std::vector<std::string> ancestors{canonicalPathOf(folder)};
    collectJsonFiles(folder, ancestors, 0, found);
    return found;
}
} // namespace presets
