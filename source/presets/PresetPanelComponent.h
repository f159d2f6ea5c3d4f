#pragma once

#include "PresetLibrary.h"
#include "PresetMenu.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

// The preset browser row: "<" and ">" step through every preset, the name opens the preset menu
// and gains a "*" once a watched parameter moves after a load. It reaches the processor only
// through the two callbacks the editor installs.
class PresetPanelComponent : public juce::Component,
                             private juce::AudioProcessorValueTreeState::Listener,
                             private juce::Timer
{
public:
    PresetPanelComponent(juce::AudioProcessorValueTreeState& tree, presets::PresetLibrary& library);
    ~PresetPanelComponent() override;

    // Applies a preset to the processor; the parameter changes it causes do not mark the panel.
    std::function<void(const presets::Patch&)> onPatchSelected;
    // The current normalised parameter values, as a preset's "params".
    std::function<juce::var()> getCurrentParams;

    // The parameters whose changes mark the preset as changed; the others (tap count, master
    // level, ...) are performance controls.
    static const std::array<const char*, 33> kWatchedParams;

    void setCurrent(const juce::String& name, const juce::String& bank);
    void loadPatch(const presets::Patch& patch);
    void step(int delta);
    void rebuildNavList();

    void showPresetMenu();
    // Builds the menu for the current state and remembers which preset each item stands for.
    juce::PopupMenu buildPresetMenu();
    void handleMenuResult(int result);

    void saveOverwrite();
    void updateLabel();

    // The three file dialogs; each hands its choice to the function after it.
    void showSaveDialog();
    void openOtherPreset();
    void changePresetFolder();
    // Saves the current parameters as the chosen file; returns false when nothing was written.
    bool saveAs(const juce::File& chosen);
    // Loads a preset file from anywhere; returns false when it holds no preset.
    bool openPresetFile(const juce::File& file);
    void usePresetFolder(const juce::File& folder);

    // Where "Save As Default" and "Change Preset Folder..." write (the user settings file).
    void setSettingsFile(const juce::File& file) { settings = file; }

    const juce::String& getCurrentName() const noexcept { return currentName; }
    const juce::String& getCurrentBank() const noexcept { return currentBank; }
    juce::String getCurrentId() const;
    bool isDirty() const noexcept { return dirty.load(); }
    juce::String getLabelText() const { return nameLabel.getText(); }
    const std::vector<juce::String>& getNavList() const noexcept { return navList; }

    void paint(juce::Graphics& g) override;
    void resized() override;
    void mouseDown(const juce::MouseEvent& e) override;

private:
    void parameterChanged(const juce::String& parameterId, float newValue) override;
    void timerCallback() override;
    juce::File overwriteTarget() const;
    void showFailure(const juce::String& text);
    void becomeCurrent(const juce::String& name, const juce::String& bank);
    void launchChooser(const juce::String& title, const juce::String& pattern, int flags,
                       std::function<void(const juce::File&)> onChosen);

    juce::AudioProcessorValueTreeState& tree;
    presets::PresetLibrary& library;
    juce::File settings;

    juce::Label nameLabel;
    juce::TextButton prevButton{"<"}, nextButton{">"};

    juce::String currentName{"INIT"};
    juce::String currentBank;
    // Set by parameter changes on any thread; the label follows on the message thread.
    std::atomic<bool> dirty{false};
    std::atomic<bool> suppressDirty{false};
    std::atomic<bool> labelStale{false};

    std::vector<juce::String> navList;
    std::vector<presets::Patch> menuPatches;
    std::unique_ptr<juce::FileChooser> fileChooser;
};
