#include "platform/win32/win32_hotkeys.h"

#include <windows.h>

#include <algorithm>

namespace platform::win32 {
namespace {

constexpr int HotkeyId = 1; // identifiers are per window, so every owner uses 1
constexpr wchar_t WindowClass[] = L"VorlinHotkeyWindow";

} // namespace

struct Win32Hotkeys::Router {
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_HOTKEY) {
            // The window alone tells whose hotkey it is; wParam and lParam are not needed.
            if (auto* self = reinterpret_cast<Win32Hotkeys*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
                self->pressed(window);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

Win32Hotkeys::Win32Hotkeys()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Router::windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = WindowClass;
    RegisterClassExW(&wc); // fails harmlessly when a second instance of this class registered it already
}

Win32Hotkeys::~Win32Hotkeys()
{
    for (const Registered& r : registered_)
        release(r);
}

Registration Win32Hotkeys::registerHotkey(Owner owner, int32_t virtualKey, int32_t modifiers, PressHandler onPress)
{
    unregisterHotkey(owner);
    if (modifiers & ~(ModAlt | ModCtrl | ModShift | ModWin) || virtualKey <= 0 || virtualKey > 254)
        return Registration::Unavailable;
    const HWND window = CreateWindowExW(0, WindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return Registration::Unavailable;
    if (!RegisterHotKey(window, HotkeyId, UINT(modifiers), UINT(virtualKey))) {
        const DWORD error = GetLastError();
        DestroyWindow(window);
        return error == ERROR_HOTKEY_ALREADY_REGISTERED ? Registration::Taken : Registration::Unavailable;
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    registered_.push_back({owner, window, std::move(onPress)});
    return Registration::Registered;
}

void Win32Hotkeys::unregisterHotkey(Owner owner)
{
    const auto it = std::find_if(registered_.begin(), registered_.end(), [owner](const Registered& r) { return r.owner == owner; });
    if (it == registered_.end())
        return;
    const Registered r = std::move(*it);
    registered_.erase(it);
    release(r);
}

void Win32Hotkeys::release(const Registered& r)
{
    const HWND window = static_cast<HWND>(r.window);
    UnregisterHotKey(window, HotkeyId);
    DestroyWindow(window); // a press still queued for it goes with it
}

void Win32Hotkeys::pressed(void* window)
{
    const auto it = std::find_if(registered_.begin(), registered_.end(), [window](const Registered& r) { return r.window == window; });
    if (it == registered_.end())
        return;
    const PressHandler onPress = it->onPress; // the handler may unregister, and so erase, this entry
    if (onPress)
        onPress();
}

} // namespace platform::win32
