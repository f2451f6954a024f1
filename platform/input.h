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
    virtual Point cursorPos() = 0;
    // A position outside the screen goes to the nearest point on its edge.
    virtual void setCursorPos(Point p) = 0;
};

} // namespace platform
