#pragma once
#include <QMetaObject>
#include <X11/Xlib.h>

#include <functional>
#include <memory>

#include "platform/input.h"
#include "platform/x11/prefetched_reading.h"

class QSocketNotifier;
struct xcb_connection_t;

namespace platform::x11 {

// Clicks through the XTest extension; the cursor through the root window.
// The requests use a connection of their own that only the GUI thread reads, so
// a pointer query's reply wakes no other thread. They go out in one flush before
// the GUI thread next waits, so clicks that fell due together cost one write.
// The recent position is queried one call ahead: Qt's event loop does not watch
// this connection, so the reply waits in the socket without waking anyone and
// the next call reads it without waiting. Only while a display of the position
// rests is the connection watched: it then hears of the pointing device's raw
// motion (XInput 2), and asks nothing ahead.
class X11Input : public Input {
public:
    // `qtDisplay` is Qt's connection; its keyboard-state selection is narrowed.
    explicit X11Input(Display* qtDisplay);
    ~X11Input() override;
    void leftClick() override;
    Point cursorPos() override;
    Point cursorPosRecent() override;
    void setCursorPos(Point p) override;

    // What cursorPosRecent() last gave.
    Point lastRecentPos() const { return lastRecentPos_; }
    // Calls `onMotion` once, soon after the pointing device next moves the
    // pointer or this program next sets its position; until then
    // cursorPosRecent() asks afresh and not ahead. False where the server
    // cannot tell of device motion.
    bool watchMotion(std::function<void()> onMotion);
    void unwatchMotion();

private:
    // What the X server may leave unread on the input connection before a
    // click is dropped rather than queued: a few writes (for a local socket the
    // kernel counts each small write as about 768 bytes).
    static constexpr int MaxUnreadBytes = 4096;
    bool serverIsReading() const;
    void flushSoon();
    void flushNow();
    void selectRawMotion(bool on);
    // Takes the events the connection holds (reading the socket if `read`);
    // whether one of them told of motion.
    bool takeEvents(bool read);
    void noticeQueuedMotion();
    void wakeSoon(); // calls motionSeen() from the event loop
    void motionSeen();

    Display* display_;
    xcb_connection_t* xcb_;
    PrefetchedReading recentPos_;
    bool ownDisplay_ = false;
    bool unflushed_ = false;
    QMetaObject::Connection beforeWaiting_;
    Point lastRecentPos_;
    int xiOpcode_ = -1; // the XInput extension's major opcode; -1 without XInput 2
    std::unique_ptr<QSocketNotifier> motionNotifier_;
    std::function<void()> onMotion_;
};

} // namespace platform::x11
