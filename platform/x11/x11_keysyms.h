#pragma once
#include <cstdint>

namespace platform::x11 {

// The X keysym of the key a virtual-key number names (the unshifted symbol of
// a US keyboard, so 65 is "a" and 49 is "1"), or 0 (NoSymbol).
unsigned long keysymForVirtualKey(int32_t virtualKey);

} // namespace platform::x11
