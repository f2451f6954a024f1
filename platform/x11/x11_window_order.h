#pragma once
#include <X11/Xlib.h>

#include "platform/window_order.h"

namespace platform::x11 {

class X11WindowOrder : public WindowOrder {
public:
    explicit X11WindowOrder(Display* display);
    void setTopmost(QWidget& window, bool topmost) override;

private:
    Display* display_;
};

} // namespace platform::x11
