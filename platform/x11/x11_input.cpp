#include <QAbstractEventDispatcher>

#include "platform/x11/x11_input.h"

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/extensions/XTest.h>

namespace platform::x11 {

X11Input::X11Input(Display* qtDisplay) : display_(qtDisplay)
{
    // Each press and release changes the pointer-button part of the keyboard
    // state, and Qt's connection hears of every state change: two wake-ups of
    // the GUI thread per click for news nobody reads. Only that part is
    // dropped; modifier and group changes still arrive.
    XkbSelectEventDetails(qtDisplay, XkbUseCoreKbd, XkbStateNotify, XkbPointerButtonMask, 0);
    XFlush(qtDisplay);
    if (Display* own = XOpenDisplay(DisplayString(qtDisplay))) {
        // Nothing here selects events; with Xlib minding the event queue,
        // every flush would try to read some.
        XSetEventQueueOwner(own, XCBOwnsEventQueue);
        display_ = own;
        ownDisplay_ = true;
    }
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) // the GUI thread's
        beforeWaiting_ = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this] {
            if (unflushed_) {
                unflushed_ = false;
                XFlush(display_);
            }
        });
}

X11Input::~X11Input()
{
    QObject::disconnect(beforeWaiting_);
    if (ownDisplay_)
        XCloseDisplay(display_); // sends what is still queued
}

void X11Input::flushSoon()
{
    if (beforeWaiting_)
        unflushed_ = true;
    else
        XFlush(display_);
}

void X11Input::leftClick()
{
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    flushSoon();
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
