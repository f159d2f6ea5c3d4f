// vorl-snapshot OUT.png --widget NAME [--scale 1|2]: paints one page of the widget gallery
// (or the plug-in's editor) into a PNG with the software renderer; no display needed.
// For the editor: [--preset ID] [--expanded SECTIONS] [--options] [ID=VALUE ...] set what it
// shows.
// vorl-snapshot --list prints the gallery's names and sizes.
#include "cli/ParameterArguments.h"
#include "snapshot/EditorSnapshot.h"
#include "snapshot/WidgetGallery.h"

#include <iostream>

namespace
{
constexpr int kUsageError = 2;

int usage()
{
    std::cerr << "usage: vorl-snapshot OUT.png --widget NAME [--scale 1|2]\n"
                 "       vorl-snapshot OUT.png --widget editor [--preset ID] [--expanded SECTIONS] "
                 "[--options] [ID=VALUE ...] "
                 "[--scale 1|2]\n"
                 "       vorl-snapshot --list"
              << std::endl;
    return kUsageError;
}
} // namespace

int main(int argc, char* argv[])
{
    juce::String outPath, widgetName, scaleText = "1";
    vorl::snapshot::EditorSnapshotOptions editorOptions;
    bool editorOptionsGiven = false;
    bool list = false;
    for (int i = 1; i < argc; ++i)
    {
        const juce::String arg = juce::String::fromUTF8(argv[i]);
        if (arg == "--widget" && i + 1 < argc)
            widgetName = juce::String::fromUTF8(argv[++i]);
        else if (arg == "--scale" && i + 1 < argc)
            scaleText = juce::String::fromUTF8(argv[++i]);
        else if (arg == "--list")
            list = true;
        else if (arg == "--preset" && i + 1 < argc)
        {
            editorOptions.presetId = juce::String::fromUTF8(argv[++i]);
            editorOptionsGiven = true;
        }
        else if (arg == "--expanded" && i + 1 < argc)
        {
            editorOptions.expanded.addTokens(juce::String::fromUTF8(argv[++i]), ",", {});
            editorOptionsGiven = true;
        }
        else if (arg == "--options")
        {
            editorOptions.optionsOpen = true;
            editorOptionsGiven = true;
        }
        else if (vorl::cli::isParameterAssignment(arg))
        {
            editorOptions.assignments.add(arg);
            editorOptionsGiven = true;
        }
        else if (!arg.startsWith("--") && outPath.isEmpty())
            outPath = arg;
        else
            return usage();
    }

    const juce::ScopedJuceInitialiser_GUI juceRuntime;

    if (list)
    {
        for (const auto& entry : vorl::snapshot::galleryEntries())
        {
            const auto page = entry.create();
            std::cout << entry.name << " " << page->getWidth() << "x" << page->getHeight() << "  "
                      << entry.description << std::endl;
        }
        return 0;
    }

    if (outPath.isEmpty() || widgetName.isEmpty())
        return usage();
    if (scaleText != "1" && scaleText != "2")
    {
        std::cerr << "vorl-snapshot: --scale must be 1 or 2, not '" << scaleText << "'" << std::endl;
        return kUsageError;
    }

    std::unique_ptr<juce::Component> page;
    if (widgetName == "editor")
    {
        juce::String error;
        page = vorl::snapshot::createEditorPage(editorOptions, error);
        if (page == nullptr)
        {
            std::cerr << "vorl-snapshot: " << error << std::endl;
            return kUsageError;
        }
    }
    else
    {
        if (editorOptionsGiven)
        {
            std::cerr
                << "vorl-snapshot: --preset, --expanded, --options and ID=VALUE apply to the editor only"
                << std::endl;
            return kUsageError;
        }
        const auto* entry = vorl::snapshot::findGalleryEntry(widgetName);
        if (entry == nullptr)
        {
            std::cerr << "vorl-snapshot: unknown widget '" << widgetName
                      << "'; valid names: " << vorl::snapshot::galleryNames() << std::endl;
            return kUsageError;
        }
        page = entry->create();
    }
    const auto image = vorl::snapshot::renderComponent(*page, static_cast<float>(scaleText.getIntValue()));
    if (!image.isValid())
    {
        std::cerr << "vorl-snapshot: '" << widgetName << "' has nothing to paint" << std::endl;
        return 1;
    }

    const juce::File outFile = juce::File::getCurrentWorkingDirectory().getChildFile(outPath);
    outFile.deleteFile();
    juce::FileOutputStream stream(outFile);
    juce::PNGImageFormat png;
    if (stream.failedToOpen() || !png.writeImageToStream(image, stream))
    {
        std::cerr << "vorl-snapshot: cannot write " << outFile.getFullPathName() << std::endl;
        return 1;
    }
    return 0;
}
