// Qt before Xlib: Xlib defines macros that clash with Qt names.
#include <QGuiApplication>

#include "platform/x11/x11_display.h"

namespace platform::x11 {

Display* qtDisplay()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

} // namespace platform::x11
