// Qt before Xlib: Xlib defines names (Bool, Status) that Qt's headers use.
#include <QAbstractEventDispatcher>

#include "platform/x11/x11_input.h"

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/extensions/XTest.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <algorithm>
#include <cstdlib>

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
    xcb_ = XGetXCBConnection(display_);
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) // the GUI thread's
        beforeWaiting_ = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this] {
            if (unflushed_) {
                unflushed_ = false;
                flushNow();
            }
        });

    const xcb_window_t root = DefaultRootWindow(display_);
    recentPos_.send = [this, root] { return xcb_query_pointer(xcb_, root).sequence; };
    recentPos_.take = [this](unsigned sequence) {
        // A reply that has arrived is read without the poll a wait starts with.
        void* reply = nullptr;
        if (!xcb_poll_for_reply(xcb_, sequence, &reply, nullptr))
            reply = xcb_query_pointer_reply(xcb_, {sequence}, nullptr);
        Point p;
        if (auto* pointer = static_cast<xcb_query_pointer_reply_t*>(reply)) {
            p = {pointer->root_x, pointer->root_y};
            free(pointer);
        }
        return p;
    };
    recentPos_.drop = [this](unsigned sequence) { xcb_discard_reply(xcb_, sequence); };
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
        flushNow();
}

void X11Input::flushNow()
{
    XFlush(display_); // Xlib's own buffer; it leaves requests sent through xcb alone
    xcb_flush(xcb_);
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

Point X11Input::cursorPosRecent()
{
    const Point p = recentPos_.read(PrefetchedReading::Clock::now());
    flushSoon();
    return p;
}

void X11Input::setCursorPos(Point p)
{
    // The protocol carries 16-bit positions, so a far-off one would wrap round:
    // it goes to the nearest edge of the screen instead. The size is read each
    // time, since the screen can be resized while the program runs.
    Window root = DefaultRootWindow(display_);
    int x = 0, y = 0;
    unsigned int width = 1, height = 1, border = 0, depth = 0;
    XGetGeometry(display_, root, &root, &x, &y, &width, &height, &border, &depth);
    x = std::clamp(p.x, 0, static_cast<int>(std::max(width, 1u)) - 1);
    y = std::clamp(p.y, 0, static_cast<int>(std::max(height, 1u)) - 1);
    XWarpPointer(display_, None, root, 0, 0, 0, 0, x, y);
    XFlush(display_);
}

} // namespace platform::x11
