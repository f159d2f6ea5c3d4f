#pragma once

#include "TdButton.h"

#include <functional>
#include <memory>
#include <vector>

// Strokes the icon of an LFO shape (0 sine, 1 triangle, 2 square, 3 saw up, 4 saw down,
// 5 stepped random, 6 smooth random; anything else draws the sine) centred in the area.
TdButton::IconPainter makeShapePainter(int shape);

// A row of icon buttons that picks one modulator waveform.
class ShapePickerComponent : public juce::Component
{
public:
    explicit ShapePickerComponent(std::vector<int> shapes);

    std::function<void(int)> onChange;
    int accent = TdButton::green;
    int selectedShape = 0;

    // Lights the button of the shape without reporting it; a shape outside the list lights none.
    void setSelected(int shape);
    void applyAccent();

    const std::vector<int>& getShapes() const noexcept { return shapes; }
    TdButton& getButton(size_t index) { return *buttons[index]; }

    void resized() override;

    static constexpr int kButtonWidth = 20;
    static constexpr int kButtonPitch = 34;

private:
    void pick(size_t index);

    std::vector<int> shapes;
    std::vector<std::unique_ptr<TdButton>> buttons;
};
