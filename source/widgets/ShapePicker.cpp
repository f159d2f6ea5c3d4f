#include "ShapePicker.h"

namespace
{
// The icons live in a 14 x 14 box, y downwards.
juce::Path polyline(std::initializer_list<juce::Point<float>> points)
{
    juce::Path path;
    bool first = true;
    for (const auto& point : points)
    {
        if (first)
            path.startNewSubPath(point);
        else
            path.lineTo(point);
        first = false;
    }
    return path;
}

juce::Path shapeIcon(int shape)
{
    switch (shape)
    {
    case 1:
        return polyline({{1, 11}, {4, 3}, {7, 11}, {10, 3}, {13, 11}});
    case 2:
        return polyline({{1, 3}, {1, 11}, {7, 11}, {7, 3}, {13, 3}, {13, 11}});
    case 3:
        return polyline({{1, 11}, {6, 3}, {6, 11}, {11, 3}, {11, 11}});
    case 4:
        return polyline({{1, 3}, {6, 11}, {6, 3}, {11, 11}, {11, 3}});
    case 5:
    {
        juce::Path path;
        path.addRoundedRectangle(1.0f, 5.0f, 3.0f, 7.0f, 0.5f);
        path.addRoundedRectangle(5.0f, 2.0f, 3.0f, 10.0f, 0.5f);
        path.addRoundedRectangle(9.0f, 7.0f, 3.0f, 5.0f, 0.5f);
        return path;
    }
    case 6:
    {
        juce::Path path = polyline({{2, 11}, {4, 4}, {6, 11}});
        path.addPath(polyline({{6, 11}, {8, 1}, {10, 11}}));
        path.addPath(polyline({{10, 11}, {12, 6}, {14, 11}}));
        return path;
    }
    default:
    {
        juce::Path path;
        path.startNewSubPath(1.0f, 7.0f);
        path.quadraticTo(3.0f, 1.0f, 5.0f, 7.0f);
        path.quadraticTo(7.0f, 13.0f, 9.0f, 7.0f);
        path.quadraticTo(11.0f, 1.0f, 13.0f, 7.0f);
        return path;
    }
    }
}
} // namespace

TdButton::IconPainter makeShapePainter(int shape)
{
    return [shape](juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour)
    {
        const auto path = shapeIcon(shape);
        const auto bounds = path.getBounds();
        if (bounds.getWidth() <= 0.0f || bounds.getHeight() <= 0.0f)
            return 0.0f;
        const float s =
            juce::jmin(area.getHeight() / bounds.getHeight(), area.getWidth() / bounds.getWidth());
        const auto transform = juce::AffineTransform::scale(s).translated(
            area.getX() + area.getWidth() / 2.0f - (bounds.getWidth() / 2.0f + bounds.getX()) * s,
            area.getY() + area.getHeight() / 2.0f - (bounds.getHeight() / 2.0f + bounds.getY()) * s);
        g.setColour(colour);
        g.strokePath(path, juce::PathStrokeType(1.2f), transform);
        return bounds.getWidth() * s;
    };
}

ShapePickerComponent::ShapePickerComponent(std::vector<int> shapeList) : shapes(std::move(shapeList))
{
    for (size_t i = 0; i < shapes.size(); ++i)
    {
        auto button = std::make_unique<TdButton>(juce::String(), TdButton::neutral);
        button->iconPainter = makeShapePainter(shapes[i]);
        button->setClickingTogglesState(true);
        button->setRadioGroupId(1);
        // Lighting a button turns the lit one off with a click of its own: only the button
        // that ends up lit picks its shape.
        button->onClick = [this, i]
        {
            if (buttons[i]->getToggleState())
                pick(i);
        };
        addAndMakeVisible(*button);
        buttons.push_back(std::move(button));
    }
}

void ShapePickerComponent::pick(size_t index)
{
    if (index >= shapes.size())
        return;
    selectedShape = shapes[index];
    if (onChange)
        onChange(selectedShape);
}

void ShapePickerComponent::setSelected(int shape)
{
    selectedShape = shape;
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setToggleState(shapes[i] == shape, juce::dontSendNotification);
}

void ShapePickerComponent::applyAccent()
{
    const auto set = TdButton::accentColours(accent);
    const auto bright = accentColour(accent);
    for (auto& button : buttons)
        button->setCustomColours(set.fill, set.edge, bright);
}

void ShapePickerComponent::resized()
{
    const int n = static_cast<int>(buttons.size());
    int x = juce::jmax((getWidth() - ((n - 1) * 14 + n * kButtonWidth)) / 2, 0);
    for (auto& button : buttons)
    {
        button->setBounds(x, 0, kButtonWidth, getHeight());
        x += kButtonPitch;
    }
}
