#include "AccordionComponent.h"

#include "widgets/Palette.h"
#include "widgets/Typefaces.h"

namespace
{
juce::Path triangle(juce::Point<float> a, juce::Point<float> b, juce::Point<float> c)
{
    juce::Path path;
    path.addTriangle(a, b, c);
    return path;
}
} // namespace

AccordionComponent::AccordionComponent(const juce::String& titleText, AccordionColors sectionColours,
                                       TdButton::Accent buttonAccent)
    : title(titleText), accent(buttonAccent), colours(sectionColours)
{
    powerButton.accent = accent;
    powerButton.setClickingTogglesState(true);
    powerButton.onClick = [this] { setPowered(powerButton.getToggleState()); };
    addAndMakeVisible(powerButton);

    syncButton.setClickingTogglesState(true);
    wideButton.setClickingTogglesState(true);
    twoXButton.setClickingTogglesState(true);
    modeSwitch.setClickingTogglesState(true);
    modeSwitch.leftLabel = "TAPE";
    modeSwitch.rightLabel = "OD";
    modeSwitch.switchColour = Palette::accentOrange;
    for (juce::Component* hidden :
         {static_cast<juce::Component*>(&syncButton), static_cast<juce::Component*>(&wideButton),
          static_cast<juce::Component*>(&twoXButton), static_cast<juce::Component*>(&modeSwitch)})
        addChildComponent(*hidden);

    titleLabel.setText(title, juce::dontSendNotification);
    titleLabel.setFont(Typefaces::consolas(13.0f));
    titleLabel.setColour(juce::Label::textColourId, colours.c2);
    // Clicks on the title open and close the section.
    titleLabel.setInterceptsMouseClicks(false, false);
    addAndMakeVisible(titleLabel);

    collapsedArrow = triangle({0.0f, 0.0f}, {3.0f, 3.0f}, {6.0f, 0.0f});
    expandedArrow = triangle({0.0f, 3.0f}, {3.0f, 0.0f}, {6.0f, 3.0f});

    content = std::make_unique<juce::Component>();
    addAndMakeVisible(*content);

    // Sections start unpowered; the editor's attachment then sets the real state.
    setPowered(false);
}

AccordionComponent::~AccordionComponent()
{
    stopTimer();
}

void AccordionComponent::setContent(std::unique_ptr<juce::Component> body)
{
    if (content != nullptr)
        removeChildComponent(content.get());
    content = std::move(body);
    if (content == nullptr)
        content = std::make_unique<juce::Component>();
    addAndMakeVisible(*content);
    resized();
    if (!powered)
        content->setAlpha(kUnpoweredContentAlpha);
}

void AccordionComponent::setBodyHeight(int height)
{
    bodyHeight = height;
    resized();
}

void AccordionComponent::showSyncButton()
{
    showSync = true;
    syncButton.setVisible(true);
    resized();
}

void AccordionComponent::showWideButton(const juce::String& text)
{
    showHeaderButton(wideButton, showWide, text);
}

void AccordionComponent::show2xButton(const juce::String& text)
{
    showHeaderButton(twoXButton, show2x, text);
}

void AccordionComponent::showHeaderButton(TdButton& button, bool& shownFlag, const juce::String& text)
{
    if (button.text != text)
    {
        button.text = text;
        button.setButtonText(text);
    }
    shownFlag = true;
    button.setVisible(true);
    resized();
}

void AccordionComponent::showModeSwitch(const juce::String& left, const juce::String& right,
                                        juce::Colour colour)
{
    if (modeSwitch.leftLabel != left || modeSwitch.rightLabel != right || modeSwitch.switchColour != colour)
    {
        modeSwitch.leftLabel = left;
        modeSwitch.rightLabel = right;
        modeSwitch.switchColour = colour;
        modeSwitch.repaint();
    }
    showSwitch = true;
    modeSwitch.setVisible(true);
    resized();
}

void AccordionComponent::setExpanded(bool shouldBeExpanded)
{
    if (shouldBeExpanded == expanded && !animating)
        return;
    moveTo(shouldBeExpanded);
}

void AccordionComponent::moveTo(bool shouldBeExpanded)
{
    expanded = shouldBeExpanded;
    const int target = expanded ? bodyHeight : 0;

    if (getParentComponent() == nullptr)
    {
        // Nothing to animate into: take the end state at once.
        stopTimer();
        animating = false;
        shownHeight = target;
        placeContent();
        content->setVisible(expanded);
    }
    else
    {
        if (expanded)
            content->setVisible(true);
        if (shownHeight == target)
        {
            stopTimer();
            animating = false;
            placeContent();
            notifyListener();
            if (!expanded)
                content->setVisible(false);
        }
        else
        {
            // Starts from the height shown now, so a click mid-way reverses smoothly.
            animating = true;
            animFrom = shownHeight;
            animTo = target;
            animStartMs = juce::Time::getMillisecondCounter();
            startTimerHz(kAnimationHz);
        }
    }
    repaint();
}

void AccordionComponent::stepAnimation(juce::uint32 nowMs)
{
    if (!animating)
    {
        stopTimer();
        return;
    }
    // The counter may wrap; the difference of unsigned values still gives the elapsed time.
    const auto elapsed = static_cast<double>(nowMs - animStartMs);
    const double t = juce::jlimit(0.0, 1.0, elapsed / static_cast<double>(kAnimationMs));
    shownHeight = animFrom + juce::roundToInt((animTo - animFrom) * t);
    placeContent();
    notifyListener();
    if (t >= 1.0)
    {
        animating = false;
        stopTimer();
        if (!expanded)
            content->setVisible(false);
    }
}

void AccordionComponent::notifyListener()
{
    if (listener != nullptr)
        listener->accordionHeightChanged(*this);
}

void AccordionComponent::setPowered(bool shouldBePowered)
{
    if (shouldBePowered == powered)
        return;
    powered = shouldBePowered;

    powerButton.setToggleState(powered, juce::dontSendNotification);
    const juce::String buttonText = powered ? "ON" : "OFF";
    if (powerButton.text != buttonText)
    {
        powerButton.text = buttonText;
        powerButton.setButtonText(buttonText);
        powerButton.repaint();
    }
    if (powered)
        powerButton.clearCustomColours();
    else
        powerButton.setCustomColours(colours.c1.withAlpha(0.0f), colours.c0.withAlpha(0.3f),
                                     colours.c0.withAlpha(0.5f));

    content->setAlpha(powered ? 1.0f : kUnpoweredContentAlpha);
    const float switchAlpha = powered ? 1.0f : kUnpoweredSwitchAlpha;
    syncButton.setAlpha(switchAlpha);
    wideButton.setAlpha(switchAlpha);
    twoXButton.setAlpha(switchAlpha);
    modeSwitch.setAlpha(switchAlpha);
    titleLabel.setColour(juce::Label::textColourId, powered ? colours.c2 : colours.c2.withAlpha(0.85f));
    repaint();
}

bool AccordionComponent::isOnHeaderControl(juce::Point<int> position) const
{
    if (powerButton.getBounds().contains(position))
        return true;
    for (const auto* button : {&syncButton, &wideButton, &twoXButton})
        if (button->isVisible() && button->getBounds().contains(position))
            return true;
    return false;
}

void AccordionComponent::mouseDown(const juce::MouseEvent& e)
{
    const auto position = e.getEventRelativeTo(this).getPosition();
    if (isOnHeaderControl(position))
        return;
    moveTo(!expanded);
}

void AccordionComponent::mouseEnter(const juce::MouseEvent&)
{
    setMouseCursor(juce::MouseCursor::PointingHandCursor);
    hovered = true;
    repaint();
}

void AccordionComponent::mouseExit(const juce::MouseEvent&)
{
    setMouseCursor(juce::MouseCursor::NormalCursor);
    hovered = false;
    repaint();
}

void AccordionComponent::placeContent()
{
    content->setBounds(0, kHeaderHeight, getWidth(), shownHeight);
}

void AccordionComponent::resized()
{
    const int w = getWidth();
    powerButton.setBounds(6, 3, 46, 18);
    // Header switches line up from the arrow leftwards, 10 pixels apart.
    int right = w - 24;
    const auto placeFromRight = [&right](juce::Component& control, bool shown, int width)
    {
        if (!shown)
            return;
        control.setBounds(right - width - 4, 2, width, 20);
        right -= width + 10;
    };
    placeFromRight(syncButton, showSync, 40);
    placeFromRight(wideButton, showWide, 44);
    placeFromRight(twoXButton, show2x, 34);
    placeFromRight(modeSwitch, showSwitch, 116);
    titleLabel.setBounds(62, 0, juce::jmax(right - 62, 0), kHeaderHeight);
    placeContent();
}

void AccordionComponent::paint(juce::Graphics& g)
{
    const auto w = static_cast<float>(getWidth());
    const auto bounds = getLocalBounds().toFloat();
    const auto frame = colours.c0.brighter(powered ? 0.6f : 0.3f);

    g.setColour(Palette::insetBg);
    g.fillRoundedRectangle(bounds, 5.0f);
    const juce::Rectangle<float> header(0.0f, 0.0f, w, static_cast<float>(kHeaderHeight));
    g.setColour(Palette::panelBg);
    g.fillRect(header);

    // A glow from the left of the header in the accent's bright colour, stronger on hover.
    const auto glow = accentColour(accent);
    const float hoverGain = hovered ? 1.3f : 1.0f;
    const float inner = juce::jmin(1.0f, (powered ? 0.45f : 0.22f) * hoverGain);
    const float middle = juce::jmin(1.0f, (powered ? 0.14f : 0.07f) * hoverGain);
    juce::ColourGradient gradient(glow.withAlpha(inner), 0.12f * w, 12.0f, glow.withAlpha(0.0f), 0.92f * w,
                                  12.0f, true);
    gradient.addColour(0.45, glow.withAlpha(middle));
    g.setGradientFill(gradient);
    g.fillRect(header);

    g.setColour(frame);
    g.drawRoundedRectangle(bounds, 5.0f, powered ? 2.5f : 1.5f);

    g.setColour(colours.c2);
    g.fillPath(expanded ? expandedArrow : collapsedArrow,
               juce::AffineTransform::translation(w - 12.0f, 10.5f));
}
