#pragma once
#include <memory>
#include <string>

#include "platform/input.h"

namespace platform::uinput {

class UinputPointer;

// Clicks and moves through the kernel's virtual pointer; the cursor position is
// still read through `positions` (under Wayland: XWayland's idea of it).
class UinputInput : public Input {
public:
    UinputInput(std::unique_ptr<Input> positions, std::unique_ptr<UinputPointer> pointer);
    ~UinputInput() override;
    void leftClick() override;
    Point cursorPos() override;
    Point cursorPosRecent() override;
    void setCursorPos(Point p) override;

private:
    std::unique_ptr<Input> positions_;
    std::unique_ptr<UinputPointer> pointer_;
};

// The uinput file: VORLIN_UINPUT when set (empty: none), else /dev/uinput.
std::string devicePath();

// Puts a virtual pointer for a screen of `screen` pixels under `input`'s clicks
// and moves. Where it cannot be made, `input` stays as it is and the reason is
// returned; an empty text means the pointer is in place.
std::string routeThroughUinput(std::unique_ptr<Input>& input, Point screen);

} // namespace platform::uinput
