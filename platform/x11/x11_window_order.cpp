#include <QWidget>
#include <X11/Xatom.h>
#include <string>
#include <vector>

#include "platform/x11/x11_window_order.h"

namespace platform::x11 {

namespace {

// Whether a window manager runs on the display's screen: it owns the screen's WM_S<n> selection.
bool windowManagerRunning(Display* display)
{
    const std::string selection = "WM_S" + std::to_string(DefaultScreen(display));
    return XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False)) != None;
}

// Adds the state to the window's own _NET_WM_STATE list, or takes it out.
void setStateProperty(Display* display, Window window, Atom property, Atom state, bool on)
{
    std::vector<Atom> states;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data) ==
            Success &&
        data && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count; ++i)
            if (atoms[i] != state)
                states.push_back(atoms[i]);
    }
    if (data)
        XFree(data);
    if (on)
        states.push_back(state);
    XChangeProperty(display, window, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()), static_cast<int>(states.size()));
}

} // namespace

X11WindowOrder::X11WindowOrder(Display* display) : display_(display) {}

void X11WindowOrder::setTopmost(QWidget& window, bool topmost)
{
    const auto w = static_cast<Window>(window.winId());
    const Atom wmState = XInternAtom(display_, "_NET_WM_STATE", False);
    const Atom above = XInternAtom(display_, "_NET_WM_STATE_ABOVE", False);
    // With no window manager nobody takes the message below. The state then
    // goes on the window itself, which is where a window manager that starts
    // later reads it when it takes the window over. A running one owns the
    // property, so it is left to it.
    if (!windowManagerRunning(display_))
        setStateProperty(display_, w, wmState, above, topmost);
    // Ask the window manager through the EWMH state message; it keeps the
    // window above the others (or stops doing so) and remembers it while the
    // window is mapped.
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = wmState;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = topmost ? 1 : 0; // _NET_WM_STATE_ADD : _NET_WM_STATE_REMOVE
    ev.xclient.data.l[1] = static_cast<long>(above);
    ev.xclient.data.l[2] = 0;
    ev.xclient.data.l[3] = 1; // source: a normal application
    XSendEvent(display_, DefaultRootWindow(display_), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    XFlush(display_);
}

} // namespace platform::x11
