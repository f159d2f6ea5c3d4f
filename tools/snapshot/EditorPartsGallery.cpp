#include "EditorPartsGallery.h"

#include "ValueCurves.h"
#include "editor/DisplayState.h"
#include "editor/TarnelControl.h"
#include "editor/VisualizerComponent.h"
#include "processor/PluginProcessor.h"
#include "widgets/Palette.h"
#include "widgets/TdLookAndFeel.h"

namespace vorl::snapshot
{
void applySettingsAndRun(TarnelDelayAudioProcessor& processor, const Settings& settings)
{
    for (const auto& [id, value] : settings)
        if (auto* parameter = processor.apvts.getParameter(id))
            parameter->setValueNotifyingHost(parameter->convertTo0to1(value));

    constexpr double sampleRate = 48000.0;
    constexpr int blockSize = 512;
    processor.setPlayConfigDetails(2, 2, sampleRate, blockSize);
    processor.prepareToPlay(sampleRate, blockSize);
    juce::AudioBuffer<float> buffer(2, blockSize);
    juce::MidiBuffer midi;
    for (int block = 0; block < 8; ++block)
    {
        buffer.clear();
        processor.processBlock(buffer, midi);
    }
}

namespace
{
float raw(TarnelDelayAudioProcessor& processor, const char* id)
{
    const auto* value = processor.apvts.getRawParameterValue(id);
    return value != nullptr ? value->load() : 0.0f;
}

// The editor's bindings of the strip's sliders and buttons; declared after the strip so that
// they go first.
struct StripBindings
{
    using Tree = juce::AudioProcessorValueTreeState;
    StripBindings(Tree& tree, DensityStrip& strip)
        : start(tree, "s", strip.startSlider), end(tree, "e", strip.endSlider),
          lock(tree, "lk", strip.lockButton), fourX(tree, "io2x", strip.fourXButton)
    {
    }
    Tree::SliderAttachment start, end;
    Tree::ButtonAttachment lock, fourX;
};

// Read-outs as the editor writes them for free-running Start and End.
void showSpacings(TarnelDelayAudioProcessor& processor, DensityStrip& strip)
{
    const float k = raw(processor, "io2x") > 0.5f ? 4.0f : 1.0f;
    const auto spacing = [&](const char* id)
    { return juce::String(static_cast<int>(vorl::timeSliderToMs(raw(processor, id)) * k)) + " ms"; };
    strip.setReadoutTexts(spacing("s"), spacing("e"));
}

// A page on the editor's look and feel that owns a processor for its widgets to bind to.
class ProcessorPage : public juce::Component
{
public:
    ProcessorPage() { setLookAndFeel(&lookAndFeel); }
    ~ProcessorPage() override { setLookAndFeel(nullptr); }

    void paint(juce::Graphics& g) override { g.fillAll(Palette::windowBg); }

protected:
    TdLookAndFeel lookAndFeel;
    TarnelDelayAudioProcessor processor;
};

// The visualizer at its real size (436 x 160) fed as the editor feeds it: the engine's
// published layout, the display record, the span and the strip's read-outs.
class VisualizerPage : public ProcessorPage
{
public:
    VisualizerPage(const Settings& settings, int hudMode)
    {
        applySettingsAndRun(processor, settings);

        addAndMakeVisible(visualizer);
        visualizer.setBounds(0, 0, 436, 160);
        visualizer.attachDecay(processor.apvts);
        visualizer.setPredelayParameter(processor.apvts.getParameter("pd"));

        auto state = readDisplayState(processor);
        state.hudMode = hudMode;
        visualizer.setLayout(processor.getTapSnapshot());
        visualizer.setTotalLength(std::max(1.0f, state.predelayMs + state.lengthMs));
        showSpacings(processor, visualizer.strip);
        visualizer.setDisplayState(state);
        if (auto* overlay = visualizer.overlayForMode(hudMode))
            while (overlay->isFading())
                overlay->stepFade();
        setSize(436, 160);
    }

private:
    VisualizerComponent visualizer;
    StripBindings bindings{processor.apvts, visualizer.strip};
};

GalleryEntry visualizerEntry(const char* name, const char* description, Settings settings, int hudMode = 0)
{
    return {name, description, [=] { return std::make_unique<VisualizerPage>(settings, hudMode); }};
}

// The start/end strip alone at its real size (436 x 40).
class StripPage : public ProcessorPage
{
public:
    explicit StripPage(const Settings& settings)
    {
        applySettingsAndRun(processor, settings);
        showSpacings(processor, strip);
        addAndMakeVisible(strip);
        strip.setBounds(0, 0, 436, 40);
        setSize(436, 40);
    }

private:
    DensityStrip strip;
    StripBindings bindings{processor.apvts, strip};
};

// The vorl control at its real size (436 x 64) after a second and a half of animation.
class VorlControlPage : public ProcessorPage
{
public:
    explicit VorlControlPage(const Settings& settings)
    {
        applySettingsAndRun(processor, settings);
        addAndMakeVisible(control);
        control.setBounds(0, 0, 436, 64);
        for (int tick = 0; tick < 30; ++tick)
            control.timerCallback();
        setSize(436, 64);
    }

private:
    TarnelControl control{processor.apvts};
};
} // namespace

std::vector<GalleryEntry> editorPartsGalleryEntries()
{
    return {
        visualizerEntry("visualizer-default", "tap visualizer with the default settings (Tap Sync on)", {}),
        visualizerEntry("visualizer-vorl-negative", "Vorl -60: taps crowd towards the start, field lines",
                        {{"mu", 0.0f}, {"g", -60.0f}}),
        visualizerEntry("visualizer-vorl-positive", "Vorl +70: taps crowd towards the end, falloff 0",
                        {{"mu", 0.0f}, {"g", 70.0f}, {"dcFall", 0.0f}}),
        visualizerEntry("visualizer-steps", "decay mode Step with 6 steps, decay overlay shown",
                        {{"mu", 0.0f}, {"dcMode", 1.0f}, {"dcSteps", 6.0f}}, 2),
        visualizerEntry(
            "visualizer-tape-wear", "Tape on, wear 70 %, drive 80 %: wear curve, handle and band",
            {{"mu", 0.0f}, {"tp", 1.0f}, {"tDarken", 70.0f}, {"tBoost", 80.0f}, {"tapCnt", 24.0f}}),
        visualizerEntry("visualizer-ping-pong", "ping-pong at 60 %: bars alternate up and down",
                        {{"mu", 0.0f}, {"ppOn", 1.0f}, {"ppW", 60.0f}, {"tapCnt", 20.0f}}),
        visualizerEntry("visualizer-wave", "Wave on, offset 90 and phase 45: split, coloured bars",
                        {{"mu", 0.0f}, {"wo", 1.0f}, {"woOff", 90.0f}, {"woPh", 45.0f}, {"tapCnt", 24.0f}}),
        visualizerEntry("visualizer-tremolo", "Tremolo on, depth 80 %, offset 120: split bar heights",
                        {{"mu", 0.0f},
                         {"trem", 1.0f},
                         {"tremSync", 0.0f},
                         {"tremD", 80.0f},
                         {"tremOff", 120.0f},
                         {"tapCnt", 32.0f}}),
        visualizerEntry(
            "visualizer-64-taps", "64 taps, predelay 300 ms, start overlay",
            {{"mu", 0.0f}, {"lk", 0.0f}, {"s", 200.0f}, {"e", 420.0f}, {"tapCnt", 64.0f}, {"pd", 300.0f}},
            12),
        {"strip-unlocked", "start/end strip, lock off",
         [] {
             return std::make_unique<StripPage>(Settings{{"lk", 0.0f}, {"s", 300.0f}, {"e", 600.0f}});
         }},
        {"strip-locked-4x", "start/end strip, lock and In/Out 4x on",
         [] {
             return std::make_unique<StripPage>(Settings{{"lk", 1.0f}, {"io2x", 1.0f}});
         }},
        {"vorl-control-zero", "vorl control at 0 %",
         [] {
             return std::make_unique<VorlControlPage>(Settings{{"g", 0.0f}});
         }},
        {"vorl-control-negative", "vorl control at -70 %: the well pulls, swirl and ring",
         [] {
             return std::make_unique<VorlControlPage>(Settings{{"g", -70.0f}});
         }},
        {"vorl-control-positive", "vorl control at +60 %: the field stretches",
         [] {
             return std::make_unique<VorlControlPage>(Settings{{"g", 60.0f}});
         }},
        {"vorl-control-reverse", "vorl control at -40 % with Reverse: mirrored",
         [] {
             return std::make_unique<VorlControlPage>(Settings{{"g", -40.0f}, {"rev", 1.0f}});
         }},
    };
}
} // namespace vorl::snapshot
