#pragma once
#include <QMetaObject>
#include <X11/Xlib.h>

#include "platform/input.h"

namespace platform::x11 {

// Clicks through the XTest extension; the cursor through the root window.
// The requests use a connection of their own that only the GUI thread reads, so
// a pointer query's reply wakes no other thread. They go out in one flush before
// the GUI thread next waits, so clicks that fell due together cost one write.
class X11Input : public Input {
public:
    // `qtDisplay` is Qt's connection; its keyboard-state selection is narrowed.
    explicit X11Input(Display* qtDisplay);
    ~X11Input() override;
    void leftClick() override;
    Point cursorPos() override;
    void setCursorPos(Point p) override;

private:
    void flushSoon();

    Display* display_;
    bool ownDisplay_ = false;
    bool unflushed_ = false;
    QMetaObject::Connection beforeWaiting_;
};

} // namespace platform::x11
