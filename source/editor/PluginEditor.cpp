#include "PluginEditor.h"

#include "EditorIcons.h"
#include "Randomizer.h"
#include "processor/PluginProcessor.h"
#include "widgets/AboutDialog.h"
#include "widgets/Palette.h"
#include "widgets/Typefaces.h"

namespace
{
using Tree = juce::AudioProcessorValueTreeState;

// Labels made by the editor: upper-case text in the default sans-serif, lightly spaced.
void styleLabel(juce::Label& label, const juce::String& text, juce::Colour colour, float height)
{
    label.setText(text.toUpperCase(), juce::dontSendNotification);
    auto font = Typefaces::defaultSans(height);
    font.setExtraKerningFactor(0.12f);
    label.setFont(font);
    label.setColour(juce::Label::textColourId, colour);
    label.setJustificationType(juce::Justification::centredLeft);
}

struct SectionLook
{
    const char* title;
    TdButton::Accent accent;
    AccordionColors colours;
    int bodyHeight;
    const char* powerId;
};

const SectionLook kSections[] = {
    {"WAVE",
     TdButton::purple,
     {juce::Colour(0xff5a4f72), juce::Colour(0xff1c192d), juce::Colour(0xffbeb2d3), juce::Colour(0xff72658c)},
     80,
     "wo"},
    {"TREMOLO",
     TdButton::green,
     {juce::Colour(0xff2a7850), juce::Colour(0xff0d2e1a), juce::Colour(0xff8fc3ae), juce::Colour(0xff3a865e)},
     84,
     "trem"},
    {"TAPE",
     TdButton::orange,
     {juce::Colour(0xff865f3f), juce::Colour(0xff251b1d), juce::Colour(0xffd3af8f), juce::Colour(0xff855e3e)},
     120,
     "tp"},
    {"PITCH / CHORUS",
     TdButton::blue,
     {juce::Colour(0xff3880dd), juce::Colour(0xff081630), juce::Colour(0xff80c8ff), juce::Colour(0xff5aa0ee)},
     80,
     "pitchOn"},
};
} // namespace

TarnelDelayAudioProcessorEditor::TarnelDelayAudioProcessorEditor(TarnelDelayAudioProcessor& owner)
    : juce::AudioProcessorEditor(owner), processor(owner), presetPanel(owner.apvts, owner.presetLibrary),
      vorlControl(owner.apvts), mainControls(owner.apvts), optionsPanel(owner.apvts)
{
    auto& tree = processor.apvts;
    setLookAndFeel(&lookAndFeel);
    setResizable(false, false);

    // Title.
    titleLabel.setText(juce::String("Vorl Delay").toUpperCase(), juce::dontSendNotification);
    auto titleFont = Typefaces::consolas(13.0f);
    titleFont.setExtraKerningFactor(0.35f);
    titleLabel.setFont(titleFont);
    titleLabel.setColour(juce::Label::textColourId, juce::Colour(0xfff2c64b));
    addAndMakeVisible(titleLabel);

    optionsButton.setClickingTogglesState(true);
    addAndMakeVisible(optionsButton);

    addAndMakeVisible(presetPanel);
    presetPanel.setCurrent(processor.currentPresetName, processor.currentPresetBank);

    addAndMakeVisible(tapCountBox);
    tapCountBox.minCount = 1;
    tapCountBox.maxCount = 64;
    tapCountBox.count = juce::jlimit(1, 64, static_cast<int>(raw("tapCnt")));

    addAndMakeVisible(visualizer);
    visualizer.attachDecay(tree);
    visualizer.decaySlider.paramId = "dcv";
    visualizer.wearSlider.paramId = "tDarken";
    visualizer.falloffSlider.paramId = "dcFall";
    visualizer.setPredelayParameter(tree.getParameter("pd"));
    auto& strip = visualizer.strip;
    strip.startSlider.paramId = "s";
    strip.endSlider.paramId = "e";
    startAttachment = std::make_unique<Tree::SliderAttachment>(tree, "s", strip.startSlider);
    endAttachment = std::make_unique<Tree::SliderAttachment>(tree, "e", strip.endSlider);
    lockAttachment = std::make_unique<Tree::ButtonAttachment>(tree, "lk", strip.lockButton);
    fourXAttachment = std::make_unique<Tree::ButtonAttachment>(tree, "io2x", strip.fourXButton);

    mixSlider.setSliderStyle(juce::Slider::LinearVertical);
    mixSlider.setRange(0.0, 100.0, 1.0);
    mixSlider.resetValue = 80.0;
    mixSlider.paramId = "mix";
    addAndMakeVisible(mixSlider);

    masterFader = std::make_unique<MasterOutFader>(tree, [this] { return processor.outputPeak; });
    addAndMakeVisible(*masterFader);

    styleLabel(mixLabel, "MIX", Palette::text, 10.0f);
    mixLabel.setJustificationType(juce::Justification::centred);
    mixLabel.setBorderSize({});
    mixLabel.setMinimumHorizontalScale(0.8f);
    mixLabel.setFont(mixLabel.getFont().withStyle(juce::Font::underlined));
    addAndMakeVisible(mixLabel);
    styleLabel(outLabel, "OUT", Palette::text, 10.0f);
    outLabel.setJustificationType(juce::Justification::centred);
    outLabel.setBorderSize({});
    outLabel.setMinimumHorizontalScale(0.8f);
    addAndMakeVisible(outLabel);

    addAndMakeVisible(vorlControl);
    vorlControl.startAnimation();

    addAndMakeVisible(filterSlider);
    filterSlider.paramIdHp = "hp";
    filterSlider.paramIdLp = "lp";

    addAndMakeVisible(buttonGrid);
    buttonGrid.setItems(
        {ButtonGridItem{"TAP SYNC", {}, EditorIcons::drawSyncIcon, TdButton::yellow, "mu", {}},
         ButtonGridItem{"TAP-FLIP", {}, EditorIcons::drawFlipIcon, TdButton::yellow, "flipped", {}},
         ButtonGridItem{"VORL-REV", {}, EditorIcons::drawReverseIcon, TdButton::yellow, "rev", {}},
         ButtonGridItem{
             "RAND", {}, EditorIcons::drawDiceIcon, TdButton::yellow, {}, [this] { randomize(); }}});
    const auto gridButtons = buttonGrid.getButtons();
    for (size_t i = 0; i < gridButtons.size(); ++i)
    {
        gridButtons[i]->plateStyle = true;
        gridButtons[i]->plateBold = i == 0;
        gridButtons[i]->iconAtLeft = i == 3;
        gridButtons[i]->repaint();
    }

    historyBackButton.iconPainter = [](juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour)
    { return EditorIcons::drawChevronIcon(g, area, colour, true); };
    historyForwardButton.iconPainter = [](juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour)
    { return EditorIcons::drawChevronIcon(g, area, colour, false); };
    addAndMakeVisible(historyBackButton);
    addAndMakeVisible(historyForwardButton);
    refreshHistoryButtons();

    const char* gridIds[] = {"mu", "flipped", "rev"};
    for (size_t i = 0; i < 3; ++i)
        gridAttachments.push_back(
            std::make_unique<Tree::ButtonAttachment>(tree, gridIds[i], *gridButtons[i]));

    addAndMakeVisible(mainControls);
    buildSections();

    mixAttachment = std::make_unique<Tree::SliderAttachment>(tree, "mix", mixSlider);

    addChildComponent(clickCatcher);
    addChildComponent(optionsPanel);
    optionsPanel.matrix = &processor.randomMatrix;
    addChildComponent(dialogOverlay);
    wireCallbacks();

    startTimerHz(kRefreshHz);
    setSize(kEditorWidth, kMaxEditorHeight);
    const int h = fittedHeight();
    if (h != getHeight())
        setSize(getWidth(), h);
}

TarnelDelayAudioProcessorEditor::~TarnelDelayAudioProcessorEditor()
{
    stopTimer();
    setLookAndFeel(nullptr);
    // Attachments go before the widgets they watch, the section content before the sections.
    tapeModeAttachment.reset();
    switchAttachments.clear();
    powerAttachments.clear();
    gridAttachments.clear();
    fourXAttachment.reset();
    lockAttachment.reset();
    endAttachment.reset();
    startAttachment.reset();
    mixAttachment.reset();
    for (auto& section : accordions)
        section->setHeightListener(nullptr);
}

void TarnelDelayAudioProcessorEditor::buildSections()
{
    auto& tree = processor.apvts;
    const juce::Colour sliderColours[] = {Palette::accentPurple, Palette::accentGreen, Palette::accentOrange,
                                          Palette::accentBlue};
    std::vector<std::unique_ptr<AccordionComponent>> created;
    for (size_t i = 0; i < 4; ++i)
    {
        const auto& look = kSections[i];
        auto section = std::make_unique<AccordionComponent>(look.title, look.colours, look.accent);
        std::unique_ptr<juce::Component> body;
        switch (i)
        {
        case 0:
        {
            auto wave = std::make_unique<WaveBody>(tree);
            wave->onRandomShape = [this] { processor.reseedWaveLfo(); };
            wave->setSliderColour(sliderColours[i]);
            waveBody = wave.get();
            body = std::move(wave);
            break;
        }
        case 1:
        {
            auto tremolo = std::make_unique<TremoloBody>(tree);
            tremolo->onRandomShape = [this] { processor.reseedTremoloLfo(); };
            tremolo->setSliderColour(sliderColours[i]);
            tremoloBody = tremolo.get();
            body = std::move(tremolo);
            break;
        }
        case 2:
        {
            auto tape = std::make_unique<TapeDegradationBody>(tree);
            tape->onSliderDragStart = [this](const juce::String& id) { activeParamId = id; };
            tape->onSliderDragEnd = [this](const juce::String&) { activeParamId.clear(); };
            tape->setSliderColour(sliderColours[i]);
            tapeBody = tape.get();
            body = std::move(tape);
            break;
        }
        default:
        {
            auto pitch = std::make_unique<PitchBody>(tree);
            pitch->onRandomShape = [this] { processor.reseedPitchLfo(); };
            pitch->onSliderDragStart = [this](const juce::String& id) { activeParamId = id; };
            pitch->onSliderDragEnd = [this](const juce::String&) { activeParamId.clear(); };
            pitch->setSliderColour(sliderColours[i]);
            pitchBody = pitch.get();
            body = std::move(pitch);
            break;
        }
        }
        section->setContent(std::move(body));
        section->setBodyHeight(look.bodyHeight);
        created.push_back(std::move(section));
    }

    auto& wave = *created[0];
    auto& tremolo = *created[1];
    auto& tape = *created[2];
    auto& pitch = *created[3];
    wave.showSyncButton();
    tremolo.showSyncButton();
    pitch.showSyncButton();
    switchAttachments.push_back(std::make_unique<Tree::ButtonAttachment>(tree, "waveSync", wave.syncButton));
    switchAttachments.push_back(
        std::make_unique<Tree::ButtonAttachment>(tree, "tremSync", tremolo.syncButton));
    switchAttachments.push_back(
        std::make_unique<Tree::ButtonAttachment>(tree, "pitchSync", pitch.syncButton));
    tape.showModeSwitch("TAPE", "OD", Palette::accentOrange);
    tapeModeAttachment = std::make_unique<Tree::ButtonAttachment>(tree, "tOd", tape.modeSwitch);
    pitch.showWideButton("WIDE");
    pitch.show2xButton("2X");
    switchAttachments.push_back(
        std::make_unique<Tree::ButtonAttachment>(tree, "pitchWide", pitch.wideButton));
    switchAttachments.push_back(std::make_unique<Tree::ButtonAttachment>(tree, "pitch2x", pitch.twoXButton));

    // Shown top to bottom as TAPE, PITCH / CHORUS, WAVE, TREMOLO.
    for (const size_t index : {size_t{2}, size_t{3}, size_t{0}, size_t{1}})
        accordions.push_back(std::move(created[index]));
    accordionContent = std::make_unique<juce::Component>();
    for (auto& section : accordions)
    {
        // Set before the section has a parent, so it opens at its stored height at once: a window
        // that keeps resizing while the host embeds it can crash hosts when they close it.
        section->setExpanded(processor.accordionLayout.isExpanded(section->getTitle()));
        accordionContent->addAndMakeVisible(*section);
    }
    addAndMakeVisible(accordionViewport);
    accordionViewport.setViewedComponent(accordionContent.get(), false);
    accordionViewport.setScrollBarsShown(true, false);
    for (auto& section : accordions)
    {
        section->setHeightListener(this);
        for (const auto& look : kSections)
            if (section->getTitle() == look.title)
                powerAttachments.push_back(
                    std::make_unique<Tree::ButtonAttachment>(tree, look.powerId, section->powerButton));
    }
}

void TarnelDelayAudioProcessorEditor::wireCallbacks()
{
    const auto setActive = [this](const juce::String& id) { activeParamId = id; };
    const auto clearActive = [this](const juce::String&) { activeParamId.clear(); };
    const auto setHover = [this](const juce::String& id) { hoverParamId = id; };
    const auto clearHover = [this](const juce::String&) { hoverParamId.clear(); };

    titleLabel.onClick = [this] { dialogOverlay.show(std::make_unique<AboutDialog>()); };
    optionsButton.onClick = [this]
    {
        if (optionsButton.getToggleState())
            optionsPanel.show();
        else
            optionsPanel.hide();
    };
    presetPanel.onPatchSelected = [this](const presets::Patch& patch) { processor.applyPatch(patch); };
    presetPanel.getCurrentParams = [this] { return processor.captureParams(); };
    tapCountBox.onChange = [this](int n) { set("tapCnt", static_cast<float>(n)); };
    tapCountBox.onDragStart = [this] { activeParamId = "tapCnt"; };
    tapCountBox.onDragEnd = [this] { activeParamId.clear(); };
    for (auto* slider : {&visualizer.decaySlider, &visualizer.wearSlider, &visualizer.falloffSlider,
                         &visualizer.strip.startSlider, &visualizer.strip.endSlider})
    {
        slider->onDragStart = setActive;
        slider->onDragEnd = clearActive;
    }
    visualizer.onDragStart = setActive;
    visualizer.onDragEnd = clearActive;
    visualizer.onHoverStart = setHover;
    visualizer.onHoverEnd = clearHover;
    mixSlider.onDragStart = setActive;
    mixSlider.onDragEnd = clearActive;
    mixSlider.onHoverStart = setHover;
    mixSlider.onHoverEnd = clearHover;
    masterFader->onDragStart = setActive;
    masterFader->onDragEnd = clearActive;
    masterFader->onHoverStart = setHover;
    masterFader->onHoverEnd = clearHover;
    mixLabel.onClick = [this] { set("mixByp", on("mixByp") ? 0.0f : 1.0f); };
    vorlControl.onDragStart = [this](const juce::String& id)
    {
        activeParamId = id;
        visualizer.setVorlOverlayWanted(true);
    };
    vorlControl.onDragEnd = [this](const juce::String&)
    {
        activeParamId.clear();
        visualizer.setVorlOverlayWanted(false);
    };
    filterSlider.onChange = [this](float hp, float lp)
    {
        set("hp", hp);
        set("lp", lp);
    };
    filterSlider.onDragStart = setActive;
    filterSlider.onDragEnd = clearActive;
    historyBackButton.onClick = [this]
    {
        processor.stepHistoryBack();
        refreshHistoryButtons();
    };
    historyForwardButton.onClick = [this]
    {
        processor.stepHistoryForward();
        refreshHistoryButtons();
    };
    mainControls.onDragStart = setActive;
    mainControls.onDragEnd = clearActive;
    clickCatcher.onClick = [this] { optionsPanel.hide(); };
    optionsPanel.onVisibilityChanged = [this](bool shown)
    {
        clickCatcher.setActive(shown);
        optionsButton.setToggleState(shown, juce::dontSendNotification);
    };
}

float TarnelDelayAudioProcessorEditor::raw(const char* id) const
{
    const auto* value = processor.apvts.getRawParameterValue(id);
    return value != nullptr ? value->load() : 0.0f;
}

void TarnelDelayAudioProcessorEditor::set(const char* id, float value)
{
    if (auto* parameter = processor.apvts.getParameter(id))
        parameter->setValueNotifyingHost(parameter->convertTo0to1(value));
}

void TarnelDelayAudioProcessorEditor::refreshHistoryButtons()
{
    const bool back = processor.canStepHistoryBack();
    const bool forward = processor.canStepHistoryForward();
    historyBackButton.setEnabled(back);
    historyBackButton.setAlpha(back ? 1.0f : 0.35f);
    historyForwardButton.setEnabled(forward);
    historyForwardButton.setAlpha(forward ? 1.0f : 0.35f);
}

void TarnelDelayAudioProcessorEditor::randomize()
{
    auto gridButtons = buttonGrid.getButtons();
    if (gridButtons.size() == 4)
    {
        juce::Component::SafePointer<TdButton> rand(gridButtons[3]);
        rand->setToggleState(true, juce::dontSendNotification);
        juce::Timer::callAfterDelay(360,
                                    [rand]
                                    {
                                        if (rand != nullptr)
                                            rand->setToggleState(false, juce::dontSendNotification);
                                    });
    }
    randomizeEnabledParameters(processor.apvts, processor.randomMatrix, juce::Random::getSystemRandom());
    syncMemoryValid = false;
    processor.reseedAllLfos();
    processor.pushHistory();
    refreshHistoryButtons();
}

int TarnelDelayAudioProcessorEditor::fittedHeight() const
{
    return std::min(kMaxEditorHeight, accordionTop + accordionContentHeight + 21);
}

void TarnelDelayAudioProcessorEditor::accordionHeightChanged(AccordionComponent& section)
{
    processor.accordionLayout.setExpanded(section.getTitle(), section.isExpanded());
    resized();
    const int h = fittedHeight();
    if (h != getHeight())
        setSize(getWidth(), h);
}

void TarnelDelayAudioProcessorEditor::resized()
{
    const int w = getWidth();
    const int h = getHeight();
    auto r = getLocalBounds();
    r.removeFromTop(11);
    r.removeFromBottom(9);
    r.removeFromLeft(12);
    r.removeFromRight(12);

    auto header = r.removeFromTop(24);
    titleLabel.setBounds(header.removeFromLeft(220));
    optionsButton.setBounds(header.removeFromRight(72));

    r.removeFromTop(4);
    auto row = r.removeFromTop(26);
    if (tapCountBox.isVisible())
    {
        tapCountBox.setBounds(row.removeFromRight(90));
        row.removeFromRight(4);
    }
    presetPanel.setBounds(row);

    r.removeFromTop(4);
    const auto v = r.removeFromTop(160);
    visualizer.setBounds(v);
    const int d = v.getX() + v.getWidth() - 56;
    const int e0 = std::max(0, v.getHeight() - 8);
    const int e = e0 - std::min(e0, 40);
    const int f = std::min(e, 11);
    const int gy = v.getY() + e - f + 4;
    mixLabel.setBounds(d + 4, gy, 24, f);
    outLabel.setBounds(d + 28, gy, 24, f);
    mixSlider.setBounds(d + 5, v.getY() + 4, 22, std::max(0, e - f));
    masterFader->setBounds(d + 29, v.getY() + 4, 22, std::max(0, e - f));
    const int t = lookAndFeel.getSliderThumbRadius(mixSlider);
    mixScaleArea = {mixSlider.getX(), mixSlider.getY() + t, mixSlider.getWidth(),
                    std::max(0, mixSlider.getHeight() - 2 * t)};

    r.removeFromTop(4);
    vorlControl.setBounds(r.removeFromTop(64));
    r.removeFromTop(4);
    filterSlider.setBounds(r.removeFromTop(16));
    r.removeFromTop(4);
    mainControls.setBounds(r.removeFromTop(24));
    r.removeFromTop(4);
    buttonGrid.setBounds(r.getX(), r.getY(), r.getWidth(), 19);
    const int right = r.getX() + (r.getWidth() / 4) * 4;
    historyForwardButton.setBounds(right - 25, r.getY() + 3, 20, 13);
    historyBackButton.setBounds(right - 48, r.getY() + 3, 20, 13);
    r.removeFromTop(26);

    accordionViewport.setBounds(r);
    const int scrollBar = accordionViewport.getScrollBarThickness();
    int total = 0;
    for (auto& section : accordions)
    {
        const int b = section->getShownHeight();
        section->setBounds(0, total, r.getWidth() - scrollBar, b + AccordionComponent::kHeaderHeight);
        total += b + 28;
    }
    accordionContentHeight = total - 4;
    accordionTop = r.getY();
    if (accordionContent != nullptr)
        accordionContent->setSize(r.getWidth(), std::max(total - 4, r.getHeight()) + 12);

    optionsPanel.setBounds(optionsPanel.isOpen() ? w - OptionsPanelComponent::kWidth : w, 233,
                           OptionsPanelComponent::kWidth, std::max(0, h - 242));
    clickCatcher.setBounds(getLocalBounds());
    dialogOverlay.setBounds(getLocalBounds());
}

void TarnelDelayAudioProcessorEditor::paint(juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setColour(Palette::windowBg);
    g.fillRoundedRectangle(bounds, 9.0f);
    g.setColour(Palette::outline);
    g.drawRoundedRectangle(bounds, 9.0f, 0.5f);

    const auto column = accordionViewport.getBounds().toFloat();
    g.setColour(Palette::black);
    g.fillRoundedRectangle(column, 6.0f);
    g.setGradientFill(juce::ColourGradient(juce::Colours::black.withAlpha(0.6f), column.getX(),
                                           column.getY() - 4.0f, juce::Colours::transparentBlack,
                                           column.getX(), column.getY(), false));
    g.fillRect(column.getX(), column.getY() - 4.0f, column.getWidth(), 4.0f);
    g.setColour(juce::Colours::black.withAlpha(0.8f));
    g.fillRect(column.getX(), column.getY() - 2.0f, column.getWidth(), 2.0f);
    g.setColour(juce::Colours::white.withAlpha(0.06f));
    g.fillRect(column.getX(), column.getY(), column.getWidth(), 1.0f);

    if (titleGlow > 0.0f)
    {
        const auto area =
            lookAndFeel.getLabelBorderSize(titleLabel).subtractedFrom(titleLabel.getBounds()).toFloat();
        juce::GlyphArrangement glyphs;
        glyphs.addFittedText(titleLabel.getFont(), titleLabel.getText(), area.getX(), area.getY(),
                             area.getWidth(), area.getHeight(), titleLabel.getJustificationType(), 1,
                             titleLabel.getMinimumHorizontalScale());
        juce::Path outline;
        glyphs.createPath(outline);
        g.setColour(juce::Colour(0xffebe004).withAlpha(titleGlow * 0.55f));
        g.strokePath(outline, juce::PathStrokeType(titleGlow * 1.5f + 0.5f));
    }
}

void TarnelDelayAudioProcessorEditor::paintOverChildren(juce::Graphics& g)
{
    if (mixScaleArea.getWidth() > 0 && mixScaleArea.getHeight() > 0)
    {
        const auto area = mixScaleArea.toFloat();
        g.setColour(Palette::text.withAlpha(0.5f));
        for (const float fraction : {0.0f, 0.5f, 1.0f})
            g.fillRect(area.getX() - 3.0f, area.getBottom() - area.getHeight() * fraction - 0.5f, 4.0f, 1.0f);
    }
    g.setFont(Typefaces::consolas(8.0f));
    g.setColour(Palette::textDim.withAlpha(0.5f));
    g.drawText("1.649", juce::Rectangle<int>(getWidth() - 40, getHeight() - 14, 35, 12),
               juce::Justification::centredRight, false);
}
