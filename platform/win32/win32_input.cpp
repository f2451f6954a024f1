#include "platform/win32/win32_input.h"

#include <QWidget>
#include <windows.h>

namespace platform::win32 {

void Win32Input::leftClick() { mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0); }

Point Win32Input::cursorPos()
{
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void Win32Input::setCursorPos(Point p) { SetCursorPos(p.x, p.y); }

void Win32WindowOrder::setTopmost(QWidget& window, bool topmost)
{
    SetWindowPos(reinterpret_cast<HWND>(window.winId()), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace platform::win32
