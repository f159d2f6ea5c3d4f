#include "ButtonGrid.h"

#include "Palette.h"

void ButtonGrid::setItems(std::array<ButtonGridItem, kSlots> items)
{
    for (size_t i = 0; i < kSlots; ++i)
    {
        auto& item = items[i];
        buttons[i].reset();
        auto button = std::make_unique<TdButton>(item.text, item.accent);
        if (!item.icon.isEmpty())
            button->icon = item.icon;
        button->iconPainter = std::move(item.iconPainter);
        button->onClick = std::move(item.onClick);
        button->setClickingTogglesState(item.toggleParamId.isNotEmpty());
        button->toggleParamId = item.toggleParamId;
        addAndMakeVisible(*button);
        buttons[i] = std::move(button);
    }
    resized();
}

std::vector<TdButton*> ButtonGrid::getButtons() const
{
    std::vector<TdButton*> result;
    for (const auto& button : buttons)
        if (button != nullptr)
            result.push_back(button.get());
    return result;
}

void ButtonGrid::paint(juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setColour(Palette::panelBg);
    g.fillRoundedRectangle(bounds, 6.0f);
    g.setColour(Palette::groove);
    g.drawRoundedRectangle(0.5f, 0.5f, juce::jmax(0.0f, bounds.getWidth() - 1.0f),
                           juce::jmax(0.0f, bounds.getHeight() - 1.0f), 6.0f, 1.0f);
}

void ButtonGrid::resized()
{
    // The remainder of a width not divisible by four stays empty at the right.
    const int cw = getWidth() / kSlots;
    for (size_t i = 0; i < kSlots; ++i)
        if (buttons[i] != nullptr)
            buttons[i]->setBounds(static_cast<int>(i) * cw, 0, cw, getHeight());
}
