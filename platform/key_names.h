#pragma once
#include <QString>
#include <cstdint>

namespace platform {

// The names that keys carry on the keyboard, by virtual-key number.
class KeyNames {
public:
    virtual ~KeyNames() = default;
    // Empty when the key has no name.
    virtual QString keyName(int32_t virtualKey) const = 0;
    // The number of the key in a place of the keyboard, for a key whose
    // character has none of its own (ü, or § with Shift, on a German layout):
    // the number the US keyboard gives its key in that place, whatever the
    // layout. The place is the native scan code of the toolkit's key event;
    // 0 for a place outside the typing keys.
    virtual int32_t virtualKeyAtPlace(uint32_t nativeScanCode) const
    {
        (void)nativeScanCode;
        return 0;
    }
};

} // namespace platform
