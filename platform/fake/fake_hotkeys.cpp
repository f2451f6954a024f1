#include "platform/fake/fake_hotkeys.h"

#include <algorithm>

namespace platform::fake {

bool FakeHotkeys::registerHotkey(Owner owner, int32_t virtualKey, int32_t modifiers, PressHandler onPress)
{
    std::erase_if(held_, [owner](const Held& h) { return h.owner == owner; });
    const Combination c{virtualKey, modifiers};
    const bool taken = takenElsewhere.contains(c)
        || std::any_of(held_.begin(), held_.end(), [&c](const Held& h) { return h.combination == c; });
    calls.push_back({Call::Register, owner, c, !taken});
    if (taken)
        return false;
    held_.push_back({owner, c, std::move(onPress)});
    return true;
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
