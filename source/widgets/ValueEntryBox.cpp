#include "ValueEntryBox.h"

#include "Palette.h"
#include "Typefaces.h"

ValueEntryBox::ValueEntryBox(const juce::String& initialText, std::function<void(const juce::String&)> commit)
    : onCommit(std::move(commit))
{
    editor.setFont(Typefaces::consolas(13.0f));
    editor.setJustification(juce::Justification::centred);
    editor.setColour(juce::TextEditor::backgroundColourId, juce::Colours::transparentBlack);
    editor.setColour(juce::TextEditor::textColourId, Palette::textBright);
    editor.setColour(juce::TextEditor::outlineColourId, juce::Colours::transparentBlack);
    editor.setColour(juce::TextEditor::focusedOutlineColourId, juce::Colours::transparentBlack);
    editor.setColour(juce::TextEditor::highlightColourId, Palette::accentYellow.withAlpha(0.35f));
    editor.setText(initialText, juce::dontSendNotification);
    editor.selectAll();
    editor.onReturnKey = [this] { dismiss(); };
    editor.onEscapeKey = [this]
    {
        cancelled = true;
        dismiss();
    };
    addAndMakeVisible(editor);
    setSize(kWidth, kHeight);
}

ValueEntryBox::~ValueEntryBox()
{
    if (!cancelled && onCommit)
        onCommit(editor.getText());
}

void ValueEntryBox::resized()
{
    editor.setBounds(getLocalBounds());
}

void ValueEntryBox::focusAndSelectAll()
{
    editor.grabKeyboardFocus();
    editor.selectAll();
}

void ValueEntryBox::dismiss()
{
    // The call-out deletes this box once it has been dismissed.
    if (auto* callOut = findParentComponentOfClass<juce::CallOutBox>())
        callOut->dismiss();
}
