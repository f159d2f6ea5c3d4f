#pragma once

#include "TdButton.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

struct ButtonGridItem
{
    juce::String text;
    juce::Path icon;
    TdButton::IconPainter iconPainter;
    int accent = 0;
    juce::String toggleParamId; // not empty: the button toggles on click
    std::function<void()> onClick;
};

// A row of four equal button slots built from descriptors.
class ButtonGrid : public juce::Component
{
public:
    static constexpr int kSlots = 4;

    void setItems(std::array<ButtonGridItem, kSlots> items);
    std::vector<TdButton*> getButtons() const;

    void paint(juce::Graphics& g) override;
    void resized() override;

private:
    std::array<std::unique_ptr<TdButton>, kSlots> buttons;
};
