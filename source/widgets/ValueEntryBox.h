#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The small text field shown in a call-out to type a value. Return or a click outside
// commits the text when the box goes away; Escape discards it.
class ValueEntryBox : public juce::Component
{
public:
    ValueEntryBox(const juce::String& initialText, std::function<void(const juce::String&)> commit);
    ~ValueEntryBox() override;

    void resized() override;

    // Gives the text field keyboard focus with all of its text selected.
    void focusAndSelectAll();

    juce::TextEditor editor;
    std::function<void(const juce::String&)> onCommit;
    bool cancelled = false;

    static constexpr int kWidth = 90;
    static constexpr int kHeight = 26;

private:
    void dismiss();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ValueEntryBox)
};
