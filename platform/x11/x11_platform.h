#pragma once
#include "platform/platform.h"

namespace platform::x11 {

// The platform services on the X display that Qt's xcb plugin has opened.
// Call after QApplication exists. The single-instance lock is made earlier, by
// main, since it decides whether this process becomes the instance at all.
Platform makeX11Platform(std::unique_ptr<SingleInstance> singleInstance);

// Before Qt starts: whether the display that DISPLAY names can be opened.
bool canOpenDisplay();

} // namespace platform::x11
