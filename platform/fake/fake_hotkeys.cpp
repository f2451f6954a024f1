#include "platform/fake/fake_hotkeys.h"

#include <algorithm>

namespace platform::fake {

Registration FakeHotkeys::registerHotkey(Owner owner, int32_t virtualKey, int32_t modifiers, PressHandler onPress)
{
    std::erase_if(held_, [owner](const Held& h) { return h.owner == owner; });
    const Combination c{virtualKey, modifiers};
    const bool taken = takenElsewhere.contains(c)
        || std::any_of(held_.begin(), held_.end(), [&c](const Held& h) { return h.combination == c; });
    const bool made = !taken && !unavailable.contains(c);
    calls.push_back({Call::Register, owner, c, made});
    if (taken)
        return Registration::Taken;
    if (!made)
        return Registration::Unavailable;
    held_.push_back({owner, c, std::move(onPress)});
    return Registration::Registered;
}

void FakeHotkeys::unregisterHotkey(Owner owner)
{
    calls.push_back({Call::Unregister, owner, {}, false});
    std::erase_if(held_, [owner](const Held& h) { return h.owner == owner; });
}

bool FakeHotkeys::press(Owner owner)
{
    auto it = std::find_if(held_.begin(), held_.end(), [owner](const Held& h) { return h.owner == owner; });
    if (it == held_.end())
        return false;
    const PressHandler handler = it->onPress; // the handler may unregister
    if (handler)
        handler();
    return true;
}

bool FakeHotkeys::press(Combination combination)
{
    auto it = std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.combination == combination; });
    return it != held_.end() && press(it->owner);
}

const FakeHotkeys::Combination* FakeHotkeys::held(Owner owner) const
{
    auto it = std::find_if(held_.begin(), held_.end(), [owner](const Held& h) { return h.owner == owner; });
    return it == held_.end() ? nullptr : &it->combination;
}

QString FakeKeyNames::keyName(int32_t virtualKey) const
{
    auto it = overrides.find(virtualKey);
    return it != overrides.end() ? it->second : UsKeyNames::keyName(virtualKey);
}

} // namespace platform::fake
