#include "platform/uinput/uinput_input.h"

#include <cstdlib>

#include "platform/uinput/uinput_pointer.h"

namespace platform::uinput {

UinputInput::UinputInput(std::unique_ptr<Input> positions, std::unique_ptr<UinputPointer> pointer)
    : positions_(std::move(positions)), pointer_(std::move(pointer))
{
}

UinputInput::~UinputInput() = default;

void UinputInput::leftClick() { pointer_->click(); }
Point UinputInput::cursorPos() { return positions_->cursorPos(); }
Point UinputInput::cursorPosRecent() { return positions_->cursorPosRecent(); }
void UinputInput::setCursorPos(Point p) { pointer_->moveTo(p); }

std::string devicePath()
{
    const char* path = std::getenv("VORLIN_UINPUT");
    return path ? path : "/dev/uinput";
}

std::string routeThroughUinput(std::unique_ptr<Input>& input, Point screen)
{
    const std::string path = devicePath();
    if (path.empty())
        return "is told by an empty VORLIN_UINPUT not to use uinput";
    std::string error;
    auto pointer = UinputPointer::create(path, screen, &error);
    if (!pointer)
        return error;
    input = std::make_unique<UinputInput>(std::move(input), std::move(pointer));
    return {};
}

} // namespace platform::uinput
