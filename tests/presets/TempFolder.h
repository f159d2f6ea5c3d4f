#pragma once

#include <juce_core/juce_core.h>

namespace vorl::test
{
// A fresh folder below the temporary directory, removed with everything in it afterwards.
class TempFolder
{
public:
    TempFolder()
        : folder(juce::File::getSpecialLocation(juce::File::tempDirectory)
                     .getNonexistentChildFile("vorl-preset-test", "", false))
    {
        folder.createDirectory();
    }
    ~TempFolder()
    {
        // Folders made unreadable by a test must be readable again to be removed.
        for (const auto& entry : juce::RangedDirectoryIterator(folder, true, "*", juce::File::findDirectories,
                                                               juce::File::FollowSymlinks::no))
            entry.getFile().setReadOnly(false);
        folder.deleteRecursively(false);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const juce::File& path() const noexcept { return folder; }
    juce::File operator/(const juce::String& relative) const { return folder.getChildFile(relative); }

    // Writes text as a file below the folder, creating sub-folders.
    juce::File write(const juce::String& relative, const juce::String& text) const
    {
        auto file = folder.getChildFile(relative);
        file.getParentDirectory().createDirectory();
        file.replaceWithText(text, false, false, nullptr);
        return file;
    }

private:
    juce::File folder;
};
} // namespace vorl::test
