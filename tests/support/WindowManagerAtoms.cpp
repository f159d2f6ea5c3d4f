// A bare virtual X display (Xvfb) has no window manager, so the atoms a window manager
// registers do not exist. JUCE asks for them only if they exist and then passes the null atom
// to the X server, which makes Xlib end the program. Registering them before anything opens a
// window makes the test display behave like a desktop. The connection stays open for the life
// of the program: Xvfb resets itself, atoms and all, when its last client leaves.
#include <X11/Xlib.h>

#include <initializer_list>

namespace
{
class WindowManagerAtoms
{
public:
    WindowManagerAtoms() : display(XOpenDisplay(nullptr))
    {
        if (display == nullptr)
            return;
        for (const char* name :
             {"WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE",
              "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN"})
            XInternAtom(display, name, False);
        XFlush(display);
    }

    ~WindowManagerAtoms()
    {
        if (display != nullptr)
            XCloseDisplay(display);
    }

private:
    Display* display;
};

const WindowManagerAtoms registerWindowManagerAtoms;
} // namespace
