#include "PanelGallery.h"

#include "editor/AccordionComponent.h"
#include "editor/MainControlsComponent.h"
#include "presets/PresetMenu.h"
#include "presets/PresetPanelComponent.h"
#include "processor/PluginProcessor.h"
#include "widgets/ModulatorBody.h"
#include "widgets/Palette.h"
#include "widgets/PitchBody.h"
#include "widgets/TapeDegradationBody.h"
#include "widgets/TdLookAndFeel.h"

namespace vorl::snapshot
{
namespace
{
constexpr int kMargin = 12;
constexpr int kContentWidth = 436;

// A page around one panel at the editor's content width, with its own processor and look and
// feel; the panel is built last and released first.
class PanelPage : public juce::Component
{
public:
    PanelPage() { setLookAndFeel(&lookAndFeel); }
    ~PanelPage() override
    {
        panel.reset();
        setLookAndFeel(nullptr);
    }

    template <typename T> T& show(std::unique_ptr<T> owned, int height)
    {
        auto& ref = *owned;
        panel = std::move(owned);
        addAndMakeVisible(ref);
        ref.setBounds(kMargin, kMargin, kContentWidth, height);
        setSize(kContentWidth + 2 * kMargin, height + 2 * kMargin);
        return ref;
    }

    void setPlain(const char* id, float plainValue)
    {
        if (auto* parameter = processor.apvts.getParameter(id))
            parameter->setValueNotifyingHost(parameter->convertTo0to1(plainValue));
    }

    void paint(juce::Graphics& g) override { g.fillAll(Palette::windowBg); }

    TdLookAndFeel lookAndFeel;
    TarnelDelayAudioProcessor processor;
    std::unique_ptr<juce::Component> panel;
};

// Gives a body the inset it has inside its section.
class PaddedBody : public juce::Component
{
public:
    static constexpr int kPadding = 6;

    explicit PaddedBody(std::unique_ptr<juce::Component> bodyIn) : body(std::move(bodyIn))
    {
        addAndMakeVisible(*body);
    }
    void resized() override { body->setBounds(getLocalBounds().reduced(kPadding, kPadding)); }

private:
    std::unique_ptr<juce::Component> body;
};

template <typename Body> std::unique_ptr<juce::Component> bodyPage(juce::Colour colour, int height)
{
    auto page = std::make_unique<PanelPage>();
    auto body = std::make_unique<Body>(page->processor.apvts);
    body->setSliderColour(colour);
    body->refresh();
    page->show(std::move(body), height);
    return page;
}
} // namespace

std::unique_ptr<juce::Component> createTremoloBodyPage()
{
    return bodyPage<TremoloBody>(Palette::accentGreen, 76);
}

std::unique_ptr<juce::Component> createWaveBodyPage()
{
    return bodyPage<WaveBody>(Palette::accentPurple, 76);
}

std::unique_ptr<juce::Component> createPitchBodyPage()
{
    auto page = std::make_unique<PanelPage>();
    page->setPlain("pitchCt", 12.0f);
    page->setPlain("pitchDp", 40.0f);
    page->setPlain("pitchRt", 350.0f);
    page->setPlain("pitchSh", 6.0f);
    auto body = std::make_unique<PitchBody>(page->processor.apvts);
    body->setSliderColour(Palette::accentBlue);
    body->refresh();
    page->show(std::move(body), 76);
    return page;
}

std::unique_ptr<juce::Component> createTapeBodyPage()
{
    auto page = std::make_unique<PanelPage>();
    page->setPlain("tp", 1.0f); // tape on, flutter at 0: the motion rows dim
    auto body = std::make_unique<TapeDegradationBody>(page->processor.apvts);
    body->setSliderColour(Palette::accentOrange);
    body->refresh();
    page->show(std::move(body), 118);
    return page;
}

std::unique_ptr<juce::Component> createMainControlsPage(bool muted)
{
    auto page = std::make_unique<PanelPage>();
    page->setPlain("ppW", 35.0f);
    page->setPlain("spread", muted ? 0.0f : 10.5f);
    page->setPlain("sideOnly", muted ? 1.0f : 0.0f);
    auto strip = std::make_unique<MainControlsComponent>(page->processor.apvts);
    // Into the bright phase of the blink.
    for (int tick = 0; tick < MainControlsComponent::kBlinkTicks; ++tick)
        strip->tick();
    page->show(std::move(strip), 24);
    return page;
}

std::unique_ptr<juce::Component> createSectionPage(SectionState state)
{
    constexpr int bodyHeight = 76 + 2 * PaddedBody::kPadding;
    auto page = std::make_unique<PanelPage>();
    page->setPlain("tremSh", 1.0f);
    auto section = std::make_unique<AccordionComponent>(
        "TREMOLO",
        AccordionColors{Palette::greenEdge, Palette::greenFill, Palette::accentGreen, Palette::textDim},
        TdButton::green);
    auto body = std::make_unique<TremoloBody>(page->processor.apvts);
    body->setSliderColour(Palette::accentGreen);
    body->refresh();
    section->setContent(std::make_unique<PaddedBody>(std::move(body)));
    section->setBodyHeight(bodyHeight);
    section->showSyncButton();
    section->setPowered(state != SectionState::unpowered);

    auto& shown = page->show(std::move(section), AccordionComponent::kHeaderHeight + bodyHeight);
    if (state != SectionState::closed)
    {
        shown.setExpanded(true);
        // Half-way through the 200 ms unfolding, or at its end.
        const auto elapsed = state == SectionState::opening ? AccordionComponent::kAnimationMs / 2
                                                            : AccordionComponent::kAnimationMs;
        shown.stepAnimation(shown.getAnimationStartMs() + elapsed);
    }
    return page;
}

std::unique_ptr<juce::Component> createPresetPanelPage(bool changed)
{
    auto page = std::make_unique<PanelPage>();
    auto panel = std::make_unique<PresetPanelComponent>(page->processor.apvts, page->processor.presetLibrary);
    auto& processor = page->processor;
    panel->onPatchSelected = [&processor](const presets::Patch& patch) { processor.applyPatch(patch); };
    if (const auto* patch = processor.presetLibrary.findPatchById(presets::kInitPatchId))
        panel->loadPatch(*patch);
    page->show(std::move(panel), 26);
    if (changed)
        page->setPlain("mix", 42.0f);
    return page;
}

namespace
{
// Paints a menu the way the framework's popup window does, through the look and feel: the
// top level with its first sub-menu unfolded beside it (the popup window itself needs a
// desktop window, which a headless render does not have).
class MenuPreview : public juce::Component
{
public:
    explicit MenuPreview(juce::PopupMenu menuIn) : menu(std::move(menuIn))
    {
        for (juce::PopupMenu::MenuItemIterator it(menu); it.next();)
            if (it.getItem().subMenu != nullptr)
            {
                unfolded = it.getItem().subMenu.get();
                unfoldedTitle = it.getItem().text;
                break;
            }
    }

    static constexpr int kColumnWidth = 200;

    int idealHeight()
    {
        const int top = columnHeight(menu);
        return juce::jmax(top, unfolded != nullptr ? columnHeight(*unfolded) + rowOf(unfoldedTitle) : 0);
    }

    void paint(juce::Graphics& g) override
    {
        paintColumn(g, menu, {0, 0, kColumnWidth, columnHeight(menu)}, unfoldedTitle);
        if (unfolded != nullptr)
            paintColumn(g, *unfolded,
                        {kColumnWidth - 4, rowOf(unfoldedTitle), kColumnWidth, columnHeight(*unfolded)}, {});
    }

private:
    int itemHeight(const juce::PopupMenu::Item& item)
    {
        int width = 0, height = 0;
        getLookAndFeel().getIdealPopupMenuItemSize(item.text, item.isSeparator, -1, width, height);
        return height;
    }

    int columnHeight(const juce::PopupMenu& column)
    {
        int height = 8;
        for (juce::PopupMenu::MenuItemIterator it(column); it.next();)
            height += itemHeight(it.getItem());
        return height;
    }

    int rowOf(const juce::String& text)
    {
        int y = 4;
        for (juce::PopupMenu::MenuItemIterator it(menu); it.next();)
        {
            if (it.getItem().text == text && it.getItem().subMenu != nullptr)
                return y;
            y += itemHeight(it.getItem());
        }
        return 0;
    }

    void paintColumn(juce::Graphics& g, const juce::PopupMenu& column, juce::Rectangle<int> area,
                     const juce::String& highlighted)
    {
        auto& lf = getLookAndFeel();
        juce::Graphics::ScopedSaveState state(g);
        g.setOrigin(area.getPosition());
        lf.drawPopupMenuBackground(g, area.getWidth(), area.getHeight());
        int y = 4;
        for (juce::PopupMenu::MenuItemIterator it(column); it.next();)
        {
            const auto& item = it.getItem();
            const int h = itemHeight(item);
            const bool isHighlighted = item.subMenu != nullptr && item.text == highlighted;
            lf.drawPopupMenuItem(g, {0, y, area.getWidth(), h}, item.isSeparator, item.isEnabled,
                                 isHighlighted, item.isTicked, item.subMenu != nullptr, item.text,
                                 item.shortcutKeyDescription, nullptr, nullptr);
            y += h;
        }
    }

    juce::PopupMenu menu;
    const juce::PopupMenu* unfolded = nullptr;
    juce::String unfoldedTitle;
};
} // namespace

std::unique_ptr<juce::Component> createPresetMenuPage()
{
    auto page = std::make_unique<PanelPage>();
    auto& library = page->processor.presetLibrary;
    const auto* current = library.findPatchById(presets::kInitPatchId);
    const auto built = presets::buildPresetMenu(
        library, {current != nullptr ? current->name : juce::String("INIT"),
                  current != nullptr ? current->getId() : juce::String("INIT"), true});
    auto preview = std::make_unique<MenuPreview>(built.menu);
    preview->setLookAndFeel(&page->lookAndFeel);
    const int height = preview->idealHeight();
    page->show(std::move(preview), height);
    return page;
}
} // namespace vorl::snapshot
