// Qt before Xlib: Xlib defines macros that clash with Qt names.
#include <QGuiApplication>

#include "platform/x11/x11_display.h"

namespace platform::x11 {

Display* qtDisplay()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

Point rootSize()
{
    Display* display = qtDisplay();
    Window root = DefaultRootWindow(display);
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(display, root, &root, &x, &y, &width, &height, &border, &depth);
    return {static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

} // namespace platform::x11
