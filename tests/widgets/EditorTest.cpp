#include "ValueCurves.h"
#include "WidgetTestSupport.h"
#include "editor/PluginEditor.h"
#include "processor/PluginProcessor.h"
#include "pluginhost/OfflinePlayHead.h"

#include <gtest/gtest.h>

namespace
{
// A processor with its editor, the way a host holds them; the tests run the editor's refresh
// ticks themselves instead of waiting for its timer.
class EditorTest : public testing::Test
{
protected:
    void open() { editor = std::make_unique<TarnelDelayAudioProcessorEditor>(processor); }

    void set(const char* id, float value)
    {
        auto* p = processor.apvts.getParameter(id);
        p->setValueNotifyingHost(p->convertTo0to1(value));
    }
    float get(const char* id) { return processor.apvts.getRawParameterValue(id)->load(); }

    // Lets the engine see a host tempo: one block with a playing transport at that tempo.
    void runAtTempo(double bpm)
    {
        vorl::host::OfflinePlayHead playHead(bpm, 48000.0);
        processor.setPlayHead(&playHead);
        processor.setPlayConfigDetails(2, 2, 48000.0, 256);
        processor.prepareToPlay(48000.0, 256);
        juce::AudioBuffer<float> buffer(2, 256);
        buffer.clear();
        juce::MidiBuffer midi;
        processor.processBlock(buffer, midi);
        processor.setPlayHead(nullptr);
    }

    void tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            editor->timerCallback();
    }

    // Runs every section's animation to its end.
    void finishAnimations()
    {
        const auto later = juce::Time::getMillisecondCounter() + 1000;
        for (auto& section : editor->accordions)
            if (section->isAnimating())
                section->stepAnimation(later);
    }

    TarnelDelayAudioProcessor processor;
    std::unique_ptr<TarnelDelayAudioProcessorEditor> editor;
};

TEST_F(EditorTest, WindowHeightFollowsTheSections)
{
    for (const char* title : {"TAPE", "PITCH / CHORUS", "WAVE", "TREMOLO"})
        processor.accordionLayout.setExpanded(title, false);
    open();
    finishAnimations();
    EXPECT_EQ(editor->getWidth(), 460);
    EXPECT_EQ(editor->getHeight(), 504);
    EXPECT_EQ(editor->visualizer.getBounds(), juce::Rectangle<int>(12, 69, 436, 160));
    EXPECT_EQ(editor->vorlControl.getY(), 233);
    EXPECT_EQ(editor->mixSlider.getBounds(), juce::Rectangle<int>(397, 73, 22, 101));
    EXPECT_EQ(editor->accordionViewport.getY(), 375);

    // Opening every section grows the window up to its cap; the column then scrolls.
    for (auto& section : editor->accordions)
        section->setExpanded(true);
    finishAnimations();
    EXPECT_EQ(editor->getHeight(), 788);
    EXPECT_EQ(editor->accordionContentHeight, 472);
    for (const char* title : {"TAPE", "PITCH / CHORUS", "WAVE", "TREMOLO"})
        EXPECT_TRUE(processor.accordionLayout.isExpanded(title)) << title;
}

TEST_F(EditorTest, OpeningTheEditorChangesNoParameter)
{
    std::vector<float> before;
    for (auto* parameter : processor.getParameters())
        before.push_back(parameter->getValue());
    open();
    tick(5);
    editor.reset();
    std::vector<float> after;
    for (auto* parameter : processor.getParameters())
        after.push_back(parameter->getValue());
    EXPECT_EQ(after, before);
}

TEST_F(EditorTest, LengthNearAMagneticValueSnapsOnce)
{
    open();
    set("fb", 731.6f);
    tick();
    EXPECT_NEAR(get("fb"), 731.0f, 1e-3f);
    set("fb", 732.0f);
    tick();
    EXPECT_NEAR(get("fb"), 732.0f, 1e-3f);
}

TEST_F(EditorTest, TapSyncConversionsFollowTheTempoAndSkipStateChanges)
{
    const struct
    {
        double bpm;
        float startMs;
        float noteSlider;
    } cases[] = {{120.0, 250.0f, 417.0f}, {60.0, 500.0f, 417.0f}};
    for (const auto& c : cases)
    {
        runAtTempo(c.bpm);
        set("mu", 0.0f);
        set("io2x", 0.0f);
        set("lk", 0.0f);
        open();
        tick();
        set("s", vorl::msToTimeSlider(c.startMs));
        set("mu", 1.0f);
        tick();
        EXPECT_EQ(get("s"), c.noteSlider) << c.bpm;
        set("mu", 0.0f);
        tick();
        EXPECT_NEAR(vorl::timeSliderToMs(get("s")), c.startMs, c.startMs * 0.01f) << c.bpm;
        EXPECT_NEAR(get("pd"), c.startMs, c.startMs * 0.01f) << c.bpm;
        editor.reset();
    }

    // At 60 BPM a whole bar of End needs the In/Out factor when sync goes off.
    runAtTempo(60.0);
    set("mu", 1.0f);
    set("io2x", 0.0f);
    set("e", 833.0f); // "1b"
    open();
    tick();
    set("mu", 0.0f);
    tick();
    EXPECT_EQ(get("io2x"), 1.0f);
    EXPECT_NEAR(get("e"), 650.0f, 0.5f);
    editor.reset();

    // A state change (here a history step) records the switches instead of converting them.
    open();
    tick();
    const float start = get("s");
    set("mu", 1.0f);
    processor.stateVersion.fetch_add(1);
    tick();
    EXPECT_EQ(get("s"), start);
}

TEST_F(EditorTest, MixLabelTogglesBypassAndBlinks)
{
    open();
    editor->mixLabel.onClick();
    EXPECT_EQ(get("mixByp"), 1.0f);
    tick();
    EXPECT_EQ(editor->mixLabel.getText(), "BYP");
    EXPECT_FLOAT_EQ(editor->mixSlider.getAlpha(), 0.4f);
    editor->mixLabel.onClick();
    tick();
    EXPECT_EQ(editor->mixLabel.getText(), "MIX");
    EXPECT_FLOAT_EQ(editor->mixSlider.getAlpha(), 1.0f);
}

TEST_F(EditorTest, HoverAndDragSelectTheOverlay)
{
    open();
    editor->hoverParamId = "mout";
    tick();
    EXPECT_TRUE(editor->visualizer.readoutHuds[1].isShown());
    editor->activeParamId = "dcv";
    tick();
    EXPECT_TRUE(editor->visualizer.decayHud.isShown());
    EXPECT_FALSE(editor->visualizer.readoutHuds[1].isShown());
}

TEST_F(EditorTest, RandomizeWithEveryRowOffStillReseedsAndRecordsOneStep)
{
    open();
    processor.randomMatrix.setAll(false);
    const auto waveSeed = processor.seeds.wave.load();
    std::vector<float> before;
    for (auto* parameter : processor.getParameters())
        before.push_back(parameter->getValue());

    editor->randomize();
    std::vector<float> after;
    for (auto* parameter : processor.getParameters())
        after.push_back(parameter->getValue());
    EXPECT_EQ(after, before);
    EXPECT_NE(processor.seeds.wave.load(), waveSeed);
    EXPECT_TRUE(processor.canStepHistoryBack());
    EXPECT_TRUE(editor->historyBackButton.isEnabled());
    // RAND lights up for 360 ms.
    auto* rand = editor->buttonGrid.getButtons()[3];
    EXPECT_TRUE(rand->getToggleState());
    juce::MessageManager::getInstance()->runDispatchLoopUntil(450);
    EXPECT_FALSE(rand->getToggleState());
}

TEST_F(EditorTest, OptionsButtonOpensThePanelAndAClickOutsideClosesIt)
{
    open();
    editor->optionsButton.triggerClick();
    vorl::test::deliverMessages();
    EXPECT_TRUE(editor->optionsPanel.isOpen());
    EXPECT_TRUE(editor->clickCatcher.isVisible());
    editor->clickCatcher.onClick();
    EXPECT_FALSE(editor->optionsPanel.isOpen());
    EXPECT_FALSE(editor->optionsButton.getToggleState());
    EXPECT_FALSE(editor->clickCatcher.isVisible());
}
} // namespace

namespace
{
TEST_F(EditorTest, PredelayFollowsTheStartNoteOnlyWhenItChanges)
{
    runAtTempo(120.0);
    set("mu", 1.0f);
    set("lk", 0.0f);
    set("s", 417.0f); // an eighth: 250 ms at 120 BPM
    set("pd", 326.0f);
    open();
    tick(3);
    EXPECT_EQ(get("pd"), 326.0f); // opening keeps the session's predelay

    set("s", 583.0f); // a quarter: 500 ms
    tick();
    EXPECT_EQ(get("pd"), 500.0f);

    runAtTempo(60.0);
    tick();
    EXPECT_EQ(get("pd"), 1000.0f); // and follows the tempo
}
} // namespace

namespace
{
// Real controls of the assembled window, driven with synthetic mouse events.
TEST_F(EditorTest, ControlsOfTheWindowReachTheirParameters)
{
    for (const char* title : {"TAPE", "PITCH / CHORUS", "WAVE", "TREMOLO"})
        processor.accordionLayout.setExpanded(title, false);
    open();
    tick();

    // The vorl control: a drag to the right end is Vorl +100.
    auto& vorl = editor->vorlControl;
    const juce::Point<float> down{10.0f, 30.0f};
    const juce::Point<float> end{static_cast<float>(vorl.getWidth()), 30.0f};
    vorl.mouseDown(vorl::test::mouseEvent(vorl, down, vorl::test::leftButton, down));
    vorl.mouseDrag(vorl::test::mouseEvent(vorl, end, vorl::test::leftButton, down));
    EXPECT_EQ(editor->activeParamId, "g"); // the vorl overlay's focus while dragging
    vorl.mouseUp(vorl::test::mouseEvent(vorl, end, {}, down));
    EXPECT_EQ(get("g"), 100.0f);
    EXPECT_TRUE(editor->activeParamId.isEmpty());
    tick(); // the start/end strip learns the new amount on the next refresh
    EXPECT_EQ(editor->visualizer.strip.getVorlAmount(), 100.0f);

    // The predelay handle: dragging it shows the START read-out on the next tick.
    auto& visualizer = editor->visualizer;
    const auto handle = visualizer.curves().predelayHandle();
    visualizer.mouseDown(vorl::test::mouseEvent(visualizer, handle, vorl::test::leftButton, handle));
    visualizer.mouseDrag(
        vorl::test::mouseEvent(visualizer, handle.translated(40.0f, 0.0f), vorl::test::leftButton, handle));
    tick();
    EXPECT_TRUE(visualizer.readoutHuds[2].isShown());
    visualizer.mouseUp(vorl::test::mouseEvent(visualizer, handle.translated(40.0f, 0.0f), {}, handle));
    EXPECT_GT(get("pd"), 326.0f);

    // A click on a section's header opens it and the window grows with it.
    auto& tape = *editor->accordions.front();
    const juce::Point<float> header{150.0f, 10.0f};
    tape.mouseDown(vorl::test::mouseEvent(tape, header, vorl::test::leftButton, header));
    finishAnimations();
    EXPECT_TRUE(tape.isExpanded());
    EXPECT_GT(editor->getHeight(), 504);
    EXPECT_TRUE(processor.accordionLayout.isExpanded("TAPE"));
}
} // namespace
