// A user's mouse on the plug-in's window inside a host: real X pointer events reach the hosted
// view, and what the controls do arrives at the host as parameter changes and window resizes.
#include "BuiltPlugin.h"
#include "ScreenPointer.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
using vorl::test::Format;

// Where the window's controls sit, in window coordinates, in its default layout (460 wide, all
// sections open).
constexpr int vorlControlTop = 233;
constexpr int vorlControlHeight = 64;
constexpr int vorlControlLeft = 12;
constexpr int firstSectionHeaderY = 385;

class HostedEditorMouseTest : public testing::TestWithParam<Format>
{
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr)
            GTEST_SKIP() << "no X display (the test command provides one)";
        if (!pointer.isAvailable())
            GTEST_SKIP() << "the X server has no XTest extension";
        plugin = vorl::test::loadPrepared(GetParam(), 48000.0, 512);
        ASSERT_NE(plugin.instance, nullptr);
        vorl = vorl::test::findParameter(*plugin.instance, "Vorl");
        ASSERT_NE(vorl, nullptr);
    }

    void TearDown() override
    {
        if (plugin.instance != nullptr)
            plugin.instance->releaseResources();
    }

    // Opens the host's window for the plug-in's view, as a DAW does, and lets it settle.
    std::unique_ptr<juce::AudioProcessorEditor> openWindow()
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor(plugin.instance->createEditorIfNeeded());
        if (editor == nullptr)
            return editor;
        editor->setTopLeftPosition(40, 40);
        editor->addToDesktop(0);
        editor->setVisible(true);
        editor->toFront(false);
        runAudioAndTicks(10);
        return editor;
    }

    // Audio and refresh ticks interleaved: an LV2 plug-in hears its view's changes with the audio.
    void runAudioAndTicks(int slices)
    {
        for (int slice = 0; slice < slices; ++slice)
        {
            vorl::test::processABlock(*plugin.instance);
            juce::MessageManager::getInstance()->runDispatchLoopUntil(35);
        }
    }

    float vorlAmount() const { return vorl->getValue() * 200.0f - 100.0f; }

    vorl::test::ScreenPointer pointer;
    vorl::host::HostedPlugin plugin;
    juce::AudioProcessorParameter* vorl = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Formats, HostedEditorMouseTest, testing::ValuesIn(vorl::test::builtFormats()),
                         [](const auto& info) { return vorl::test::formatName(info.param); });

TEST_P(HostedEditorMouseTest, ControlsAnswerTheMouseEveryTimeTheWindowOpens)
{
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE(round);
        auto editor = openWindow();
        ASSERT_NE(editor, nullptr);
        const auto origin = editor->getScreenPosition();
        const int controlY = vorlControlTop + vorlControlHeight / 2;

        // Dragging the vorl control past its right end sets Vorl to its maximum.
        pointer.drag(origin + juce::Point<int>{230, controlY}, origin + juce::Point<int>{470, controlY});
        runAudioAndTicks(3);
        EXPECT_NEAR(vorlAmount(), 100.0f, 0.01f);

        // A double-click there resets it, wherever it lands.
        pointer.doubleClick(origin + juce::Point<int>{vorlControlLeft + 80, controlY});
        runAudioAndTicks(3);
        EXPECT_NEAR(vorlAmount(), 0.0f, 0.01f);

        // A click on the first section's header folds it, and the host's window shrinks with it;
        // a second click opens it again.
        const int openHeight = editor->getHeight();
        pointer.click(origin + juce::Point<int>{150, firstSectionHeaderY});
        runAudioAndTicks(5);
        EXPECT_LT(editor->getHeight(), openHeight);
        pointer.click(origin + juce::Point<int>{150, firstSectionHeaderY});
        runAudioAndTicks(5);
        EXPECT_EQ(editor->getHeight(), openHeight);

        editor.reset();
        juce::MessageManager::getInstance()->runDispatchLoopUntil(50);
        EXPECT_EQ(plugin.instance->getActiveEditor(), nullptr);
    }
}
} // namespace
