#pragma once
#include "platform/key_names.h"

namespace platform {

// Key names as a US keyboard shows them. The arrows and the Insert, Delete,
// Home, End, Page Up and Page Down block carry their own names; the keypad
// keys are "Num 0" to "Num 9", "Num *" and so on.
class UsKeyNames : public KeyNames {
public:
    QString keyName(int32_t virtualKey) const override;
    // Places numbered as the PC keyboard's scan codes number them.
    int32_t virtualKeyAtPlace(uint32_t scanCode) const override;
};

} // namespace platform
