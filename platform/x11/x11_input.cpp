// Qt before Xlib: Xlib defines names (Bool, Status) that Qt's headers use.
#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include "platform/x11/x11_input.h"

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

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
    int event = 0, error = 0, major = 2, minor = 2;
    if (ownDisplay_ && XQueryExtension(display_, "XInputExtension", &xiOpcode_, &event, &error)
        && XIQueryVersion(display_, &major, &minor) == Success && major >= 2) {
        motionNotifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(xcb_), QSocketNotifier::Read);
        motionNotifier_->setEnabled(false);
        QObject::connect(motionNotifier_.get(), &QSocketNotifier::activated, [this] {
            if (takeEvents(true))
                motionSeen();
            else if (xcb_connection_has_error(xcb_))
                unwatchMotion(); // a closed connection would stay readable for ever
        });
    } else {
        xiOpcode_ = -1;
    }
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
    motionNotifier_.reset();
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

bool X11Input::serverIsReading() const
{
    int unread = 0;
    return ::ioctl(xcb_get_file_descriptor(xcb_), SIOCOUTQ, &unread) != 0 || unread <= MaxUnreadBytes;
}

void X11Input::leftClick()
{
    // A server that does not read (a frozen display) would get every queued
    // click at once when it reads again: the click is dropped instead.
    if (!serverIsReading())
        return;
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
    noticeQueuedMotion();
    return {rootX, rootY};
}

Point X11Input::cursorPosRecent()
{
    // While watching, polls are far apart: a reply asked ahead would be stale.
    const bool watching = bool(onMotion_);
    lastRecentPos_ = recentPos_.read(PrefetchedReading::Clock::now(), !watching);
    flushSoon();
    noticeQueuedMotion();
    return lastRecentPos_;
}

bool X11Input::watchMotion(std::function<void()> onMotion)
{
    if (!motionNotifier_ || xcb_connection_has_error(xcb_))
        return false;
    if (!onMotion_) {
        selectRawMotion(true);
        recentPos_.forget(); // the first read after a move asks afresh
    }
    onMotion_ = std::move(onMotion);
    motionNotifier_->setEnabled(true);
    return true;
}

void X11Input::unwatchMotion()
{
    if (!onMotion_)
        return;
    onMotion_ = nullptr;
    motionNotifier_->setEnabled(false);
    selectRawMotion(false);
}

void X11Input::selectRawMotion(bool on)
{
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on)
        XISetMask(bits, XI_RawMotion);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);
    flushSoon();
}

bool X11Input::takeEvents(bool read)
{
    bool motion = false;
    while (xcb_generic_event_t* e = read ? xcb_poll_for_event(xcb_) : xcb_poll_for_queued_event(xcb_)) {
        // Raw motion is the only event selected here; errors are let go.
        if ((e->response_type & 0x7f) == XCB_GE_GENERIC && reinterpret_cast<xcb_ge_generic_event_t*>(e)->extension == xiOpcode_)
            motion = true;
        free(e);
    }
    return motion;
}

void X11Input::noticeQueuedMotion()
{
    // Events read together with a reply leave the socket quiet, so the notifier
    // would not see them: they are looked at here. Ones from before the watch
    // was dropped are thrown away.
    if (takeEvents(false) && onMotion_)
        wakeSoon();
}

void X11Input::wakeSoon()
{
    QMetaObject::invokeMethod(motionNotifier_.get(), [this] { motionSeen(); }, Qt::QueuedConnection);
}

void X11Input::motionSeen()
{
    if (!onMotion_)
        return;
    const auto onMotion = onMotion_;
    unwatchMotion();
    onMotion();
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
    // A warp makes no device motion; a resting display hears of this one all the same.
    if (onMotion_ && Point{x, y} != lastRecentPos_)
        wakeSoon();
}

} // namespace platform::x11
