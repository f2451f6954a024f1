#pragma once
#include <cstdint>
#include <vector>

#include "platform/hotkeys.h"

namespace platform::win32 {

// Hotkeys through RegisterHotKey, one hidden message-only window per owner with
// the hotkey identifier 1, as each hotkey control owns its own window. The
// system posts WM_HOTKEY to that window; the event loop dispatches it to the
// window's procedure, which runs the owner's handler. The modifier bits go to
// RegisterHotKey unchanged (they are the system's own), with no flag added, so
// auto-repeats arrive as presses too.
class Win32Hotkeys : public Hotkeys {
public:
    Win32Hotkeys();
    ~Win32Hotkeys() override;

    Registration registerHotkey(Owner owner, int32_t virtualKey, int32_t modifiers, PressHandler onPress) override;
    void unregisterHotkey(Owner owner) override;

private:
    struct Registered {
        Owner owner;
        void* window; // HWND
        PressHandler onPress;
    };

    struct Router; // the message windows' procedure
    void pressed(void* window);
    void release(const Registered& r);

    std::vector<Registered> registered_;
};

} // namespace platform::win32
