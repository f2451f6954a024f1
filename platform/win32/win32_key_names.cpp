#include "platform/win32/win32_key_names.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace platform::win32 {
namespace {

bool isExtendedKey(int32_t vk)
{
    static constexpr int32_t extended[] = {
        VK_PRIOR, VK_NEXT,   VK_END,   VK_HOME, VK_LEFT,     VK_UP,       VK_RIGHT, VK_DOWN,
        VK_INSERT, VK_DELETE, VK_DIVIDE, VK_LWIN, VK_RWIN,   VK_APPS,     VK_NUMLOCK, VK_RCONTROL,
        VK_RMENU,
    };
    return std::find(std::begin(extended), std::end(extended), vk) != std::end(extended);
}

} // namespace

long Win32KeyNames::keyNameArgument(int32_t virtualKey, unsigned scanCode)
{
    long argument = long(scanCode & 0xFF) << 16;
    if (isExtendedKey(virtualKey))
        argument |= 1L << 24;
    return argument;
}

QString Win32KeyNames::keyName(int32_t virtualKey) const
{
    if (virtualKey <= 0 || virtualKey > 254)
        return {};
    const unsigned scanCode = MapVirtualKeyA(UINT(virtualKey), MAPVK_VK_TO_VSC);
    char buffer[256] = {};
    const int n = GetKeyNameTextA(keyNameArgument(virtualKey, scanCode), buffer, 255);
    return n > 0 ? QString::fromLocal8Bit(buffer, n) : QString();
}

} // namespace platform::win32
