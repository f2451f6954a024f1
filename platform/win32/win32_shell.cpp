#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

namespace platform::win32 {

void Win32Shell::openUrl(const QString& url)
{
    const QString address = openableAddress(url);
    if (address.isEmpty())
        return;
    ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(address.utf16()), nullptr, nullptr, SW_SHOWNORMAL);
}

std::optional<uint32_t> Win32SystemColors::color(int index) const
{
    // The brush tells whether this Windows has the entry; the colour of a missing one reads as 0.
    if (index < ColorScrollBar || index > ColorMenuBar || !GetSysColorBrush(index))
        return std::nullopt;
    return uint32_t(GetSysColor(index));
}

} // namespace platform::win32
