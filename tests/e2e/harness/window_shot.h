#pragma once
// Pictures of a program's window as the screen shows it.
#include <QImage>

#include "harness/x_session.h"

namespace e2e {

// The window with its frame, as the window manager reports the frame.
Rect framed(const XSession& s, unsigned long window);
// Takes the window's picture, frame included, once it has been painted and holds still.
QImage settledShot(const XSession& s, unsigned long window);

} // namespace e2e
