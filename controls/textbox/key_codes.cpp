#include "controls/textbox/key_codes.h"

#include <array>
#include <utility>

namespace textbox {

namespace {

// Keys whose Qt and virtual-key numbers differ and are not in a contiguous run.
constexpr std::array<std::pair<int, int16_t>, 22> namedKeys{{
    {Qt::Key_Backspace, 8},  {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},   {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},     {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},  {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},     {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},   {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},    {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},      {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},      {Qt::Key_Up, 38},       {Qt::Key_Right, 39},    {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},    {Qt::Key_Delete, 46},
}};

} // namespace

int16_t virtualKeyFromQt(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return int16_t(qtKey); // the same numbers
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return int16_t(112 + (qtKey - Qt::Key_F1));
    for (auto [qt, vk] : namedKeys)
        if (qt == qtKey)
            return vk;
    return 0;
}

int qtKeyFromVirtualKey(int16_t vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return vk;
    if (vk >= 112 && vk < 112 + 24)
        return Qt::Key_F1 + (vk - 112);
    for (auto [qt, code] : namedKeys)
        if (code == vk)
            return qt;
    return Qt::Key_unknown;
}

int16_t shiftStateFromQt(Qt::KeyboardModifiers m)
{
    return int16_t((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0));
}

int16_t mouseButtonsFromQt(Qt::MouseButtons b)
{
    return int16_t((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0));
}

} // namespace textbox
