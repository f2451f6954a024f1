#pragma once
#include "platform/platform.h"

namespace platform::x11 {

// The platform services on the X display that Qt's xcb plugin has opened.
// Call after QApplication exists.
Platform makeX11Platform();

// Before Qt starts: whether the display that DISPLAY names can be opened.
bool canOpenDisplay();

} // namespace platform::x11
