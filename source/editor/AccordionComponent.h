#pragma once

#include "widgets/TdButton.h"
#include "widgets/TdModeSwitch.h"

#include <memory>

// The colours of one effect section: c0 frame (and the OFF button's edge), c1 the OFF button's
// fill (always drawn transparent), c2 title and arrow, c3 carried for the editor.
struct AccordionColors
{
    juce::Colour c0, c1, c2, c3;
};

// One collapsible effect section: a 24-pixel header (ON/OFF, title, optional switches and an
// arrow) over a body that unfolds and folds in a 200 ms animation, reversible mid-way.
class AccordionComponent : public juce::Component, private juce::Timer
{
public:
    class HeightListener
    {
    public:
        virtual ~HeightListener() = default;
        // Every frame of an animation, and every change of the shown height.
        virtual void accordionHeightChanged(AccordionComponent& section) = 0;
    };

    AccordionComponent(const juce::String& title, AccordionColors colours, TdButton::Accent accent);
    ~AccordionComponent() override;

    static constexpr int kHeaderHeight = 24;
    static constexpr juce::uint32 kAnimationMs = 200;
    static constexpr int kAnimationHz = 60;
    static constexpr float kUnpoweredContentAlpha = 0.65f;
    static constexpr float kUnpoweredSwitchAlpha = 0.45f;

    void setContent(std::unique_ptr<juce::Component> body);
    juce::Component* getContent() const noexcept { return content.get(); }
    void setBodyHeight(int height);
    void showSyncButton();
    void showWideButton(const juce::String& text);
    void show2xButton(const juce::String& text);
    void showModeSwitch(const juce::String& left, const juce::String& right, juce::Colour colour);

    void setExpanded(bool shouldBeExpanded);
    void setPowered(bool shouldBePowered);
    void setHeightListener(HeightListener* newListener) { listener = newListener; }

    const juce::String& getTitle() const noexcept { return title; }
    bool isExpanded() const noexcept { return expanded; }
    bool isPowered() const noexcept { return powered; }
    bool isAnimating() const noexcept { return animating; }
    int getShownHeight() const noexcept { return shownHeight; }
    int getBodyHeight() const noexcept { return bodyHeight; }

    // One animation frame at the given time on the millisecond counter (what the timer does);
    // public so the timing can be checked without waiting.
    void stepAnimation(juce::uint32 nowMs);
    juce::uint32 getAnimationStartMs() const noexcept { return animStartMs; }

    void mouseDown(const juce::MouseEvent& e) override;
    void mouseEnter(const juce::MouseEvent& e) override;
    void mouseExit(const juce::MouseEvent& e) override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    // Public so the editor can attach them to parameters.
    TdButton powerButton{"OFF", TdButton::neutral};
    TdButton syncButton{"SYNC", TdButton::yellow};
    TdButton wideButton{"WIDE", TdButton::yellow};
    TdButton twoXButton{"2X", TdButton::yellow};
    TdModeSwitch modeSwitch{"modeSwitch"};

private:
    void timerCallback() override { stepAnimation(juce::Time::getMillisecondCounter()); }
    void moveTo(bool shouldBeExpanded);
    void showHeaderButton(TdButton& button, bool& shownFlag, const juce::String& text);
    void placeContent();
    void notifyListener();
    bool isOnHeaderControl(juce::Point<int> position) const;

    const juce::String title;
    const TdButton::Accent accent;
    const AccordionColors colours;
    bool showSync = false, showWide = false, show2x = false, showSwitch = false;
    juce::Label titleLabel;
    juce::Path collapsedArrow, expandedArrow;
    std::unique_ptr<juce::Component> content;
    int bodyHeight = 0;
    bool expanded = false;
    bool powered = true;
    bool hovered = false;
    int shownHeight = 0;
    HeightListener* listener = nullptr;
    bool animating = false;
    int animFrom = 0, animTo = 0;
    juce::uint32 animStartMs = 0;
};
