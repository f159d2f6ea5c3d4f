#include "MainControlsComponent.h"

#include "widgets/BodySliderRow.h"
#include "widgets/Palette.h"
#include "widgets/ParameterGesture.h"
#include "widgets/Typefaces.h"

namespace
{
constexpr const char* kWidthId = "spread";
constexpr const char* kPingPongId = "ppW";
constexpr const char* kNoMidId = "sideOnly";

void styleReadout(juce::Label& label, const juce::String& text)
{
    label.setText(text, juce::dontSendNotification);
    label.setFont(Typefaces::defaultSans(12.0f));
    label.setColour(juce::Label::textColourId, Palette::accentIndigo);
    label.setJustificationType(juce::Justification::centredRight);
}

std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment>
attach(juce::AudioProcessorValueTreeState& tree, const char* id, juce::Slider& slider)
{
    if (tree.getParameter(id) == nullptr)
        return nullptr;
    return std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(tree, id, slider);
}
} // namespace

MainControlsComponent::MainControlsComponent(juce::AudioProcessorValueTreeState& treeIn) : tree(treeIn)
{
    const auto forward = [this](TdSlider& slider, const char* id)
    {
        slider.paramId = id;
        forwardDrags(slider, onDragStart, onDragEnd);
        addAndMakeVisible(slider);
    };

    widthSlider.setRange(0.0, 15.0, 0.0);
    widthSlider.resetValue = 7.5;
    widthSlider.detentValue = 7.5;
    widthSlider.detentRange = 0.3;
    forward(widthSlider, kWidthId);

    pingPongSlider.setRange(0.0, 100.0, 1.0);
    pingPongSlider.resetValue = 0.0;
    forward(pingPongSlider, kPingPongId);

    widthLabel.setText("WIDTH", juce::dontSendNotification);
    widthLabel.setFont(Typefaces::defaultSans(11.0f, juce::Font::underlined));
    widthLabel.setColour(juce::Label::textColourId, Palette::accentIndigo);
    widthLabel.addMouseListener(this, false);
    widthLabel.setMouseCursor(juce::MouseCursor::PointingHandCursor);

    pingPongLabel.setText("PING PONG", juce::dontSendNotification);
    pingPongLabel.setFont(Typefaces::defaultSans(11.0f));
    pingPongLabel.setColour(juce::Label::textColourId, Palette::accentIndigo);

    styleReadout(widthValueLabel, "0");
    styleReadout(pingPongValueLabel, "100%");

    for (auto* label : {&widthLabel, &pingPongLabel, &widthValueLabel, &pingPongValueLabel})
        addAndMakeVisible(*label);
    widthAttachment = attach(tree, kWidthId, widthSlider);
    pingPongAttachment = attach(tree, kPingPongId, pingPongSlider);

    for (auto* slider : {&widthSlider, &pingPongSlider})
    {
        slider->setColour(juce::Slider::thumbColourId, Palette::accentIndigo);
        slider->setColour(juce::Slider::trackColourId, Palette::accentIndigo);
    }
    tick();
    startTimerHz(kTimerHz);
}

MainControlsComponent::~MainControlsComponent()
{
    stopTimer();
    widthLabel.removeMouseListener(this);
}

void MainControlsComponent::resized()
{
    const int w = getWidth();
    const int b = (w - 4) / 2;
    widthLabel.setBounds(0, 0, 56, 24);
    widthSlider.setBounds(56, 0, b - 100, 24);
    widthValueLabel.setBounds(b - 44, 0, 44, 24);
    pingPongLabel.setBounds(b + 4, 0, 56, 24);
    pingPongSlider.setBounds(b + 60, 0, b - 100, 24);
    pingPongValueLabel.setBounds(2 * b - 40, 0, 44, 24);
    boxes = {{0, 0, w, 24}};
}

void MainControlsComponent::paint(juce::Graphics& g)
{
    for (const auto& box : boxes)
    {
        const auto area = box.toFloat();
        g.setColour(Palette::insetBg);
        g.fillRoundedRectangle(area, 6.0f);
        g.setColour(Palette::accentIndigo);
        g.drawRoundedRectangle(area, 6.0f, 1.0f);
    }
}

void MainControlsComponent::mouseUp(const juce::MouseEvent& e)
{
    if (e.eventComponent != &widthLabel)
        return;
    if (tree.getParameter(kNoMidId) == nullptr)
        return;
    ParameterGesture::setAsOneGesture(tree, kNoMidId, ParameterGesture::isOn(tree, kNoMidId) ? 0.0f : 1.0f);
    refreshWidthLabel();
}

void MainControlsComponent::refreshWidthLabel()
{
    const bool noMid = ParameterGesture::isOn(tree, kNoMidId);
    widthLabel.setText(noMid ? "NO MID" : "WIDTH", juce::dontSendNotification);
    widthLabel.setColour(juce::Label::textColourId, noMid ? Palette::accentYellow : Palette::accentIndigo);
}

bool MainControlsComponent::isWetSignalMuted() const
{
    // No Mid keeps only the side signal, and width at its minimum removes the side too.
    const double widthPercent = (widthSlider.getValue() / 7.5 - 1.0) * 100.0;
    return ParameterGesture::isOn(tree, kNoMidId) && widthPercent <= -100.0;
}

void MainControlsComponent::tick()
{
    refreshWidthLabel();
    if (isWetSignalMuted())
    {
        if (++mutedCounter >= kBlinkTicks)
        {
            mutedCounter = 0;
            mutedPhase = !mutedPhase;
        }
        widthValueLabel.setText("MUTED", juce::dontSendNotification);
        widthValueLabel.setColour(juce::Label::textColourId, mutedPhase
                                                                 ? Palette::accentYellow
                                                                 : Palette::accentYellow.withAlpha(0.25f));
    }
    else
    {
        mutedCounter = 0;
        mutedPhase = false;
        widthValueLabel.setText(widthSlider.getTextFromValue(widthSlider.getValue()),
                                juce::dontSendNotification);
        widthValueLabel.setColour(juce::Label::textColourId, Palette::accentIndigo);
    }
    pingPongValueLabel.setText(pingPongSlider.getTextFromValue(pingPongSlider.getValue()),
                               juce::dontSendNotification);
}
