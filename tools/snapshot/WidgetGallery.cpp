#include "WidgetGallery.h"

#include "EditorPartsGallery.h"
#include "EditorSnapshot.h"
#include "PanelGallery.h"

#include "processor/PluginProcessor.h"
#include "widgets/AboutDialog.h"
#include "widgets/AboutTexts.h"
#include "widgets/AxisSliderLookAndFeel.h"
#include "widgets/ButtonGrid.h"
#include "widgets/CloseButton.h"
#include "widgets/DialogOverlay.h"
#include "widgets/FilterSlider.h"
#include "widgets/MasterOutFader.h"
#include "widgets/PlotHuds.h"
#include "widgets/TapeHuds.h"
#include "widgets/MotionHuds.h"
#include "widgets/ReadoutHuds.h"
#include "widgets/Palette.h"
#include "widgets/TapCountBox.h"
#include "widgets/TdButton.h"
#include "widgets/TdLookAndFeel.h"
#include "widgets/TdModeSwitch.h"
#include "widgets/TdSlider.h"
#include "widgets/Typefaces.h"
#include "widgets/ValueEntryBox.h"

namespace vorl::snapshot
{
namespace
{
constexpr int kPageWidth = 460;
constexpr int kMargin = 12;

// A page with the editor's look and feel and background; captions are painted by the page.
class Page : public juce::Component
{
public:
    Page() { setLookAndFeel(&lookAndFeel); }
    ~Page() override { setLookAndFeel(nullptr); }

    void paint(juce::Graphics& g) override
    {
        g.fillAll(Palette::windowBg);
        g.setFont(Typefaces::consolas(10.0f));
        for (const auto& caption : captions)
        {
            g.setColour(caption.colour);
            g.drawText(caption.text, caption.area, caption.justification, true);
        }
    }

    void caption(const juce::String& text, juce::Rectangle<int> area,
                 juce::Justification justification = juce::Justification::centredLeft,
                 juce::Colour colour = Palette::textDim)
    {
        captions.push_back({text, area, justification, colour});
    }

    template <typename T, typename... Args> T& make(Args&&... args)
    {
        auto owned = std::make_unique<T>(std::forward<Args>(args)...);
        auto& ref = *owned;
        addAndMakeVisible(ref);
        owned_.push_back(std::move(owned));
        return ref;
    }

    // Keeps a component alive that is shown by another one (a call-out's content).
    void adopt(std::unique_ptr<juce::Component> component) { adopted.push_back(std::move(component)); }

    TdLookAndFeel lookAndFeel;

private:
    struct Caption
    {
        juce::String text;
        juce::Rectangle<int> area;
        juce::Justification justification;
        juce::Colour colour;
    };
    std::vector<Caption> captions;
    // Destroyed after the components that show them.
    std::vector<std::unique_ptr<juce::Component>> adopted;
    std::vector<std::unique_ptr<juce::Component>> owned_;
};

void addHeading(Page& page, const juce::String& text, int y)
{
    page.caption(text, {kMargin, y, kPageWidth - 2 * kMargin, 16}, juce::Justification::centredLeft,
                 Palette::accentYellow);
}

struct SliderSample
{
    const char* caption;
    int kind;
    double minimum, maximum, value;
    float scale = 1.0f;
    bool tempoSync = false;
    bool beatPhaseSnap = false;
    bool inverted = false;
};

std::unique_ptr<juce::Component> createSliderKinds()
{
    const SliderSample samples[] = {
        {"0 time ms", 0, 0, 2000, 350},
        {"1 frequency", 1, 20, 1000, 440},
        {"2 percent", 2, 0, 100, 42, 1.0f},
        {"3 percent x100", 3, 0, 1, 0.75, 100.0f},
        {"4 integer", 4, 1, 64, 16},
        {"5 plain", 5, 0, 1, 0.5},
        {"6 length", 6, 0, 1000, 640},
        {"7 delay time", 7, 0, 1000, 520},
        {"7 delay synced", 7, 0, 1000, 500, 1.0f, true},
        {"8 rate", 8, 0, 1000, 400},
        {"8 rate synced", 8, 0, 1000, 500, 1.0f, true},
        {"9 bipolar", 9, -100, 300, 140},
        {"10 cents", 10, -1200, 1200, 700},
        {"11 slow rate", 11, 0, 1000, 300},
        {"12 decibels", 12, 0, 100, 50},
        {"13 width", 13, 0, 15, 11.25},
        {"phase snap", 5, -180, 180, 90, 1.0f, true, true},
        {"inverted", 2, 0, 100, 30, 1.0f, false, false, true},
    };

    auto page = std::make_unique<Page>();
    addHeading(*page, "TdSlider value kinds", 8);
    const int rowHeight = 22;
    int y = 30;
    for (const auto& sample : samples)
    {
        auto& slider = page->make<TdSlider>(sample.kind);
        slider.setRange(sample.minimum, sample.maximum, 0.0);
        slider.displayScale = sample.scale;
        slider.tempoSync = sample.tempoSync;
        slider.beatPhaseSnap = sample.beatPhaseSnap;
        slider.inverted = sample.inverted;
        slider.setValue(sample.value, juce::dontSendNotification);
        slider.setBounds(130, y, 220, rowHeight);
        page->caption(sample.caption, {kMargin, y, 112, rowHeight});
        page->caption(slider.getTextFromValue(slider.getValue()),
                      {360, y, kPageWidth - 360 - kMargin, rowHeight}, juce::Justification::centredRight,
                      Palette::textBright);
        y += rowHeight;
    }

    page->setSize(kPageWidth, y + 10);
    return page;
}

std::unique_ptr<juce::Component> createFilterSlider()
{
    auto page = std::make_unique<Page>();
    addHeading(*page, "FilterSlider", 8);

    auto& defaults = page->make<FilterSlider>();
    defaults.setBounds(kMargin, 30, kPageWidth - 2 * kMargin, 24);
    page->caption("default 200 Hz .. 6 kHz", {kMargin, 54, 300, 14});

    auto& narrow = page->make<FilterSlider>();
    narrow.hpValue = FilterSlider::hzToHpValue(800.0f);
    narrow.lpValue = FilterSlider::hzToLpValue(2500.0f);
    narrow.hoverHp = true;
    narrow.setBounds(kMargin, 76, kPageWidth - 2 * kMargin, 24);
    page->caption("narrow band, high-pass handle hovered", {kMargin, 100, 300, 14});

    auto& open = page->make<FilterSlider>();
    open.hpValue = 0.0f;
    open.lpValue = 1000.0f;
    open.setBounds(kMargin, 122, kPageWidth - 2 * kMargin, 24);
    page->caption("fully open: labels have no room", {kMargin, 146, 300, 14});

    page->setSize(kPageWidth, 170);
    return page;
}

juce::Path playIcon()
{
    juce::Path p;
    p.addTriangle(2.0f, 1.0f, 2.0f, 13.0f, 13.0f, 7.0f);
    // Keep the icon box square with its corner at the origin.
    p.addRectangle(0.0f, 0.0f, 0.01f, 14.0f);
    return p;
}

juce::Path starIcon()
{
    juce::Path p;
    p.addStar({7.0f, 7.0f}, 5, 2.8f, 7.0f);
    return p;
}

juce::Path diceIcon()
{
    juce::Path p;
    p.addRoundedRectangle(0.0f, 0.0f, 14.0f, 14.0f, 3.0f);
    p.setUsingNonZeroWinding(false);
    for (auto centre : {juce::Point<float>(4.0f, 4.0f), {10.0f, 10.0f}, {7.0f, 7.0f}})
        p.addEllipse(centre.x - 1.5f, centre.y - 1.5f, 3.0f, 3.0f);
    return p;
}

std::unique_ptr<juce::Component> createButtons()
{
    auto page = std::make_unique<Page>();
    addHeading(*page, "TdButton accents (off / on)", 8);

    const char* names[] = {"NEUTRAL", "YELLOW", "PURPLE", "GREEN", "ORANGE", "BLUE", "INDIGO"};
    const int buttonWidth = 58;
    const int gap = 5;
    for (int accent = 0; accent <= 6; ++accent)
    {
        const int x = kMargin + accent * (buttonWidth + gap);
        auto& off = page->make<TdButton>(names[accent], accent);
        off.setBounds(x, 32, buttonWidth, 22);
        auto& on = page->make<TdButton>(names[accent], accent);
        on.setToggleState(true, juce::dontSendNotification);
        on.setBounds(x, 62, buttonWidth, 22);
    }

    addHeading(*page, "icons, custom colours, sizes", 96);
    auto& iconText = page->make<TdButton>("PLAY", TdButton::green);
    iconText.icon = playIcon();
    iconText.setToggleState(true, juce::dontSendNotification);
    iconText.setBounds(kMargin, 118, 80, 24);

    auto& iconLeft = page->make<TdButton>("FAVOURITE", TdButton::yellow);
    iconLeft.icon = starIcon();
    iconLeft.iconAtLeft = true;
    iconLeft.setBounds(kMargin + 88, 118, 100, 24);

    auto& iconOnlyOff = page->make<TdButton>("", TdButton::yellow);
    iconOnlyOff.icon = starIcon();
    iconOnlyOff.iconOnly = true;
    iconOnlyOff.setBounds(kMargin + 196, 118, 24, 24);

    auto& iconOnlyOn = page->make<TdButton>("", TdButton::yellow);
    iconOnlyOn.icon = starIcon();
    iconOnlyOn.iconOnly = true;
    iconOnlyOn.setToggleState(true, juce::dontSendNotification);
    iconOnlyOn.setBounds(kMargin + 224, 118, 24, 24);

    auto& iconBody = page->make<TdButton>("", TdButton::orange);
    iconBody.icon = diceIcon();
    iconBody.setBounds(kMargin + 256, 118, 28, 24);

    auto& custom = page->make<TdButton>("CUSTOM", 0);
    custom.setCustomColours(juce::Colour(0xff1b0d0d), juce::Colour(0xffd04545), juce::Colour(0xffff7a7a));
    custom.setToggleState(true, juce::dontSendNotification);
    custom.setBounds(kMargin + 292, 118, 70, 24);

    auto& big = page->make<TdButton>("BIG 13", TdButton::blue);
    big.fontSize = 13.0f;
    big.cornerRadius = 3.0f;
    big.setBounds(kMargin + 370, 118, 64, 24);

    addHeading(*page, "plate look (off / on)", 154);
    auto& plateOff = page->make<TdButton>("RANDOMIZE", 0);
    plateOff.plateStyle = true;
    plateOff.icon = diceIcon();
    plateOff.setBounds(kMargin, 176, 120, 26);

    auto& plateOn = page->make<TdButton>("RANDOMIZE", 0);
    plateOn.plateStyle = true;
    plateOn.plateBold = true;
    plateOn.icon = diceIcon();
    plateOn.setToggleState(true, juce::dontSendNotification);
    plateOn.setBounds(kMargin + 128, 176, 120, 26);

    auto& plateText = page->make<TdButton>("SYNC", 0);
    plateText.plateStyle = true;
    plateText.setBounds(kMargin + 256, 176, 60, 26);

    auto& plateTextOn = page->make<TdButton>("SYNC", 0);
    plateTextOn.plateStyle = true;
    plateTextOn.plateBold = true;
    plateTextOn.setToggleState(true, juce::dontSendNotification);
    plateTextOn.setBounds(kMargin + 324, 176, 60, 26);

    page->setSize(kPageWidth, 216);
    return page;
}

std::unique_ptr<juce::Component> createModeSwitch()
{
    auto page = std::make_unique<Page>();
    addHeading(*page, "TdModeSwitch", 8);

    struct Sample
    {
        const char* left;
        const char* right;
        juce::Colour colour;
        bool on;
    };
    const Sample samples[] = {
        {"SMOOTH", "STEP", Palette::accentYellow, false}, {"SMOOTH", "STEP", Palette::accentYellow, true},
        {"FREE", "SYNC", Palette::accentBlue, false},     {"FREE", "SYNC", Palette::accentBlue, true},
        {"TAPE", "DRIVE", Palette::amber, true},          {"MONO", "STEREO", Palette::accentGreen, false},
    };
    int y = 30;
    int column = 0;
    for (const auto& sample : samples)
    {
        auto& modeSwitch = page->make<TdModeSwitch>(juce::String(sample.left) + "/" + sample.right);
        modeSwitch.leftLabel = sample.left;
        modeSwitch.rightLabel = sample.right;
        modeSwitch.switchColour = sample.colour;
        modeSwitch.setClickingTogglesState(true);
        modeSwitch.setToggleState(sample.on, juce::dontSendNotification);
        modeSwitch.setBounds(kMargin + column * 220, y, 200, 26);
        if (++column == 2)
        {
            column = 0;
            y += 34;
        }
    }
    auto& narrow = page->make<TdModeSwitch>("narrow");
    narrow.leftLabel = "A";
    narrow.rightLabel = "B";
    narrow.switchColour = Palette::accentPurple;
    narrow.setBounds(kMargin, y, 60, 20);
    page->caption("narrow: track 34 % of the width", {kMargin + 70, y, 300, 20});
    page->setSize(kPageWidth, y + 30);
    return page;
}

std::unique_ptr<juce::Component> createButtonGrid()
{
    auto page = std::make_unique<Page>();
    addHeading(*page, "ButtonGrid", 8);

    auto& grid = page->make<ButtonGrid>();
    std::array<ButtonGridItem, ButtonGrid::kSlots> items;
    items[0].text = "SMOOTH";
    items[0].accent = TdButton::yellow;
    items[0].toggleParamId = "dm";
    items[1].text = "REVERSE";
    items[1].accent = TdButton::purple;
    items[1].toggleParamId = "rev";
    items[2].text = "PING";
    items[2].icon = playIcon();
    items[2].accent = TdButton::green;
    items[2].toggleParamId = "pp";
    items[3].text = "";
    items[3].icon = diceIcon();
    items[3].accent = TdButton::orange;
    grid.setItems(std::move(items));
    grid.setBounds(kMargin, 30, kPageWidth - 2 * kMargin, 30);
    auto buttons = grid.getButtons();
    buttons[0]->setToggleState(true, juce::dontSendNotification);
    buttons[2]->setToggleState(true, juce::dontSendNotification);

    addHeading(*page, "CloseButton", 72);
    auto& cross = page->make<CloseButton>();
    cross.setBounds(kMargin, 96, 14, 14);
    auto& hoveredCross = page->make<CloseButton>();
    hoveredCross.hovered = true;
    hoveredCross.setBounds(kMargin + 24, 96, 14, 14);
    auto& bigCross = page->make<CloseButton>();
    bigCross.setBounds(kMargin + 48, 92, 22, 22);
    auto& pill = page->make<CloseButton>();
    pill.label = "DONE";
    pill.setBounds(kMargin + 84, 93, 56, 20);
    auto& hoveredPill = page->make<CloseButton>();
    hoveredPill.label = "DONE";
    hoveredPill.hovered = true;
    hoveredPill.setBounds(kMargin + 148, 93, 56, 20);

    page->setSize(kPageWidth, 126);
    return page;
}

std::unique_ptr<juce::Component> createValueEntry()
{
    auto page = std::make_unique<Page>();
    page->setSize(kPageWidth, 130); // the call-out places itself within the page
    addHeading(*page, "ValueEntryBox in its call-out, TapCountBox", 8);

    auto& slider = page->make<TdSlider>(ValueKind::DelayTime);
    slider.setRange(0, 1000, 0);
    slider.setValue(720, juce::dontSendNotification);
    slider.setBounds(kMargin, 40, 200, 20);

    auto entry = std::make_unique<ValueEntryBox>(slider.getTextFromValue(slider.getValue()), nullptr);
    entry->cancelled = true;
    page->make<juce::CallOutBox>(*entry, slider.getBounds(), page.get());
    page->adopt(std::move(entry));

    auto& taps = page->make<TapCountBox>();
    taps.count = 24;
    taps.setBounds(280, 44, 90, 20);

    page->setSize(kPageWidth, 130);
    return page;
}

// Paints a popup menu's background and items through the look and feel.
class PopupMenuSample : public juce::Component
{
public:
    void paint(juce::Graphics& g) override
    {
        auto& lf = getLookAndFeel();
        lf.drawPopupMenuBackground(g, getWidth(), getHeight());
        const char* items[] = {"Factory", "User", "Favourites", "Save As..."};
        int y = 4;
        for (int i = 0; i < 4; ++i)
        {
            lf.drawPopupMenuItem(g, {0, y, getWidth(), 22}, false, true, i == 1, i == 2, false, items[i], {},
                                 nullptr, nullptr);
            y += 22;
        }
    }
};

std::unique_ptr<juce::Component> createLookAndFeel()
{
    auto page = std::make_unique<Page>();
    addHeading(*page, "TdLookAndFeel", 8);

    auto& plain = page->make<juce::Slider>(juce::Slider::LinearHorizontal, juce::Slider::NoTextBox);
    plain.setRange(0, 1, 0);
    plain.setValue(0.6);
    plain.setBounds(kMargin, 30, 180, 20);
    page->caption("framework slider", {kMargin + 190, 30, 120, 20});

    auto& hidden = page->make<TdSlider>(ValueKind::Percent);
    hidden.setRange(0, 100, 0);
    hidden.setValue(40, juce::dontSendNotification);
    hidden.setColour(juce::Slider::thumbColourId, juce::Colours::transparentBlack);
    hidden.setBounds(kMargin, 54, 180, 20);
    page->caption("hidden thumb", {kMargin + 190, 54, 120, 20});

    auto& vertical = page->make<TdSlider>(ValueKind::Percent);
    vertical.setSliderStyle(juce::Slider::LinearVertical);
    vertical.setRange(0, 100, 0);
    vertical.setValue(65, juce::dontSendNotification);
    vertical.setBounds(kMargin + 330, 30, 24, 110);

    auto& buttonOff = page->make<juce::TextButton>("TEXT BUTTON");
    buttonOff.setBounds(kMargin, 84, 100, 22);
    auto& buttonOn = page->make<juce::TextButton>("ON");
    buttonOn.setToggleState(true, juce::dontSendNotification);
    buttonOn.setBounds(kMargin + 108, 84, 60, 22);

    auto& vBar = page->make<juce::ScrollBar>(true);
    vBar.setRangeLimits(0, 100);
    vBar.setCurrentRange(20, 30);
    vBar.setBounds(kMargin + 380, 30, 8, 110);
    auto& hBar = page->make<juce::ScrollBar>(false);
    hBar.setRangeLimits(0, 100);
    hBar.setCurrentRange(40, 25);
    hBar.setBounds(kMargin, 118, 180, 8);

    auto& menu = page->make<PopupMenuSample>();
    menu.setBounds(kMargin + 200, 84, 110, 96);

    addHeading(*page, "AxisSliderLookAndFeel", 190);
    struct AxisPage : juce::Component
    {
        AxisSliderLookAndFeel axisLookAndFeel;
        juce::Slider horizontal{juce::Slider::LinearHorizontal, juce::Slider::NoTextBox};
        juce::Slider vertical{juce::Slider::LinearVertical, juce::Slider::NoTextBox};
        AxisPage()
        {
            for (auto* s : {&horizontal, &vertical})
            {
                s->setLookAndFeel(&axisLookAndFeel);
                s->setRange(0, 1, 0);
                addAndMakeVisible(s);
            }
            horizontal.setValue(0.45);
            vertical.setValue(0.7);
        }
        ~AxisPage() override
        {
            horizontal.setLookAndFeel(nullptr);
            vertical.setLookAndFeel(nullptr);
        }
        void resized() override
        {
            horizontal.setBounds(0, 20, 240, 30);
            vertical.setBounds(280, 0, 30, 80);
        }
    };
    auto& axis = page->make<AxisPage>();
    axis.setBounds(kMargin, 212, 340, 80);

    page->setSize(kPageWidth, 304);
    return page;
}

std::unique_ptr<juce::Component> createAbout()
{
    auto page = std::make_unique<Page>();
    page->caption("Vorl Delay", {kMargin, 8, 200, 20}, juce::Justification::centredLeft,
                  Palette::accentYellow);
    auto& overlay = page->make<DialogOverlay>();
    overlay.setBounds(0, 0, kPageWidth, 420);
    auto dialog = std::make_unique<AboutDialog>();
    dialog->openNotices = nullptr;
    overlay.show(std::move(dialog));
    page->setSize(kPageWidth, 420);
    return page;
}

std::unique_ptr<juce::Component> createNotices()
{
    auto page = std::make_unique<Page>();
    auto& notices = page->make<juce::TextEditor>();
    notices.setMultiLine(true, true);
    notices.setReadOnly(true);
    notices.setFont(Typefaces::consolas(11.0f));
    notices.setText(AboutTexts::thirdPartyNotices(), false);
    notices.setBounds(0, 0, 480, 400);
    page->setSize(480, 400);
    return page;
}

// The master fader at its real size (22 x 101) with a steady output level, meter settled.
class FaderPage : public juce::Component
{
public:
    FaderPage(float level, float masterDb) : level(level)
    {
        setLookAndFeel(&lookAndFeel);
        if (auto* master = processor.apvts.getParameter("mout"))
            master->setValueNotifyingHost(master->convertTo0to1(masterDb));
        addAndMakeVisible(fader);
        fader.setBounds(0, 0, 22, 101);
        fader.updateMeter();
        setSize(22, 101);
    }
    ~FaderPage() override { setLookAndFeel(nullptr); }

private:
    TdLookAndFeel lookAndFeel;
    TarnelDelayAudioProcessor processor;
    float level;
    MasterOutFader fader{processor.apvts, [this] { return level; }};
};

GalleryEntry faderEntry(const char* name, const char* description, float level, float masterDb)
{
    return {name, description, [=] { return std::make_unique<FaderPage>(level, masterDb); }};
}

// One overlay fully faded in at its real size (the visualizer's 436 x 160 less its 54-pixel
// axis and strip), over the plot's background.
class HudPage : public juce::Component
{
public:
    explicit HudPage(std::unique_ptr<HudOverlay> hudIn) : hud(std::move(hudIn))
    {
        setLookAndFeel(&lookAndFeel);
        addChildComponent(*hud);
        hud->setBounds(0, 0, 436, 106);
        hud->setShown(true);
        while (hud->isFading())
            hud->stepFade();
        setSize(436, 106);
    }
    ~HudPage() override { setLookAndFeel(nullptr); }

    void paint(juce::Graphics& g) override
    {
        g.fillAll(Palette::windowBg);
        g.setColour(Palette::insetBg);
        g.fillRoundedRectangle(getLocalBounds().toFloat(), 5.0f);
    }

private:
    TdLookAndFeel lookAndFeel;
    std::unique_ptr<HudOverlay> hud;
};

template <typename Hud>
GalleryEntry hudEntry(const char* name, const char* description, std::function<void(DisplayState&)> configure)
{
    return {name, description, [=]
            {
                auto hud = std::make_unique<Hud>();
                configure(hud->state);
                return std::make_unique<HudPage>(std::move(hud));
            }};
}

// The whole editor with the default settings.
std::unique_ptr<juce::Component> createEditor()
{
    juce::String error;
    return createEditorPage({}, error);
}

std::unique_ptr<juce::Component> createEditorWithOptions()
{
    EditorSnapshotOptions options;
    options.optionsOpen = true;
    juce::String error;
    return createEditorPage(options, error);
}
} // namespace

const std::vector<GalleryEntry>& galleryEntries()
{
    static const std::vector<GalleryEntry> entries = []
    {
        std::vector<GalleryEntry> all{
        {"slider-kinds", "TdSlider in every value kind", createSliderKinds},
        {"filter-slider", "the high-pass/low-pass range slider", createFilterSlider},
        {"buttons", "TdButton accents, icons and plates", createButtons},
        {"mode-switch", "TdModeSwitch states", createModeSwitch},
        {"button-grid", "ButtonGrid and CloseButton", createButtonGrid},
        {"value-entry", "ValueEntryBox call-out and TapCountBox", createValueEntry},
        {"look-and-feel", "framework widgets drawn by the look and feels", createLookAndFeel},
        {"about", "the About dialog on its overlay", createAbout},
        {"notices", "the third-party notices text", createNotices},
        {"editor", "the whole editor after a second of audio, default settings", createEditor},
        {"editor-options", "the whole editor with the options panel and random matrix open",
         createEditorWithOptions},
        faderEntry("fader-quiet", "master fader at 0 dB, no output", 0.0f, 0.0f),
        faderEntry("fader-loud", "master fader at -6 dB, output at -9 dBFS (green and amber)", 0.355f, -6.0f),
        hudEntry<EqHud>("hud-eq", "filter overlay, HP 120 Hz and LP 6 kHz",
                        [](DisplayState& s)
                        {
                            s.hpHz = 120.0f;
                            s.lpHz = 6000.0f;
                        }),
        hudEntry<EqHud>("hud-eq-crossed", "filter overlay with HP 3 kHz above LP 900 Hz",
                        [](DisplayState& s)
                        {
                            s.hpHz = 3000.0f;
                            s.lpHz = 900.0f;
                        }),
        hudEntry<DecayHud>("hud-decay", "decay overlay, handle low: text high and to the right",
                           [](DisplayState& s) { s.decayHandleY = 0.7f; }),
        hudEntry<DecayHud>("hud-decay-handle-high", "decay overlay, handle high, falloff off",
                           [](DisplayState& s)
                           {
                               s.decayHandleY = 0.3f;
                               s.decayCurve = 140.0f;
                               s.decayFalloff = 0.0f;
                           }),
        hudEntry<WearHud>("hud-wear", "tape wear overlay at 37 %, handle high",
                          [](DisplayState& s)
                          {
                              s.tapeWear = 37.0f;
                              s.wearHandleY = 0.2f;
                          }),
        hudEntry<TapeChainHud>("hud-tape-drive", "tape chain overlay: drive dial at 60 %",
                               [](DisplayState& s)
                               {
                                   s.hudParamId = "tBoost";
                                   s.tapeIn = 60.0f;
                               }),
        hudEntry<TapeChainHud>("hud-tape-lpf", "tape chain overlay: cutoff glyph at 40 %",
                               [](DisplayState& s)
                               {
                                   s.hudParamId = "sat";
                                   s.tapeLpf = 40.0f;
                               }),
        hudEntry<TapeChainHud>("hud-tape-output", "tape chain overlay: speaker at +4.8 dB",
                               [](DisplayState& s)
                               {
                                   s.hudParamId = "td";
                                   s.tapeOut = 90.0f;
                               }),
        hudEntry<TapeMixHud>("hud-tape-mix", "tape mix bar at 65 % wet", [](DisplayState& s) { s.tapeMix = 65.0f; }),
        hudEntry<BumpHud>("hud-bump", "head-bump bell at 70 %", [](DisplayState& s) { s.headBump = 70.0f; }),
        hudEntry<PitchHud>("hud-pitch-rate", "pitch overlay: LFO rate with Pitch 2x, RATE underlined",
                           [](DisplayState& s)
                           {
                               s.hudParamId = "pitchRt";
                               s.pitchRateHz = 1.75f;
                               s.pitch2x = true;
                           }),
        hudEntry<PitchHud>("hud-pitch-shift", "pitch overlay: -50 cents doubled to -100.0 CENTS",
                           [](DisplayState& s)
                           {
                               s.hudParamId = "pitchCt";
                               s.pitchCents = -50.0f;
                               s.pitch2x = true;
                           }),
        hudEntry<FlutterHud>("hud-flutter-light", "flutter trace at 20 %", [](DisplayState& s)
                             {
                                 s.flutterDepth = 20.0f;
                                 s.flutterPhase = 0.3f;
                             }),
        hudEntry<FlutterHud>("hud-flutter-deep", "flutter trace at 90 %, speed being dragged",
                             [](DisplayState& s)
                             {
                                 s.hudParamId = "flutSpd";
                                 s.flutterDepth = 90.0f;
                                 s.flutterSpeed = 70.0f;
                                 s.flutterPhase = 0.3f;
                             }),
        hudEntry<WidthHud>("hud-width-stereo", "width overlay at 7.5 (unchanged image)",
                           [](DisplayState& s) { s.width = 7.5f; }),
        hudEntry<WidthHud>("hud-width-mono", "width overlay at 0 (mono)", [](DisplayState& s) { s.width = 0.0f; }),
        hudEntry<WidthHud>("hud-width-wide-no-mid", "width overlay at 12 with No Mid",
                           [](DisplayState& s)
                           {
                               s.width = 12.0f;
                               s.noMid = true;
                           }),
        hudEntry<TarnelSingularityHud>("hud-vorl", "vorl overlay at -42 %", [](DisplayState& s) { s.vorl = -42.0f; }),
        {"hud-readout-master", "read-out overlay: MASTER -12.0 dB", []
         {
             auto hud = std::make_unique<FaderReadoutHud>();
             hud->title = "MASTER";
             hud->value = "-12.0 dB";
             return std::make_unique<HudPage>(std::move(hud));
         }},
        faderEntry("fader-hot", "master fader at +6 dB, output at +3 dBFS (into the red)", 1.41f, 6.0f),
        {"body-tremolo", "tremolo body: rate, depth, shape picker, phase and offset", createTremoloBodyPage},
        {"body-wave", "wave body: rate, density, shape picker, phase and offset", createWaveBodyPage},
        {"body-pitch", "pitch/chorus body with the smooth random shape picked", createPitchBodyPage},
        {"body-tape", "tape body, tape on with no flutter: the motion rows dimmed", createTapeBodyPage},
        {"main-controls", "width and ping-pong strip", [] { return createMainControlsPage(false); }},
        {"main-controls-muted", "No Mid with width at 0: MUTED", [] { return createMainControlsPage(true); }},
        {"section-open", "tremolo section open and powered", [] { return createSectionPage(SectionState::open); }},
        {"section-closed", "tremolo section closed", [] { return createSectionPage(SectionState::closed); }},
        {"section-opening", "tremolo section half-way through opening",
         [] { return createSectionPage(SectionState::opening); }},
        {"section-unpowered", "tremolo section open and switched off",
         [] { return createSectionPage(SectionState::unpowered); }},
        {"preset-panel", "preset row on the default preset", [] { return createPresetPanelPage(false); }},
        {"preset-panel-changed", "preset row after a watched parameter moved",
         [] { return createPresetPanelPage(true); }},
        {"preset-menu", "preset menu with its first sub-menu unfolded", createPresetMenuPage},
        };
        for (auto& entry : editorPartsGalleryEntries())
            all.push_back(std::move(entry));
        return all;
    }();
    return entries;
}

const GalleryEntry* findGalleryEntry(const juce::String& name)
{
    for (const auto& entry : galleryEntries())
        if (entry.name == name)
            return &entry;
    return nullptr;
}

juce::String galleryNames()
{
    juce::StringArray names;
    for (const auto& entry : galleryEntries())
        names.add(entry.name);
    return names.joinIntoString(", ");
}

juce::Image renderComponent(juce::Component& component, float scale)
{
    return component.createComponentSnapshot(component.getLocalBounds(), true, scale);
}
} // namespace vorl::snapshot
