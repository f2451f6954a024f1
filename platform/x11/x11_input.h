#pragma once
#include <X11/Xlib.h>

#include "platform/input.h"

namespace platform::x11 {

// Clicks through the XTest extension; the cursor through the root window.
class X11Input : public Input {
public:
    explicit X11Input(Display* display);
    void leftClick() override;
    Point cursorPos() override;
    void setCursorPos(Point p) override;

private:
    Display* display_;
};

} // namespace platform::x11
