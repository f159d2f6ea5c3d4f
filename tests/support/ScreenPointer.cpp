#include "ScreenPointer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace vorl::test
{
namespace
{
constexpr unsigned int leftButton = 1;
}

ScreenPointer::ScreenPointer() : display(XOpenDisplay(nullptr))
{
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    hasXTest = display != nullptr && XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor);
}

ScreenPointer::~ScreenPointer()
{
    if (display != nullptr)
        XCloseDisplay(display);
}

void ScreenPointer::settle(int milliseconds)
{
    XFlush(display);
    juce::MessageManager::getInstance()->runDispatchLoopUntil(milliseconds);
}

void ScreenPointer::moveTo(juce::Point<int> screenPosition)
{
    XTestFakeMotionEvent(display, -1, screenPosition.x, screenPosition.y, CurrentTime);
    settle(20);
}

void ScreenPointer::press()
{
    XTestFakeButtonEvent(display, leftButton, True, CurrentTime);
    settle();
}

void ScreenPointer::release()
{
    XTestFakeButtonEvent(display, leftButton, False, CurrentTime);
    settle();
}

void ScreenPointer::click(juce::Point<int> screenPosition)
{
    moveTo(screenPosition);
    press();
    release();
}

void ScreenPointer::doubleClick(juce::Point<int> screenPosition)
{
    moveTo(screenPosition);
    // Within JUCE's double-click interval: no message-loop pause between the two clicks.
    XTestFakeButtonEvent(display, leftButton, True, CurrentTime);
    XTestFakeButtonEvent(display, leftButton, False, CurrentTime);
    settle(30);
    XTestFakeButtonEvent(display, leftButton, True, CurrentTime);
    XTestFakeButtonEvent(display, leftButton, False, CurrentTime);
    settle();
}

void ScreenPointer::drag(juce::Point<int> from, juce::Point<int> to, int steps)
{
    moveTo(from);
    press();
    for (int step = 1; step <= steps; ++step)
        moveTo(from + (to - from) * step / steps);
    release();
}
} // namespace vorl::test
