// Runs vorl-snapshot for every gallery page and checks the PNGs it writes.
#include "snapshot/WidgetGallery.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace
{
struct ToolResult
{
    int exitCode = -1;
    juce::String output;
};

class SnapshotToolTest : public testing::TestWithParam<juce::String>
{
protected:
    // The tool and the editor page must not see the user's real folders.
    static void SetUpTestSuite()
    {
        home = std::make_unique<juce::TemporaryFile>();
        home->getFile().createDirectory();
        setenv("HOME", home->getFile().getFullPathName().toRawUTF8(), 1);
        setenv("XDG_CONFIG_HOME", home->getFile().getChildFile(".config").getFullPathName().toRawUTF8(), 1);
    }
    static void TearDownTestSuite()
    {
        home->getFile().deleteRecursively();
        home.reset();
    }

    static ToolResult run(const juce::StringArray& arguments)
    {
        juce::StringArray command{VORL_SNAPSHOT_TOOL};
        command.addArray(arguments);
        juce::ChildProcess process;
        ToolResult result;
        if (!process.start(command))
            return result;
        result.output = process.readAllProcessOutput();
        process.waitForProcessToFinish(60000);
        result.exitCode = static_cast<int>(process.getExitCode());
        return result;
    }

    static inline std::unique_ptr<juce::TemporaryFile> home;
};

std::vector<juce::String> galleryNames()
{
    std::vector<juce::String> names;
    for (const auto& entry : vorl::snapshot::galleryEntries())
        names.push_back(entry.name);
    return names;
}

// Not blank: some pixels differ from the background, in several colours (the placeholder
// editor paints little more than its name).
void expectPainted(const juce::Image& image)
{
    const auto background = image.getPixelAt(0, 0);
    int differing = 0;
    std::set<juce::uint32> colours;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto pixel = image.getPixelAt(x, y);
            if (pixel != background)
                ++differing;
            if (colours.size() < 64)
                colours.insert(pixel.getARGB());
        }
    EXPECT_GT(differing, image.getWidth() * image.getHeight() / 1000);
    EXPECT_GE(colours.size(), 8u);
}

TEST_P(SnapshotToolTest, RendersThePageAtBothScales)
{
    const auto* entry = vorl::snapshot::findGalleryEntry(GetParam());
    ASSERT_NE(entry, nullptr);
    const auto page = entry->create();
    ASSERT_GT(page->getWidth(), 0);
    ASSERT_GT(page->getHeight(), 0);

    for (int scale : {1, 2})
    {
        juce::TemporaryFile png(".png");
        const auto result =
            run({png.getFile().getFullPathName(), "--widget", GetParam(), "--scale", juce::String(scale)});
        ASSERT_EQ(result.exitCode, 0) << result.output;
        const auto image = juce::ImageFileFormat::loadFrom(png.getFile());
        ASSERT_TRUE(image.isValid()) << "no PNG for " << GetParam() << " at scale " << scale;
        EXPECT_EQ(image.getWidth(), page->getWidth() * scale);
        EXPECT_EQ(image.getHeight(), page->getHeight() * scale);
        expectPainted(image);
    }
}

INSTANTIATE_TEST_SUITE_P(Gallery, SnapshotToolTest, testing::ValuesIn(galleryNames()),
                         [](const testing::TestParamInfo<juce::String>& info)
                         { return info.param.replaceCharacter('-', '_').toStdString(); });

class SnapshotToolErrors : public SnapshotToolTest
{
};

TEST_F(SnapshotToolErrors, UnknownNameListsTheValidNamesOnOneLineAndExitsWithTwo)
{
    juce::TemporaryFile png(".png");
    const auto result = run({png.getFile().getFullPathName(), "--widget", "no-such-widget"});
    EXPECT_EQ(result.exitCode, 2);
    const auto line = result.output.trimEnd();
    EXPECT_FALSE(line.containsChar('\n')) << line;
    EXPECT_TRUE(line.contains("no-such-widget"));
    for (const auto& name : galleryNames())
        EXPECT_TRUE(line.contains(name)) << name;
    EXPECT_FALSE(png.getFile().existsAsFile() && png.getFile().getSize() > 0);
}

TEST_F(SnapshotToolErrors, BadScaleAndMissingArgumentsAreUsageErrors)
{
    juce::TemporaryFile png(".png");
    EXPECT_EQ(run({png.getFile().getFullPathName(), "--widget", "buttons", "--scale", "3"}).exitCode, 2);
    EXPECT_EQ(run({png.getFile().getFullPathName()}).exitCode, 2);
    EXPECT_EQ(run({"--widget", "buttons"}).exitCode, 2);
}
} // namespace
