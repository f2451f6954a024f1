#pragma once
#include <initializer_list>
#include <memory>
#include <string>

#include "platform/input.h"

namespace platform::uinput {

// A virtual pointer of the kernel's (uinput) with the left button and absolute
// X and Y axes spanning the screen, so its input reaches every program, whatever
// the display server. The kernel removes the device when its file is closed,
// also when the process is killed; the file is opened close-on-exec, so no
// program started from here keeps the device alive.
class UinputPointer {
public:
    // Axis units per screen pixel: a pin re-sent to the same pixel alternates
    // between two values inside it, since the kernel drops a value equal to the
    // last one, and a pinned pointer that the user moved would stay where moved.
    static constexpr int kUnitsPerPixel = 4;

    // Makes the device through `path` (the kernel's uinput file) for a screen of
    // `screen` pixels; null, with the reason in `error`, when it cannot.
    static std::unique_ptr<UinputPointer> create(const std::string& path, Point screen, std::string* error);

    // Writes to `fd`, a device already made; owns the descriptor.
    UinputPointer(int fd, Point screen);
    ~UinputPointer();
    UinputPointer(const UinputPointer&) = delete;
    UinputPointer& operator=(const UinputPointer&) = delete;

    // A press and a release of the left button, each followed by a report.
    void click();
    // An absolute move; a point outside the screen goes to the nearest edge.
    void moveTo(Point p);

private:
    struct Event {
        unsigned short type, code;
        int value;
    };
    void send(std::initializer_list<Event> events); // at most four

    int fd_;
    Point screen_;
    Point lastSent_{-1, -1}; // in axis units
};

} // namespace platform::uinput
