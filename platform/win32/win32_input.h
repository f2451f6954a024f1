#pragma once
#include "platform/input.h"
#include "platform/window_order.h"

namespace platform::win32 {

// Clicks and the cursor through user32: one mouse_event with the left button's
// press and release together, GetCursorPos, SetCursorPos (Windows clamps a
// position to the virtual screen itself).
class Win32Input : public Input {
public:
    void leftClick() override;
    Point cursorPos() override;
    void setCursorPos(Point p) override;
};

// Always-on-top through SetWindowPos on the window's own handle.
class Win32WindowOrder : public WindowOrder {
public:
    void setTopmost(QWidget& window, bool topmost) override;
};

} // namespace platform::win32
