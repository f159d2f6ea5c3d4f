#include "VisualizerComponent.h"

#include "ValueCurves.h"
#include "widgets/Palette.h"
#include "widgets/Typefaces.h"
#include "widgets/ValueEntryBox.h"

#include <cmath>

namespace
{
constexpr float kPredelayRadius = 10.0f;
constexpr float kHandleRadius = 12.0f;
constexpr float kFalloffRadius = 7.0f;
constexpr float kMaxPredelayMs = 2000.0f;
constexpr float kFineDragFactor = 1.0f / 8.0f;

bool sameTaps(const vorl::TapLayoutResult& a, const vorl::TapLayoutResult& b)
{
    if (a.count != b.count)
        return false;
    const int n = std::clamp(static_cast<int>(a.count), 0, vorl::kMaxTaps);
    for (int i = 0; i < n; ++i)
    {
        const auto& x = a.taps[static_cast<size_t>(i)];
        const auto& y = b.taps[static_cast<size_t>(i)];
        if (x.timeMs != y.timeMs || x.gain != y.gain || x.stereoOffset != y.stereoOffset)
            return false;
    }
    return true;
}

juce::String decayModeCaption(int mode)
{
    static const char* const captions[] = {"Smooth", "Step", "Wavey"};
    return captions[std::clamp(mode, 0, 2)];
}
} // namespace

VisualizerComponent::VisualizerComponent()
{
    for (auto* slider : {&decaySlider, &wearSlider, &falloffSlider})
    {
        // Driven by the handles only; they exist for their parameter binding and callbacks.
        slider->setVisible(false);
        addChildComponent(slider);
    }
    decaySlider.setRange(-100.0, 300.0, 1.0);
    wearSlider.setRange(0.0, 100.0, 1.0);
    falloffSlider.setRange(0.0, 40.0, 0.1);
    lengthSlider.setRange(0.0, 1000.0, 1.0);
    lengthSlider.setLookAndFeel(&axisLookAndFeel);
    addAndMakeVisible(lengthSlider);

    addAndMakeVisible(decayModeButton);
    stepsLabel.setFont(Typefaces::consolas(9.0f));
    stepsLabel.setColour(juce::Label::textColourId, Palette::accentGreen);
    stepsLabel.setJustificationType(juce::Justification::centredLeft);
    stepsLabel.setMouseCursor(juce::MouseCursor::PointingHandCursor);
    addChildComponent(stepsLabel);
    lengthLabel.setFont(Typefaces::helvetica(11.0f, juce::Font::bold));
    lengthLabel.setColour(juce::Label::textColourId, Palette::textBright);
    lengthLabel.setJustificationType(juce::Justification::centredRight);
    lengthLabel.setInterceptsMouseClicks(false, false);
    addAndMakeVisible(lengthLabel);

    addAndMakeVisible(strip);
    for (auto* overlay : allOverlays())
        addChildComponent(overlay);
    readoutHuds[0].title = "MIX";
    readoutHuds[1].title = "MASTER";
    readoutHuds[2].title = "START";
    readoutHuds[3].title = "FALLOFF";
}

VisualizerComponent::~VisualizerComponent()
{
    endSliderDrags();
    endGesture(gestureParameter);
    stepsLabel.removeMouseListener(this);
    // Attachments go before the sliders they watch.
    attachments.clear();
    lengthSlider.setLookAndFeel(nullptr);
}

std::array<HudOverlay*, 14> VisualizerComponent::allOverlays()
{
    return {&eqHud,          &decayHud,       &wearHud,        &tapeChainHud, &tapeMixHud,
            &bumpHud,        &flutterHud,     &widthHud,       &vorlHud,      &readoutHuds[0],
            &readoutHuds[1], &readoutHuds[2], &readoutHuds[3], &pitchHud};
}

void VisualizerComponent::attachDecay(juce::AudioProcessorValueTreeState& parameterTree)
{
    tree = &parameterTree;
    attachments.clear();
    const std::pair<TdSlider*, const char*> bindings[] = {
        {&decaySlider, "dcv"}, {&wearSlider, "tDarken"}, {&falloffSlider, "dcFall"}, {&lengthSlider, "fb"}};
    for (const auto& [slider, id] : bindings)
        if (tree->getParameter(id) != nullptr)
            attachments.push_back(
                std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(*tree, id, *slider));
    // The attachment takes the parameter's range; the decay control keeps its own.
    decaySlider.setRange(-100.0, 300.0, 1.0);

    decayModeButton.onClick = [this]
    {
        const int mode = static_cast<int>(parameterValue("dcMode", 0.0f));
        setParameterAsGesture("dcMode", static_cast<float>((mode + 1) % 3));
    };

    stepsLabel.setVisible(false);
    stepsLabel.addMouseListener(this, false);
}

juce::RangedAudioParameter* VisualizerComponent::parameter(const char* id) const
{
    return tree != nullptr ? tree->getParameter(id) : nullptr;
}

float VisualizerComponent::parameterValue(const char* id, float fallback) const
{
    const auto* raw = tree != nullptr ? tree->getRawParameterValue(id) : nullptr;
    const float value = raw != nullptr ? raw->load() : fallback;
    return std::isfinite(value) ? value : fallback;
}

void VisualizerComponent::setParameter(juce::RangedAudioParameter* p, float value)
{
    if (p != nullptr)
        p->setValueNotifyingHost(p->convertTo0to1(p->getNormalisableRange().snapToLegalValue(value)));
}

void VisualizerComponent::beginGesture(juce::RangedAudioParameter* p)
{
    endGesture(gestureParameter);
    if (p != nullptr)
        p->beginChangeGesture();
    gestureParameter = p;
}

void VisualizerComponent::endGesture(juce::RangedAudioParameter*& p)
{
    if (p != nullptr)
        p->endChangeGesture();
    p = nullptr;
}

void VisualizerComponent::setParameterAsGesture(const char* id, float value)
{
    if (auto* p = parameter(id))
    {
        p->beginChangeGesture();
        setParameter(p, value);
        p->endChangeGesture();
    }
}

void VisualizerComponent::setLayout(const vorl::TapLayoutResult& newLayout)
{
    if (sameTaps(layout, newLayout))
        return;
    layout = newLayout;
    layout.count = std::clamp(static_cast<int>(newLayout.count), 0, vorl::kMaxTaps);
    repaint();
}

void VisualizerComponent::setTotalLength(float ms)
{
    // The span divides every time on the axis: keep it finite and at least 1 ms.
    const float span = std::isfinite(ms) ? std::max(ms, 1.0f) : totalMs;
    if (span == totalMs)
        return;
    totalMs = span;
    repaint();
}

PlotGeometry VisualizerComponent::plot() const noexcept
{
    return PlotGeometry::forSize(static_cast<float>(getWidth()), static_cast<float>(getHeight()));
}

VisualizerCurves VisualizerComponent::curves() const noexcept
{
    return {state, static_cast<int>(layout.count), totalMs, plot()};
}

juce::String VisualizerComponent::lengthText(float ms, const juce::String& msUnit,
                                             const juce::String& secondsUnit)
{
    if (!std::isfinite(ms))
        ms = 0.0f;
    if (ms < 1000.0f)
        return juce::String(static_cast<int>(ms)) + msUnit;
    return juce::String(ms / 1000.0f, 2) + secondsUnit;
}

void VisualizerComponent::updateHandleHeights()
{
    const auto geometry = plot();
    const auto c = curves();
    const float bottom = std::max(geometry.plotBottom, 1.0f);
    const auto height = [&](float q0, juce::Point<float> handle, bool needsSpan)
    {
        if (!(geometry.plotWidth > 0.0f) || (needsSpan && totalMs == 0.0f))
            return 0.5f;
        if (q0 <= 0.02f)
            return 0.0f;
        return std::clamp(handle.y / bottom, 0.0f, 1.0f);
    };
    state.decayHandleY = height(c.decayHandleStart(), c.decayHandle(), false);
    state.wearHandleY = height(c.wearHandleStart(), c.wearHandle(), true);
}

HudOverlay* VisualizerComponent::overlayForMode(int hudMode) noexcept
{
    switch (hudMode)
    {
    case 1:
        return &eqHud;
    case 2:
        return &decayHud;
    case 4:
        return &tapeChainHud;
    case 5:
        return &tapeMixHud;
    case 6:
        return &bumpHud;
    case 7:
        return &flutterHud;
    case 9:
        return &readoutHuds[0];
    case 10:
        return &readoutHuds[1];
    case 11:
        return &pitchHud;
    case 12:
        return &readoutHuds[2];
    case 13:
        return &wearHud;
    case 14:
        return &widthHud;
    case 15:
        return &readoutHuds[3];
    default:
        return nullptr;
    }
}

void VisualizerComponent::fillReadout(int hudMode)
{
    switch (hudMode)
    {
    case 9:
        readoutHuds[0].value = juce::String(juce::roundToInt(finiteOr(state.dryWet, 0.0f))) + "%";
        break;
    case 10:
    {
        const float db = finiteOr(state.masterDb, 0.0f);
        auto text = db <= -60.0f ? juce::String(juce::CharPointer_UTF8("-\xe2\x88\x9e")) + " dB"
                                 : juce::String::formatted("%+.1f dB", static_cast<double>(db));
        readoutHuds[1].value = text.replace("+0.0", "0.0");
        break;
    }
    case 12:
        readoutHuds[2].value = lengthText(finiteOr(state.predelayMs, 0.0f), " ms", " s");
        break;
    case 15:
    {
        const float falloff = finiteOr(state.decayFalloff, 0.0f);
        readoutHuds[3].value = falloff == 0.0f ? juce::String("OFF") : juce::String(falloff, 1) + "%";
        break;
    }
    default:
        return;
    }
    if (auto* overlay = overlayForMode(hudMode))
        overlay->repaint();
}

void VisualizerComponent::selectOverlay()
{
    HudOverlay* selected = overlayForMode(state.hudMode);
    if (selected == nullptr && vorlOverlayWanted)
        selected = &vorlHud;
    fillReadout(state.hudMode);
    for (auto* overlay : allOverlays())
        overlay->setShown(overlay == selected);
}

void VisualizerComponent::setVorlOverlayWanted(bool wanted)
{
    vorlOverlayWanted = wanted;
    selectOverlay();
}

void VisualizerComponent::setDisplayState(const DisplayState& newState)
{
    state = newState;
    updateHandleHeights();
    for (GraphHud* overlay :
         std::initializer_list<GraphHud*>{&eqHud, &decayHud, &wearHud, &tapeChainHud, &tapeMixHud, &bumpHud,
                                          &flutterHud, &widthHud, &vorlHud, &pitchHud})
    {
        overlay->state = state;
        if (overlay->isVisible())
            overlay->repaint();
    }
    selectOverlay();

    const auto caption = decayModeCaption(state.decayMode);
    if (decayModeButton.text != caption)
    {
        decayModeButton.text = caption;
        decayModeButton.setButtonText(caption);
        decayModeButton.repaint();
    }
    stepsLabel.setVisible(tree != nullptr && state.decayMode != 0);
    stepsLabel.setText(juce::String(state.decaySteps) + " steps", juce::dontSendNotification);
    lengthLabel.setText(lengthText(state.lengthMs, " ms", " s"), juce::dontSendNotification);
    repaint();
}

void VisualizerComponent::setStartEndTexts(const juce::String& startText, const juce::String& endText)
{
    strip.setReadoutTexts(startText, endText);
}

void VisualizerComponent::resized()
{
    const int w = getWidth();
    const int h = getHeight();
    const auto geometry = plot();
    const auto right = static_cast<int>(geometry.right);
    for (auto* overlay : allOverlays())
        overlay->setBounds(0, 0, w, h - std::min(h, 54));
    strip.setBounds(0, h - std::min(h, 40), w, std::min(h, 40));
    lengthSlider.setBounds(0, strip.getY() - 14, right, 14);

    // Not placed by the plot: the decay mode and steps in the top right corner of the plot,
    // the length beside them.
    decayModeButton.setBounds(right - 54, 3, 50, 14);
    stepsLabel.setBounds(right - 54, 19, 50, 12);
    lengthLabel.setBounds(right - 150, 3, 92, 14);
}

// ---- Mouse -------------------------------------------------------------------------------

VisualizerComponent::Handle VisualizerComponent::handleAt(juce::Point<float> position) const
{
    const auto c = curves();
    if (position.getDistanceFrom(c.predelayHandle()) <= kPredelayRadius)
        return Handle::predelay;
    const float toDecay = position.getDistanceFrom(c.decayHandle());
    const float toWear = state.tapeOn ? position.getDistanceFrom(c.wearHandle()) : 1.0e9f;
    if (toDecay <= kHandleRadius || toWear <= kHandleRadius)
        return toWear < toDecay ? Handle::wear : Handle::decay;
    if (std::abs(position.x - c.falloffX()) <= kFalloffRadius)
        return Handle::falloff;
    return Handle::none;
}

void VisualizerComponent::setCursorFor(Handle handle)
{
    setMouseCursor(handle == Handle::none ? juce::MouseCursor::NormalCursor
                                          : juce::MouseCursor::PointingHandCursor);
}

void VisualizerComponent::setHovered(Handle handle)
{
    const bool overPredelay = handle == Handle::predelay;
    if (overPredelay != predelayHovered)
    {
        predelayHovered = overPredelay;
        if (overPredelay ? static_cast<bool>(onHoverStart) : static_cast<bool>(onHoverEnd))
            (overPredelay ? onHoverStart : onHoverEnd)("pd");
    }
    setCursorFor(handle);
    if (handle != hovered)
    {
        hovered = handle;
        repaint();
    }
}

void VisualizerComponent::mouseMove(const juce::MouseEvent& e)
{
    if (e.eventComponent != this)
        return;
    setHovered(handleAt(e.position));
}

void VisualizerComponent::mouseExit(const juce::MouseEvent& e)
{
    if (e.eventComponent != this)
        return;
    setHovered(Handle::none);
    setMouseCursor(juce::MouseCursor::NormalCursor);
}

void VisualizerComponent::startSliderDrag(TdSlider& slider)
{
    auto& drag = &slider == &decaySlider ? decayDrag : &slider == &wearSlider ? wearDrag : falloffDrag;
    // The notification opens the host gesture through the slider's attachment.
    drag.emplace(slider);
    if (slider.onDragStart)
        slider.onDragStart(slider.paramId);
}

void VisualizerComponent::endSliderDrags()
{
    const std::pair<std::optional<juce::Slider::ScopedDragNotification>*, TdSlider*> drags[] = {
        {&decayDrag, &decaySlider}, {&wearDrag, &wearSlider}, {&falloffDrag, &falloffSlider}};
    for (auto [drag, slider] : drags)
    {
        if (!drag->has_value())
            continue;
        drag->reset();
        if (slider->onDragEnd)
            slider->onDragEnd(slider->paramId);
    }
}

float VisualizerComponent::falloffFromX(float x) const
{
    const auto geometry = plot();
    const float along = std::clamp((x - grabOffset - PlotGeometry::kLeft) / geometry.plotWidth, 0.0f, 1.0f);
    const float position =
        std::clamp((along * totalMs - state.predelayMs) / std::max(state.lengthMs, 1.0f), 0.0f, 1.0f);
    return std::clamp((1.0f - position) * 100.0f, 0.0f, 40.0f);
}

void VisualizerComponent::mouseDown(const juce::MouseEvent& e)
{
    if (e.eventComponent == &stepsLabel)
    {
        if (state.decayMode == 0)
            return;
        dragged = Handle::steps;
        dragStartY = e.getEventRelativeTo(this).position.y;
        dragStartValue = parameterValue("dcSteps", 4.0f);
        beginGesture(parameter("dcSteps"));
        e.source.enableUnboundedMouseMovement(true);
        return;
    }
    if (e.eventComponent != this)
        return;

    const auto c = curves();
    const auto position = e.position;
    const Handle handle = handleAt(position);
    if (handle == Handle::predelay)
    {
        if (e.mods.isCtrlDown() || e.mods.isRightButtonDown())
        {
            openPredelayEntry();
            return;
        }
        dragged = Handle::predelay;
        dragStartX = lastDragX = position.x;
        dragStartValue =
            predelay != nullptr ? predelay->convertFrom0to1(predelay->getValue()) : state.predelayMs;
        fineDrag = false;
        setMouseCursor(juce::MouseCursor::DraggingHandCursor);
        beginGesture(predelay);
        if (onDragStart)
            onDragStart("pd");
        return;
    }
    if (handle == Handle::decay)
    {
        dragged = Handle::decay;
        dragStartY = position.y;
        dragStartValue = static_cast<float>(decaySlider.getValue());
        grabOffset = position.x - c.falloffX();
        startSliderDrag(falloffSlider);
        startSliderDrag(decaySlider);
        return;
    }
    if (handle == Handle::wear)
    {
        dragged = Handle::wear;
        dragStartX = position.x;
        dragStartValue = static_cast<float>(wearSlider.getValue());
        startSliderDrag(wearSlider);
        return;
    }
    if (handle == Handle::falloff)
    {
        dragged = Handle::falloff;
        grabOffset = position.x - c.falloffX();
        startSliderDrag(falloffSlider);
    }
}

void VisualizerComponent::mouseDrag(const juce::MouseEvent& e)
{
    const auto position = e.getEventRelativeTo(this).position;
    const auto geometry = plot();
    switch (dragged)
    {
    case Handle::steps:
    {
        const int pixelsUp = static_cast<int>(dragStartY - position.y);
        const int steps = std::clamp(static_cast<int>(dragStartValue) + pixelsUp / 4, 1, 16);
        setParameter(parameter("dcSteps"), static_cast<float>(steps));
        break;
    }
    case Handle::predelay:
    {
        // Ctrl moves 1/8 as fast, measured from where the fine mode began.
        const float msPerPixel = totalMs / std::max(geometry.plotWidth, 1.0f);
        const float current =
            predelay != nullptr ? predelay->convertFrom0to1(predelay->getValue()) : state.predelayMs;
        float value;
        if (e.mods.isCtrlDown())
        {
            if (!fineDrag)
            {
                fineDrag = true;
                fineStartX = position.x;
                fineStartValue = current;
            }
            value = fineStartValue + (position.x - fineStartX) * msPerPixel * kFineDragFactor;
        }
        else
        {
            if (fineDrag)
            {
                // Leaving the fine mode continues from where it left the value.
                fineDrag = false;
                dragStartValue = current;
                dragStartX = lastDragX;
            }
            value = dragStartValue + (position.x - dragStartX) * msPerPixel;
        }
        setParameter(predelay, std::clamp(value, 0.0f, kMaxPredelayMs));
        lastDragX = position.x;
        break;
    }
    case Handle::decay:
    {
        const float curve = std::clamp(dragStartValue - (position.y - dragStartY) * 400.0f /
                                                            std::max(geometry.plotBottom, 40.0f),
                                       -100.0f, 300.0f);
        decaySlider.setValue(curve, juce::sendNotificationSync);
        falloffSlider.setValue(falloffFromX(position.x), juce::sendNotificationSync);
        break;
    }
    case Handle::wear:
    {
        const float wear = std::clamp(dragStartValue + (dragStartX - position.x) * 100.0f /
                                                           std::max(0.9f * geometry.plotWidth, 40.0f),
                                      0.0f, 100.0f);
        wearSlider.setValue(wear, juce::sendNotificationSync);
        break;
    }
    case Handle::falloff:
        falloffSlider.setValue(falloffFromX(position.x), juce::sendNotificationSync);
        break;
    case Handle::none:
        break;
    }
}

void VisualizerComponent::mouseUp(const juce::MouseEvent& e)
{
    const Handle ended = dragged;
    dragged = Handle::none;
    fineDrag = false;
    endSliderDrags();
    endGesture(gestureParameter);
    if (ended == Handle::predelay && onDragEnd)
        onDragEnd("pd");
    setMouseCursor(juce::MouseCursor::NormalCursor);
    e.source.enableUnboundedMouseMovement(false);
    if (ended != Handle::none)
        repaint();
}

void VisualizerComponent::mouseDoubleClick(const juce::MouseEvent& e)
{
    if (e.eventComponent == &stepsLabel)
    {
        setParameterAsGesture("dcSteps", 4.0f);
        return;
    }
    if (e.eventComponent != this)
        return;
    if (e.position.getDistanceFrom(curves().predelayHandle()) <= kPredelayRadius && predelay != nullptr)
    {
        predelay->beginChangeGesture();
        setParameter(predelay, 0.0f);
        predelay->endChangeGesture();
    }
}

float VisualizerComponent::parsePredelayText(const juce::String& typed)
{
    const auto text = typed.trim();
    if (text.endsWithIgnoreCase("ms"))
        return text.dropLastCharacters(2).trim().getFloatValue();
    if (text.endsWithIgnoreCase("s"))
        return text.dropLastCharacters(1).trim().getFloatValue() * 1000.0f;
    return text.getFloatValue();
}

void VisualizerComponent::openPredelayEntry()
{
    if (predelay == nullptr)
        return;
    const int current = static_cast<int>(predelay->convertFrom0to1(predelay->getValue()));
    juce::Component::SafePointer<VisualizerComponent> safeThis(this);
    auto entry = std::make_unique<ValueEntryBox>(
        juce::String(current) + " ms",
        [safeThis](const juce::String& text)
        {
            auto* self = safeThis.getComponent();
            if (self == nullptr || self->predelay == nullptr)
                return;
            const float ms = parsePredelayText(text);
            if (!std::isfinite(ms))
                return;
            const auto& range = self->predelay->getNormalisableRange();
            self->predelay->beginChangeGesture();
            setParameter(self->predelay, std::clamp(ms, range.start, range.end));
            self->predelay->endChangeGesture();
        });
    auto* entryBox = entry.get();
    const auto handle = curves().predelayHandle().roundToInt();
    const auto area = localAreaToGlobal(juce::Rectangle<int>(20, 20).withCentre(handle));
    auto& callOut = juce::CallOutBox::launchAsynchronously(std::move(entry), area, nullptr);
    callOut.setLookAndFeel(&getLookAndFeel());
    entryBox->focusAndSelectAll();
}
