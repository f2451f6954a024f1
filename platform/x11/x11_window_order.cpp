#include <QWidget>

#include "platform/x11/x11_window_order.h"

namespace platform::x11 {

X11WindowOrder::X11WindowOrder(Display* display) : display_(display) {}

void X11WindowOrder::setTopmost(QWidget& window, bool topmost)
{
    // Ask the window manager through the EWMH state message; it keeps the
    // window above the others (or stops doing so) and remembers it while the
    // window is mapped.
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = static_cast<Window>(window.winId());
    ev.xclient.message_type = XInternAtom(display_, "_NET_WM_STATE", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = topmost ? 1 : 0; // _NET_WM_STATE_ADD : _NET_WM_STATE_REMOVE
    ev.xclient.data.l[1] = static_cast<long>(XInternAtom(display_, "_NET_WM_STATE_ABOVE", False));
    ev.xclient.data.l[2] = 0;
    ev.xclient.data.l[3] = 1; // source: a normal application
    XSendEvent(display_, DefaultRootWindow(display_), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    XFlush(display_);
}

} // namespace platform::x11
