#pragma once
#include <cstdint>
#include <functional>

namespace platform {

// Modifier bits of a hotkey combination, as the settings files store them.
enum HotkeyModifier : int32_t {
    ModAlt = 1,
    ModCtrl = 2,
    ModShift = 4,
    ModWin = 8,
};

// The outcome of a hotkey registration.
enum class Registration {
    Registered,
    Taken,       // another owner holds the combination, in this process or another program
    Unavailable, // this system cannot make it (a key this keyboard lacks, a request refused otherwise)
};

// System-wide hotkeys: a key combination that reaches its owner whichever
// application has the focus. Keys are virtual-key numbers (65 for A, 112 for
// F1), modifiers a mask of HotkeyModifier bits. Everything runs on the GUI thread.
class Hotkeys {
public:
    // Any stable address that identifies the registering object.
    using Owner = const void*;
    using PressHandler = std::function<void()>;

    virtual ~Hotkeys() = default;

    // Makes the combination the owner's, unless it is taken or unavailable.
    // An owner holds one combination: a new registration replaces its old one.
    // onPress runs once for every press delivered, auto-repeats included, from
    // the event loop (never inside this call) and never after unregisterHotkey.
    virtual Registration registerHotkey(Owner owner, int32_t virtualKey, int32_t modifiers, PressHandler onPress) = 0;

    // Releases the owner's combination; nothing happens when it holds none.
    virtual void unregisterHotkey(Owner owner) = 0;
};

} // namespace platform
