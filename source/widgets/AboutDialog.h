#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The About dialog shown on the editor's DialogOverlay: name, version, description,
// credits, the third-party notices window, the maker's web page and OK.
class AboutDialog : public juce::Component
{
public:
    AboutDialog();

    static constexpr int kWidth = 340;
    static constexpr int kHeight = 355;

    void paint(juce::Graphics& g) override;
    void resized() override;

    // Opens the "Third-Party Licenses" window. Replaceable so that the click can be
    // observed without a display.
    std::function<void()> openNotices;

    // Launches the notices window on the desktop.
    static void launchNoticesWindow();

    juce::Label titleLabel;
    juce::Label versionLabel;
    juce::Label descriptionLabel;
    juce::Label creditsLabel;
    juce::HyperlinkButton websiteLink;
    juce::TextButton okButton{"OK"};
    juce::TextButton licensesButton{"Copyright Licenses"};

private:
    void closeEnclosingOverlay();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(AboutDialog)
};
