#pragma once
#include <QString>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "platform/hotkeys.h"
#include "platform/us_key_names.h"

namespace platform::fake {

// Hotkeys without a display: keeps the registrations, refuses a combination
// held by another owner or listed in takenElsewhere or unavailable, and
// delivers a press when the test calls press().
class FakeHotkeys : public Hotkeys {
public:
    struct Combination {
        int32_t virtualKey = 0;
        int32_t modifiers = 0;
        friend auto operator<=>(const Combination&, const Combination&) = default;
    };
    struct Call {
        enum Kind { Register, Unregister } kind;
        Owner owner;
        Combination combination; // of a Register call
        bool granted = false;    // of a Register call
    };

    Registration registerHotkey(Owner owner, int32_t virtualKey, int32_t modifiers, PressHandler onPress) override;
    void unregisterHotkey(Owner owner) override;

    // A press of the owner's combination reaching it; false when it holds none.
    bool press(Owner owner);
    // The combination pressed: reaches whoever holds it; false when no one does.
    bool press(Combination combination);
    // The combination the owner holds, if any.
    const Combination* held(Owner owner) const;
    size_t heldCount() const { return held_.size(); }

    std::vector<Call> calls;
    std::set<Combination> takenElsewhere; // combinations another program holds
    std::set<Combination> unavailable;    // combinations this system cannot make

private:
    struct Held {
        Owner owner;
        Combination combination;
        PressHandler onPress;
    };
    std::vector<Held> held_;
};

// The real name table, with names a test can replace (an empty one: no name).
class FakeKeyNames : public UsKeyNames {
public:
    QString keyName(int32_t virtualKey) const override;
    std::map<int32_t, QString> overrides;
};

} // namespace platform::fake
