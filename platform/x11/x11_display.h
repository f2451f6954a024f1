#pragma once
#include <X11/Xlib.h>

#include "platform/input.h"

namespace platform::x11 {

// The Xlib display of Qt's own X connection.
Display* qtDisplay();

// The size of Qt's display's root window now, in pixels: all monitors together.
Point rootSize();

} // namespace platform::x11
