#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// Gallery pages of the effect bodies, the main controls strip, the effect sections and the
// preset panel.
namespace vorl::snapshot
{
std::unique_ptr<juce::Component> createTremoloBodyPage();
std::unique_ptr<juce::Component> createWaveBodyPage();
std::unique_ptr<juce::Component> createPitchBodyPage();
std::unique_ptr<juce::Component> createTapeBodyPage();
std::unique_ptr<juce::Component> createMainControlsPage(bool muted);
enum class SectionState
{
    open,
    closed,
    opening,
    unpowered,
};
std::unique_ptr<juce::Component> createSectionPage(SectionState state);
std::unique_ptr<juce::Component> createPresetPanelPage(bool changed);
std::unique_ptr<juce::Component> createPresetMenuPage();
} // namespace vorl::snapshot
