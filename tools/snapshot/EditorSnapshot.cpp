#include "EditorSnapshot.h"

#include "cli/ParameterArguments.h"
#include "cli/PresetArgument.h"
#include "editor/PluginEditor.h"
#include "pluginhost/OfflinePlayHead.h"
#include "processor/PluginProcessor.h"

namespace vorl::snapshot
{
namespace
{
constexpr double kSampleRate = 48000.0;
constexpr int kBlockSize = 512;
constexpr const char* kSectionTitles[] = {"TAPE", "PITCH / CHORUS", "WAVE", "TREMOLO"};

bool wantsExpanded(const juce::StringArray& requested, const juce::String& title)
{
    for (const auto& name : requested)
    {
        const auto wanted = name.trim();
        if (wanted.equalsIgnoreCase("all") || wanted.equalsIgnoreCase(title) ||
            title.startsWithIgnoreCase(wanted + " "))
            return true;
    }
    return false;
}

bool knownSection(const juce::String& name)
{
    if (name.trim().equalsIgnoreCase("all"))
        return true;
    for (const char* title : kSectionTitles)
        if (wantsExpanded(juce::StringArray(name), title))
            return true;
    return false;
}

// A plucked chord every half second: enough to fill the taps and move the meter.
void runAudio(TarnelDelayAudioProcessor& processor)
{
    vorl::host::OfflinePlayHead playHead(120.0, kSampleRate);
    processor.setPlayHead(&playHead);
    processor.setPlayConfigDetails(2, 2, kSampleRate, kBlockSize);
    processor.prepareToPlay(kSampleRate, kBlockSize);
    juce::AudioBuffer<float> buffer(2, kBlockSize);
    juce::MidiBuffer midi;
    juce::int64 position = 0;
    for (int block = 0; block < static_cast<int>(kSampleRate) / kBlockSize; ++block)
    {
        for (int i = 0; i < kBlockSize; ++i)
        {
            const double t = static_cast<double>(position + i) / kSampleRate;
            const double sinceOnset = std::fmod(t, 0.5);
            const double envelope = std::exp(-sinceOnset * 12.0);
            const double sample = 0.25 * envelope *
                                  (std::sin(2.0 * juce::MathConstants<double>::pi * 220.0 * t) +
                                   std::sin(2.0 * juce::MathConstants<double>::pi * 330.0 * t));
            buffer.setSample(0, i, static_cast<float>(sample));
            buffer.setSample(1, i, static_cast<float>(sample));
        }
        playHead.setSamplePosition(position);
        processor.processBlock(buffer, midi);
        position += kBlockSize;
    }
    processor.setPlayHead(nullptr);
}

class EditorSnapshotPage : public juce::Component
{
public:
    EditorSnapshotPage() = default;
    ~EditorSnapshotPage() override { editor.reset(); }

    bool build(const EditorSnapshotOptions& options, juce::String& error)
    {
        if (options.presetId.isNotEmpty() &&
            !vorl::cli::applyPresetArgument(processor, options.presetId, error))
            return false;
        for (const auto& assignment : options.assignments)
        {
            error = vorl::cli::applyParameterAssignment(processor.apvts, assignment);
            if (error.isNotEmpty())
                return false;
        }
        for (const auto& name : options.expanded)
            if (!knownSection(name))
            {
                error = "unknown section '" + name + "' (TAPE, PITCH, WAVE, TREMOLO or all)";
                return false;
            }
        for (const char* title : kSectionTitles)
            processor.accordionLayout.setExpanded(title, wantsExpanded(options.expanded, title));

        runAudio(processor);
        editor = std::make_unique<TarnelDelayAudioProcessorEditor>(processor);
        const auto later = juce::Time::getMillisecondCounter() + 1000;
        for (auto& section : editor->accordions)
            if (section->isAnimating())
                section->stepAnimation(later);
        for (int tick = 0; tick < 3; ++tick)
            editor->timerCallback();
        for (int tick = 0; tick < 30; ++tick)
            editor->vorlControl.timerCallback();
        editor->masterFader->updateMeter();
        if (options.optionsOpen)
        {
            editor->optionsButton.setToggleState(true, juce::sendNotificationSync);
            editor->optionsPanel.finishSliding();
        }
        addAndMakeVisible(*editor);
        setSize(editor->getWidth(), editor->getHeight());
        return true;
    }

    void resized() override
    {
        if (editor != nullptr)
            editor->setBounds(getLocalBounds());
    }

private:
    TarnelDelayAudioProcessor processor;
    std::unique_ptr<TarnelDelayAudioProcessorEditor> editor;
};
} // namespace

std::unique_ptr<juce::Component> createEditorPage(const EditorSnapshotOptions& options, juce::String& error)
{
    auto page = std::make_unique<EditorSnapshotPage>();
    if (!page->build(options, error))
        return nullptr;
    return page;
}
} // namespace vorl::snapshot
