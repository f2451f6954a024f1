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
};

} // namespace platform
