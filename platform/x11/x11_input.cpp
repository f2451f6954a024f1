#include "platform/x11/x11_input.h"

#include <X11/extensions/XTest.h>

namespace platform::x11 {

X11Input::X11Input(Display* display) : display_(display) {}

void X11Input::leftClick()
{
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XFlush(display_);
}

Point X11Input::cursorPos()
{
    Window root = DefaultRootWindow(display_), child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    XQueryPointer(display_, root, &root, &child, &rootX, &rootY, &winX, &winY, &mask);
    return {rootX, rootY};
}

void X11Input::setCursorPos(Point p)
{
    // The server clamps a position outside the screen to its edge.
    XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, p.x, p.y);
    XFlush(display_);
}

} // namespace platform::x11
