#include "OptionsPanelComponent.h"

#include "widgets/Palette.h"
#include "widgets/Typefaces.h"

namespace
{
constexpr int kRowHeight = 16;

void styleYellowLabel(juce::Label& label, const juce::String& text, float height)
{
    label.setText(text, juce::dontSendNotification);
    label.setFont(Typefaces::consolas(height));
    label.setColour(juce::Label::textColourId, Palette::accentYellow);
    label.setJustificationType(juce::Justification::centredLeft);
}
} // namespace

OptionsPanelComponent::OptionsPanelComponent(juce::AudioProcessorValueTreeState& parameterTree)
    : tree(parameterTree)
{
    styleYellowLabel(titleLabel, "OPTIONS MENU", 14.0f);
    addAndMakeVisible(titleLabel);

    matrixViewport.setViewedComponent(&matrixContent, false);
    matrixViewport.setScrollBarsShown(true, false);
    addAndMakeVisible(matrixViewport);

    closeButton.onClick = [this] { hide(); };
    addAndMakeVisible(closeButton);

    smoothingToggle.setColour(juce::ToggleButton::textColourId, Palette::textBright);
    addAndMakeVisible(smoothingToggle);
    if (tree.getParameter("dc") != nullptr)
        smoothingAttachment = std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(
            tree, "dc", smoothingToggle);
}

OptionsPanelComponent::~OptionsPanelComponent()
{
    stopTimer();
    animator.cancelAllAnimations(false);
    smoothingAttachment.reset();
}

void OptionsPanelComponent::buildRandomMatrixUI()
{
    if (matrix == nullptr)
        return;
    rowToggles.clear();
    groupCaptions.clear();
    matrixContent.removeAllChildren();

    styleYellowLabel(matrixHeading, "RANDOM MATRIX", 12.0f);
    matrixContent.addAndMakeVisible(matrixHeading);
    matrixHeading.setBounds(0, 0, 300, 18);

    // The two buttons share the heading's row, at its right.
    allOnButton.setButtonText("All On");
    allOffButton.setButtonText("All Off");
    allOnButton.onClick = [this]
    {
        matrix->setAll(true);
        refreshRowToggles();
    };
    allOffButton.onClick = [this]
    {
        matrix->setAll(false);
        refreshRowToggles();
    };
    matrixContent.addAndMakeVisible(allOnButton);
    matrixContent.addAndMakeVisible(allOffButton);
    allOnButton.setBounds(150, 1, 64, 16);
    allOffButton.setBounds(220, 1, 64, 16);

    int y = 20;
    int column = 0;
    juce::String currentGroup;
    bool haveGroup = false;
    for (const auto& row : matrix->getRows())
    {
        if (!haveGroup || currentGroup != row.group)
        {
            if (column == 1)
                y += kRowHeight;
            auto caption = std::make_unique<juce::Label>();
            styleYellowLabel(*caption, row.group, 12.0f);
            caption->setBounds(0, y, 280, 14);
            matrixContent.addAndMakeVisible(*caption);
            groupCaptions.push_back(std::move(caption));
            currentGroup = row.group;
            haveGroup = true;
            column = 0;
            y += 15;
        }
        RowToggle toggle{std::make_unique<juce::ToggleButton>(row.caption), row.id};
        auto* button = toggle.button.get();
        button->setToggleState(matrix->isEnabled(row.id), juce::dontSendNotification);
        const juce::String id = row.id;
        button->onClick = [this, button, id] { matrix->setEnabled(id, button->getToggleState()); };
        button->setBounds(column == 1 ? 144 : 0, y, 140, kRowHeight);
        matrixContent.addAndMakeVisible(*button);
        rowToggles.push_back(std::move(toggle));
        if (column == 1)
            y += kRowHeight;
        column = 1 - column;
    }
    matrixContent.setSize(300, y + 28 - (column == 0 ? kRowHeight : 0));
    matrixContent.repaint();
    if (getParentComponent() != nullptr)
    {
        resized();
        repaint();
    }
}

void OptionsPanelComponent::refreshRowToggles()
{
    if (matrix == nullptr)
        return;
    for (auto& toggle : rowToggles)
        toggle.button->setToggleState(matrix->isEnabled(toggle.id), juce::dontSendNotification);
}

void OptionsPanelComponent::show()
{
    if (matrix != nullptr && matrixContent.getNumChildComponents() == 0)
        buildRandomMatrixUI();
    open = true;
    setVisible(true);
    if (auto* parent = getParentComponent())
        animator.animateComponent(this, getBounds().withX(parent->getWidth() - kWidth), 1.0f, kSlideMs, false,
                                  1.0, 0.0);
    toFront(true);
    if (onVisibilityChanged)
        onVisibilityChanged(true);
}

void OptionsPanelComponent::hide()
{
    open = false;
    if (auto* parent = getParentComponent())
        animator.animateComponent(this, getBounds().withX(parent->getWidth()), 1.0f, kSlideMs, false, 1.0,
                                  0.0);
    startTimer(kSlideMs);
    if (onVisibilityChanged)
        onVisibilityChanged(false);
}

void OptionsPanelComponent::timerCallback()
{
    stopTimer();
    if (!open)
        setVisible(false);
}

void OptionsPanelComponent::resized()
{
    const int w = getWidth();
    const int h = getHeight();
    closeButton.setBounds(w - 22, 4, 14, 14);
    titleLabel.setBounds(8, 6, w - 16, 18);
    smoothingToggle.setBounds(8, 30, w - 16, 18);
    smoothingBox = {4, 26, w - 8, 26};
    if (matrix != nullptr && matrixContent.getNumChildComponents() > 0)
    {
        int b = std::max(0, h - 78) / kRowHeight * kRowHeight;
        b = juce::jlimit(kRowHeight, std::max(kRowHeight, matrixContent.getHeight()), b);
        matrixViewport.setBounds(8, 62, w - 16, b);
        matrixBox = {4, 58, w - 8, b + 8};
    }
    else
    {
        matrixBox = {};
    }
}

void OptionsPanelComponent::paint(juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setColour(Palette::windowBg);
    g.fillRoundedRectangle(bounds, 5.0f);
    g.setColour(Palette::outline.brighter(0.3f));
    g.drawRoundedRectangle(bounds, 5.0f, 1.0f);
    for (const auto& box : {smoothingBox, matrixBox})
    {
        if (box.getHeight() <= 0)
            continue;
        g.setColour(Palette::insetBg);
        g.fillRoundedRectangle(box.toFloat(), 4.0f);
        g.setColour(Palette::border);
        g.drawRoundedRectangle(box.toFloat(), 4.0f, 0.5f);
    }
}
