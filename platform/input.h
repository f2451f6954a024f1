#pragma once
#include <cstdint>

namespace platform {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Synthetic mouse input and the cursor position, in screen pixels.
class Input {
public:
    virtual ~Input() = default;
    // One left-button press and release at the current cursor position.
    virtual void leftClick() = 0;
    // The position now, which can cost a round trip to the display server.
    virtual Point cursorPos() = 0;
    // For readers that poll every few tens of milliseconds and can show a
    // position one poll old: asked ahead, so a poll need not wait for the server.
    virtual Point cursorPosRecent() { return cursorPos(); }
    // A position outside the screen goes to the nearest point on its edge.
    virtual void setCursorPos(Point p) = 0;
};

} // namespace platform
