#pragma once
#include <cstdint>

#include "platform/us_key_names.h"

namespace platform::x11 {

// The virtual-key number that the hotkey box records for a press giving this
// keysym, or 0. It follows the box's numbering of the same press: letters in
// either case by their capital (65 to 90), shifted symbols by their key on a
// US keyboard ("!" is 49), the keypad digits and operators by their keypad
// numbers (96 to 111), and the keypad's Enter and navigation keys by the
// numbers of the main keys they act as (keypad Enter is 13, keypad Home 36).
int32_t virtualKeyOfKeysym(unsigned long keysym);

// The US key names, with the keyboard's places given as X key codes: the
// kernel's key numbers plus 8, and the kernel numbers the typing keys as the
// PC's scan codes do.
class X11KeyNames : public UsKeyNames {
public:
    int32_t virtualKeyAtPlace(uint32_t keycode) const override;
};

} // namespace platform::x11
