#include "HostGestureRecorder.h"
#include "WidgetTestSupport.h"
#include "editor/DisplayState.h"
#include "editor/TapBars.h"
#include "editor/VisualizerComponent.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using vorl::test::mouseEvent;

// A visualizer at its editor size on the processor's parameter tree, fed as the editor feeds it.
class VisualizerTest : public testing::Test
{
protected:
    VisualizerTest()
    {
        set("mu", 0.0f);
        set("pd", 200.0f);
        set("fb", 650.0f);
        set("dcFall", 20.0f);
        visualizer.setSize(436, 160);
        visualizer.attachDecay(processor.apvts);
        visualizer.setPredelayParameter(processor.apvts.getParameter("pd"));
        visualizer.onDragStart = [this](const juce::String& id) { dragStarts.add(id); };
        visualizer.onDragEnd = [this](const juce::String& id) { dragEnds.add(id); };
        visualizer.onHoverStart = [this](const juce::String& id) { hoverStarts.add(id); };
        visualizer.onHoverEnd = [this](const juce::String& id) { hoverEnds.add(id); };
        refresh();
        gestures.clear();
    }

    void set(const char* id, float value)
    {
        auto* p = processor.apvts.getParameter(id);
        p->setValueNotifyingHost(p->convertTo0to1(value));
    }
    float get(const char* id) { return processor.apvts.getRawParameterValue(id)->load(); }

    // What the editor's tick does.
    void refresh(int hudMode = 0)
    {
        auto state = readDisplayState(processor);
        state.hudMode = hudMode;
        // Sixteen evenly spaced taps over the pattern: the curves need at least two.
        vorl::TapLayoutResult layout;
        layout.count = 16;
        for (int i = 0; i < layout.count; ++i)
            layout.taps[static_cast<size_t>(i)] = {
                state.predelayMs + state.lengthMs * static_cast<float>(i) / 15.0f, 1.0f, 0.0f};
        visualizer.setLayout(layout);
        visualizer.setTotalLength(std::max(1.0f, state.predelayMs + state.lengthMs));
        visualizer.setDisplayState(state);
    }

    void press(juce::Point<float> at, juce::ModifierKeys mods = vorl::test::leftButton)
    {
        visualizer.mouseDown(mouseEvent(visualizer, at, mods, at));
        downAt = at;
    }
    void dragTo(juce::Point<float> at, juce::ModifierKeys mods = vorl::test::leftButton)
    {
        visualizer.mouseDrag(mouseEvent(visualizer, at, mods, downAt));
    }
    void release(juce::Point<float> at) { visualizer.mouseUp(mouseEvent(visualizer, at, {}, downAt)); }

    TarnelDelayAudioProcessor processor;
    VisualizerComponent visualizer;
    vorl::test::HostGestureRecorder gestures{processor};
    juce::StringArray dragStarts, dragEnds, hoverStarts, hoverEnds;
    juce::Point<float> downAt;
};

TEST_F(VisualizerTest, PlotGeometryFollowsTheComponentSize)
{
    const auto plot = visualizer.plot();
    EXPECT_FLOAT_EQ(plot.right, 380.0f);
    EXPECT_FLOAT_EQ(plot.plotWidth, 362.0f);
    EXPECT_FLOAT_EQ(plot.plotBottom, 120.0f);
    EXPECT_FLOAT_EQ(plot.curveTop(), 10.8f);
    EXPECT_FLOAT_EQ(plot.curveBottom(), 98.0f);
    EXPECT_EQ(visualizer.strip.getBounds(), juce::Rectangle<int>(0, 120, 436, 40));
    EXPECT_EQ(visualizer.lengthSlider.getBounds(), juce::Rectangle<int>(0, 106, 380, 14));
    EXPECT_EQ(visualizer.eqHud.getBounds(), juce::Rectangle<int>(0, 0, 436, 106));

    // A component smaller than the margins keeps a plot of no height instead of a negative one.
    const auto tiny = PlotGeometry::forSize(30.0f, 20.0f);
    EXPECT_FLOAT_EQ(tiny.plotBottom, 0.0f);
    EXPECT_FLOAT_EQ(tiny.right, 0.0f);
}

TEST_F(VisualizerTest, CurvesFollowTheDecayAndFalloff)
{
    EXPECT_FLOAT_EQ(VisualizerCurves::level(1.0f), 1.0f);
    EXPECT_NEAR(VisualizerCurves::level(std::pow(10.0f, -45.0f / 20.0f)), 0.0f, 1e-5f);
    EXPECT_NEAR(VisualizerCurves::level(std::pow(10.0f, -22.5f / 20.0f)), 0.5f, 1e-5f);
    EXPECT_FLOAT_EQ(VisualizerCurves::level(0.0f), 0.0f);

    DisplayState state;
    state.decayCurve = 0.0f; // the last tap 20 dB down
    state.decayFalloff = 0.0f;
    const auto plot = PlotGeometry::forSize(436.0f, 160.0f);
    const VisualizerCurves curves(state, 10, 2400.0f, plot);
    EXPECT_FLOAT_EQ(curves.decayY(0.0f), plot.curveTop());
    EXPECT_NEAR(curves.decayY(1.0f), plot.curveTop() + (plot.curveBottom() - plot.curveTop()) * 20.0f / 45.0f,
                1e-3f);
    // A single tap has no decay.
    EXPECT_FLOAT_EQ(VisualizerCurves(state, 1, 2400.0f, plot).gainAt(1.0f), 1.0f);

    // Falloff 100 takes the end of the pattern to silence, so the curve reaches the bottom.
    state.decayFalloff = 100.0f;
    EXPECT_FLOAT_EQ(curves.decayY(1.0f), plot.curveBottom());
    // The wear curve leaves the decay curve only over the last part of the pattern.
    state.decayFalloff = 0.0f;
    state.tapeWear = 50.0f;
    EXPECT_FLOAT_EQ(curves.wearY(0.3f), curves.decayY(0.3f));
    EXPECT_FLOAT_EQ(curves.wearY(1.0f), plot.curveBottom());
}

TEST_F(VisualizerTest, HandleHeightsAreStoredInTheRecordForTheOverlays)
{
    const auto plot = visualizer.plot();
    const auto decay = visualizer.curves().decayHandle();
    EXPECT_FLOAT_EQ(visualizer.getDisplayState().decayHandleY, decay.y / plot.plotBottom);
    EXPECT_FLOAT_EQ(visualizer.decayHud.state.decayHandleY, decay.y / plot.plotBottom);

    // Without a plot there is no height to give: the overlays get the middle.
    visualizer.setSize(0, 160);
    refresh();
    EXPECT_FLOAT_EQ(visualizer.getDisplayState().decayHandleY, 0.5f); // no plot width
}

TEST_F(VisualizerTest, StepsDragMovesOneStepPerFourPixelsUpwardWithinOneToSixteen)
{
    set("dcMode", 1.0f);
    refresh();
    ASSERT_TRUE(visualizer.stepsLabel.isVisible());
    const struct
    {
        float startSteps;
        float dy; // positive is upward
        float expected;
    } cases[] = {
        {4.0f, 40.0f, 14.0f}, {4.0f, 200.0f, 16.0f}, {4.0f, 3.0f, 4.0f},
        {4.0f, -40.0f, 1.0f}, {10.0f, -8.0f, 8.0f},
    };
    auto& label = visualizer.stepsLabel;
    for (const auto& c : cases)
    {
        set("dcSteps", c.startSteps);
        gestures.clear();
        const juce::Point<float> start{10.0f, 6.0f};
        visualizer.mouseDown(mouseEvent(label, start, vorl::test::leftButton, start));
        visualizer.mouseDrag(mouseEvent(label, start.translated(0.0f, -c.dy), vorl::test::leftButton, start));
        visualizer.mouseUp(mouseEvent(label, start.translated(0.0f, -c.dy), {}, start));
        EXPECT_EQ(get("dcSteps"), c.expected) << c.startSteps << " dragged " << c.dy;
        EXPECT_TRUE(gestures.isOneGesture("dcSteps"));
    }

    // A double-click on the label returns to 4.
    visualizer.mouseDoubleClick(mouseEvent(label, {10.0f, 6.0f}));
    EXPECT_EQ(get("dcSteps"), 4.0f);
}

TEST_F(VisualizerTest, PredelayDragFollowsThePointerAndStopsAtTheEnds)
{
    const auto handle = visualizer.curves().predelayHandle();
    const float msPerPixel = visualizer.getTotalLength() / visualizer.plot().plotWidth;

    press(handle);
    EXPECT_EQ(visualizer.getDraggedHandle(), VisualizerComponent::Handle::predelay);
    dragTo(handle.translated(10.0f, 0.0f));
    EXPECT_NEAR(get("pd"), 200.0f + 10.0f * msPerPixel, 1.0f);
    // Ctrl: one eighth as fast from where it began.
    const float beforeFine = get("pd");
    dragTo(handle.translated(10.0f, 0.0f), vorl::test::leftButtonWithCtrl);
    dragTo(handle.translated(50.0f, 0.0f), vorl::test::leftButtonWithCtrl);
    EXPECT_NEAR(get("pd"), beforeFine + 40.0f * msPerPixel / 8.0f, 1.0f);
    dragTo(handle.translated(5000.0f, 0.0f));
    EXPECT_EQ(get("pd"), 2000.0f);
    dragTo(handle.translated(-5000.0f, 0.0f));
    EXPECT_EQ(get("pd"), 0.0f);
    release(handle);

    EXPECT_TRUE(gestures.isOneGesture("pd"));
    EXPECT_EQ(dragStarts, juce::StringArray("pd"));
    EXPECT_EQ(dragEnds, juce::StringArray("pd"));

    // Double-click on the handle returns it to 0 as its own gesture.
    set("pd", 500.0f);
    refresh();
    gestures.clear();
    visualizer.mouseDoubleClick(mouseEvent(visualizer, visualizer.curves().predelayHandle()));
    EXPECT_EQ(get("pd"), 0.0f);
    EXPECT_TRUE(gestures.isOneGesture("pd"));
}

TEST_F(VisualizerTest, DecayHandleDragSetsTheCurveVerticallyAndTheFalloffHorizontally)
{
    const auto handle = visualizer.curves().decayHandle();
    const float startCurve = get("dcv");
    const float plotBottom = visualizer.plot().plotBottom;
    press(handle);
    ASSERT_EQ(visualizer.getDraggedHandle(), VisualizerComponent::Handle::decay);
    dragTo(handle.translated(0.0f, -15.0f));
    EXPECT_NEAR(get("dcv"), startCurve + 15.0f * 400.0f / plotBottom, 1.0f);
    EXPECT_NEAR(get("dcFall"), 20.0f, 0.15f); // no horizontal movement
    dragTo(handle.translated(-1000.0f, 1000.0f));
    EXPECT_EQ(get("dcv"), -100.0f);
    EXPECT_EQ(get("dcFall"), 40.0f);
    release(handle);

    EXPECT_TRUE(gestures.isOneGesture("dcv"));
    EXPECT_TRUE(gestures.isOneGesture("dcFall"));
}

TEST_F(VisualizerTest, WearHandleDragsLeftToWearMore)
{
    set("tp", 1.0f);
    set("tDarken", 30.0f);
    refresh();
    gestures.clear();
    const auto handle = visualizer.curves().wearHandle();
    press(handle);
    ASSERT_EQ(visualizer.getDraggedHandle(), VisualizerComponent::Handle::wear);
    dragTo(handle.translated(-40.0f, 0.0f));
    EXPECT_NEAR(get("tDarken"), 30.0f + 40.0f * 100.0f / (0.9f * visualizer.plot().plotWidth), 0.51f);
    dragTo(handle.translated(1000.0f, 0.0f));
    EXPECT_EQ(get("tDarken"), 0.0f);
    release(handle);
    EXPECT_TRUE(gestures.isOneGesture("tDarken"));
}

TEST_F(VisualizerTest, FalloffLineDragSetsTheFalloffFromItsPositionInThePattern)
{
    const auto curves = visualizer.curves();
    const float x = curves.falloffX();
    // Well away from the decay handle, so the line itself is grabbed.
    const juce::Point<float> grab{x + 3.0f, 2.0f};
    press(grab);
    ASSERT_EQ(visualizer.getDraggedHandle(), VisualizerComponent::Handle::falloff);
    const auto& state = visualizer.getDisplayState();
    const auto plot = visualizer.plot();
    const float tenPercentEarlier = x - 0.1f * state.lengthMs / visualizer.getTotalLength() * plot.plotWidth;
    dragTo({tenPercentEarlier + 3.0f, 2.0f});
    EXPECT_NEAR(get("dcFall"), 30.0f, 0.15f);
    dragTo({0.0f, 2.0f});
    EXPECT_EQ(get("dcFall"), 40.0f);
    dragTo({1000.0f, 2.0f});
    EXPECT_EQ(get("dcFall"), 0.0f);
    release({1000.0f, 2.0f});
    EXPECT_TRUE(gestures.isOneGesture("dcFall"));
    EXPECT_EQ(gestures.count('b', "dcv"), 0);
}

TEST_F(VisualizerTest, HoverOverThePredelayHandleIsReportedOnce)
{
    const auto handle = visualizer.curves().predelayHandle();
    visualizer.mouseMove(mouseEvent(visualizer, handle.translated(3.0f, 0.0f), {}));
    visualizer.mouseMove(mouseEvent(visualizer, handle.translated(5.0f, 0.0f), {}));
    EXPECT_EQ(hoverStarts, juce::StringArray("pd"));
    EXPECT_EQ(visualizer.getHoveredHandle(), VisualizerComponent::Handle::predelay);
    visualizer.mouseMove(mouseEvent(visualizer, handle.translated(0.0f, 30.0f), {}));
    EXPECT_EQ(hoverEnds, juce::StringArray("pd"));

    visualizer.mouseMove(mouseEvent(visualizer, visualizer.curves().decayHandle(), {}));
    EXPECT_EQ(visualizer.getHoveredHandle(), VisualizerComponent::Handle::decay);
    visualizer.mouseExit(mouseEvent(visualizer, {0.0f, 0.0f}, {}));
    EXPECT_EQ(visualizer.getHoveredHandle(), VisualizerComponent::Handle::none);
    EXPECT_EQ(hoverEnds.size(), 1);
}

TEST_F(VisualizerTest, DecayModeButtonCyclesTheModeAndShowsItsName)
{
    const char* captions[] = {"Step", "Wavey", "Smooth"};
    for (const char* caption : captions)
    {
        gestures.clear();
        visualizer.decayModeButton.triggerClick();
        vorl::test::deliverMessages();
        EXPECT_TRUE(gestures.isOneGesture("dcMode"));
        refresh();
        EXPECT_EQ(visualizer.decayModeButton.text, caption);
        EXPECT_EQ(visualizer.stepsLabel.isVisible(), juce::String(caption) != "Smooth");
    }
}

TEST_F(VisualizerTest, HeadsUpModeShowsExactlyOneOverlayWithItsReadout)
{
    set("mout", -60.0f);
    const struct
    {
        int mode;
        HudOverlay* expected;
        const char* value; // read-out overlays only
    } cases[] = {
        {1, &visualizer.eqHud, nullptr},
        {2, &visualizer.decayHud, nullptr},
        {4, &visualizer.tapeChainHud, nullptr},
        {5, &visualizer.tapeMixHud, nullptr},
        {6, &visualizer.bumpHud, nullptr},
        {7, &visualizer.flutterHud, nullptr},
        {9, &visualizer.readoutHuds[0], nullptr},
        {10, &visualizer.readoutHuds[1], "-\xe2\x88\x9e dB"},
        {11, &visualizer.pitchHud, nullptr},
        {12, &visualizer.readoutHuds[2], "200 ms"},
        {13, &visualizer.wearHud, nullptr},
        {14, &visualizer.widthHud, nullptr},
        {15, &visualizer.readoutHuds[3], "20.0%"},
        {3, nullptr, nullptr},
        {0, nullptr, nullptr},
    };
    for (const auto& c : cases)
    {
        refresh(c.mode);
        for (auto* overlay : std::initializer_list<HudOverlay*>{
                 &visualizer.eqHud, &visualizer.decayHud, &visualizer.wearHud, &visualizer.tapeChainHud,
                 &visualizer.tapeMixHud, &visualizer.bumpHud, &visualizer.flutterHud, &visualizer.widthHud,
                 &visualizer.vorlHud, &visualizer.readoutHuds[0], &visualizer.readoutHuds[1],
                 &visualizer.readoutHuds[2], &visualizer.readoutHuds[3], &visualizer.pitchHud})
            EXPECT_EQ(overlay->isShown(), overlay == c.expected) << "mode " << c.mode;
        if (c.value != nullptr)
        {
            EXPECT_EQ(static_cast<FaderReadoutHud*>(c.expected)->value,
                      juce::String(juce::CharPointer_UTF8(c.value)));
        }
    }
}

TEST_F(VisualizerTest, ReadoutTexts)
{
    const struct
    {
        const char* id;
        float value;
        int mode;
        int readout;
        const char* text;
    } cases[] = {
        {"mout", 0.0f, 10, 1, "0.0 dB"},     {"mout", 3.5f, 10, 1, "+3.5 dB"},
        {"mout", -12.0f, 10, 1, "-12.0 dB"}, {"mix", 45.4f, 9, 0, "45%"},
        {"dcFall", 0.0f, 15, 3, "OFF"},      {"pd", 1500.0f, 12, 2, "1.50 s"},
        {"pd", 999.0f, 12, 2, "999 ms"},
    };
    for (const auto& c : cases)
    {
        set(c.id, c.value);
        refresh(c.mode);
        EXPECT_EQ(visualizer.readoutHuds[static_cast<size_t>(c.readout)].value, c.text)
            << c.id << " " << c.value;
    }
    EXPECT_EQ(VisualizerComponent::lengthText(999.9f, " ms", " s"), "999 ms");
    EXPECT_EQ(VisualizerComponent::lengthText(1000.0f, " ms", " s"), "1.00 s");
}

TEST(PredelayEntry, TypedTextIsReadAsMillisecondsOrSeconds)
{
    const struct
    {
        const char* text;
        float ms;
    } cases[] = {{"250", 250.0f}, {" 250 ms ", 250.0f}, {"1.5 s", 1500.0f}, {"2s", 2000.0f}, {"abc", 0.0f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(VisualizerComponent::parsePredelayText(c.text), c.ms) << c.text;
}

// ---- Tap bars --------------------------------------------------------------------------

class TapBarTest : public testing::Test
{
protected:
    TapBarTest()
    {
        layout.count = 4;
        const float times[] = {0.0f, 100.0f, 200.0f, 250.0f};
        for (int i = 0; i < 4; ++i)
            layout.taps[static_cast<size_t>(i)] = {times[i], 1.0f, 0.0f};
    }

    TapBar bar(int i)
    {
        TapBar b;
        EXPECT_TRUE(TapBarBuilder(layout, state, 1000.0f, plot).build(i, b));
        return b;
    }

    vorl::TapLayoutResult layout;
    DisplayState state;
    PlotGeometry plot = PlotGeometry::forSize(436.0f, 160.0f);
};

TEST_F(TapBarTest, TapsOutsideTheShownSpanAreNotDrawn)
{
    layout.taps[1].timeMs = -1.0f;
    layout.taps[2].timeMs = 1000.5f;
    const TapBarBuilder builder(layout, state, 1000.0f, plot);
    TapBar b;
    EXPECT_TRUE(builder.build(0, b));
    EXPECT_FALSE(builder.build(1, b));
    EXPECT_FALSE(builder.build(2, b));
    EXPECT_TRUE(builder.build(3, b));
    EXPECT_FALSE(builder.build(4, b)); // beyond the count

    layout.count = 0;
    EXPECT_FALSE(TapBarBuilder(layout, state, 1000.0f, plot).build(0, b));
}

TEST_F(TapBarTest, BarGeometry)
{
    const auto first = bar(0);
    EXPECT_FLOAT_EQ(first.x, 14.0f);
    EXPECT_FLOAT_EQ(first.height, 160.0f);
    EXPECT_FLOAT_EQ(first.centreY, 60.0f);
    EXPECT_FLOAT_EQ(first.width, 2.2f); // spacing 100 vs mean 83.3: not crowded
    // The last two taps are 50 ms apart against a mean of 83.3: drawn wider, at most 1.5 times.
    EXPECT_FLOAT_EQ(bar(2).width, 2.2f * 1.5f);
    EXPECT_FLOAT_EQ(bar(2).x, 14.0f + 0.2f * plot.plotWidth);

    state.tapeOn = true;
    EXPECT_FLOAT_EQ(bar(0).width, 3.2f);

    // Ping-pong: even taps up, odd taps down, squeezed.
    state.pingPongAmount = 50.0f;
    EXPECT_FLOAT_EQ(bar(0).centreY, 60.0f - 0.5f * 160.0f / 4.0f);
    EXPECT_FLOAT_EQ(bar(1).centreY, 60.0f + 0.5f * 160.0f / 4.0f);
    EXPECT_FLOAT_EQ(bar(1).height, 160.0f * 0.75f);
}

TEST_F(TapBarTest, TremoloSetsTheHeightAndItsOffsetSplitsTheBar)
{
    state.tremoloOn = true;
    state.tremDepth = 100.0f;
    state.tremRateHz = 1.0f;
    state.tremShape = 0; // sine
    // 250 ms into a 1 Hz sine is its top; 0 ms its middle.
    EXPECT_NEAR(bar(0).height, 80.0f, 1e-3f);
    EXPECT_NEAR(bar(3).height, 160.0f, 1e-3f);
    EXPECT_EQ(bar(3).split, TapBar::Split::none);

    state.tremOffset = 90.0f;
    const auto split = bar(3);
    EXPECT_EQ(split.split, TapBar::Split::tremolo);
    EXPECT_NEAR(split.upperHeight, 80.0f, 1e-3f);
    EXPECT_NEAR(split.lowerHeight, 40.0f, 1e-3f); // the right channel a quarter cycle behind
    // A quarter of the 1 s period is 250 ms: 250 / 1000 of the plot, half on each side.
    EXPECT_NEAR(split.halfShift, 0.25f * plot.plotWidth / 2.0f, 1e-3f);
}

TEST_F(TapBarTest, ColourAndOpacity)
{
    // Plain bars: yellow, brighter early, never below 0.3.
    const auto plain = bar(0);
    EXPECT_EQ(plain.colour.withAlpha(1.0f), juce::Colour(255, 238, 80));
    EXPECT_NEAR(plain.colour.getFloatAlpha(), 0.7f, 0.005f);
    layout.taps[3].gain = 0.0f;
    EXPECT_NEAR(bar(3).colour.getFloatAlpha(), 0.3f, 0.005f);
    // The heads-up scale brightens every bar, at most to opaque.
    state.hudScale = 1.5f;
    EXPECT_NEAR(bar(0).colour.getFloatAlpha(), 1.0f, 0.005f);
    state.hudScale = 1.0f;

    // Tape with full mix and no wear: the tape colour of the brightest cutoff.
    state.tapeOn = true;
    state.tapeMix = 100.0f;
    state.tapeWear = 0.0f;
    EXPECT_EQ(bar(1).colour.withAlpha(1.0f), juce::Colour(255, 180, 60));

    // Wave colouring follows the wave's value at the tap.
    state.tapeOn = false;
    state.waveOn = true;
    state.waveDensity = 100.0f;
    state.waveRateHz = 1.0f;
    state.waveShape = 0;
    EXPECT_EQ(bar(3).colour.withAlpha(1.0f), juce::Colour(100, 240, 180)); // sine top at 250 ms
}
} // namespace
