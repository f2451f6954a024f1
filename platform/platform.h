#pragma once
// The operating-system services the program relies on, gathered in one object.
// main.cpp builds it once (X11 backend) and hands it down; tests hand down the
// fake backend instead. No window-system type appears in these interfaces.
#include <functional>
#include <memory>

namespace platform {

class Input;
class WindowOrder;
class SingleInstance;
class Ticker;
class Hotkeys;
class KeyNames;
class IniProfile;
class SettingsStore;
class Shell;
class SystemColors;

struct Platform {
    Platform();
    Platform(Platform&&) noexcept;
    Platform& operator=(Platform&&) noexcept;
    ~Platform();

    std::unique_ptr<Input> input;                   // synthetic clicks, cursor position
    std::unique_ptr<WindowOrder> windowOrder;       // always-on-top
    std::unique_ptr<SingleInstance> singleInstance; // one running copy per user
    std::function<std::unique_ptr<Ticker>()> makeTicker; // deadline-driven periodic ticks
    // Ticks for polling input->cursorPosRecent(), slowed while the pointer rests; may be empty.
    std::function<std::unique_ptr<Ticker>()> makePointerPollTicker;
    std::unique_ptr<Hotkeys> hotkeys;               // system-wide hotkeys
    std::unique_ptr<KeyNames> keyNames;             // names of virtual keys
    std::unique_ptr<IniProfile> ini;                // INI profile files
    std::unique_ptr<SettingsStore> settings;        // per-user settings store
    std::unique_ptr<Shell> shell;                   // opening web and mail addresses
    std::unique_ptr<SystemColors> systemColors;     // the system colour table
};

} // namespace platform
