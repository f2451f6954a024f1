#pragma once
#include <QMetaObject>
#include <X11/Xlib.h>

#include "platform/input.h"
#include "platform/x11/prefetched_reading.h"

struct xcb_connection_t;

namespace platform::x11 {

// Clicks through the XTest extension; the cursor through the root window.
// The requests use a connection of their own that only the GUI thread reads, so
// a pointer query's reply wakes no other thread. They go out in one flush before
// the GUI thread next waits, so clicks that fell due together cost one write.
// The recent position is queried one call ahead: Qt's event loop does not watch
// this connection, so the reply waits in the socket without waking anyone and
// the next call reads it without waiting.
class X11Input : public Input {
public:
    // `qtDisplay` is Qt's connection; its keyboard-state selection is narrowed.
    explicit X11Input(Display* qtDisplay);
    ~X11Input() override;
    void leftClick() override;
    Point cursorPos() override;
    Point cursorPosRecent() override;
    void setCursorPos(Point p) override;

private:
    void flushSoon();
    void flushNow();

    Display* display_;
    xcb_connection_t* xcb_;
    PrefetchedReading recentPos_;
    bool ownDisplay_ = false;
    bool unflushed_ = false;
    QMetaObject::Connection beforeWaiting_;
};

} // namespace platform::x11
