#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

struct _XDisplay; // Xlib's display, kept out of this header so it does not clash with JUCE

namespace vorl::test
{
// Moves and clicks the X server's real pointer (XTest), so a window owned by another copy of
// JUCE - a hosted plug-in's view inside its host window - receives the same events a user's
// mouse would produce. After each action it runs this program's message loop for a moment,
// which is also what delivers the hosted view's X events.
class ScreenPointer
{
public:
    ScreenPointer();
    ~ScreenPointer();

    bool isAvailable() const noexcept { return display != nullptr && hasXTest; }

    void moveTo(juce::Point<int> screenPosition);
    void press();
    void release();
    void click(juce::Point<int> screenPosition);
    void doubleClick(juce::Point<int> screenPosition);
    // Presses at `from`, moves to `to` in small steps and releases there.
    void drag(juce::Point<int> from, juce::Point<int> to, int steps = 12);

private:
    void settle(int milliseconds = 60);

    ::_XDisplay* display = nullptr;
    bool hasXTest = false;
};
} // namespace vorl::test
