#pragma once
#include "platform/key_names.h"

namespace platform::win32 {

// Key names from the keyboard layout: the key's scan code (MapVirtualKeyA,
// mode 0) handed to GetKeyNameTextA. The extended-key flag is set for the keys
// that have it (the arrows, the Insert to Page Down block, keypad "/", the right
// Ctrl and Alt, the Windows and menu keys, Num Lock): without it they would be
// named as the keypad or left-hand key that shares their scan code ("Num 8"
// for Up).
class Win32KeyNames : public KeyNames {
public:
    QString keyName(int32_t virtualKey) const override;

    // The key-name argument of GetKeyNameTextA for a scan code of this key.
    static long keyNameArgument(int32_t virtualKey, unsigned scanCode);
};

} // namespace platform::win32
