#pragma once
#include <X11/Xlib.h>

namespace platform::x11 {

// The Xlib display of Qt's own X connection.
Display* qtDisplay();

} // namespace platform::x11
