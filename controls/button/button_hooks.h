#pragma once
// The window notifications the button watches, under the message numbers the
// program keeps for them, and the list of windows it watches.
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <vector>

namespace glint {

enum HookMessage : uint32_t {
    MsgActivate = 0x6,         // the window was activated or deactivated
    MsgSysColorChange = 0x15,  // the system colours changed
    MsgNcActivate = 0x86,      // the window's frame was activated or deactivated
    MsgMouseLeave = 0x2A3,     // the pointer left the window (one report per request)
    MsgThemeChanged = 0x31A,   // the visual style changed
};
// The low word of an activation's wParam when the window went inactive.
constexpr intptr_t WaInactive = 0;
constexpr intptr_t WaActive = 1;

// One watched window and the messages registered for it. A freed entry has no
// window (a destroyed window frees its entry by itself) and is reused.
struct HookEntry {
    QPointer<QObject> window;
    std::vector<uint32_t> after;
};

// The event filter the button installs on the windows it watches: it hands
// every event on and never stops one, so the window's own handling always runs.
class HookFilter : public QObject {
public:
    explicit HookFilter(std::function<void(QObject*, QEvent*)> onEvent) : onEvent_(std::move(onEvent)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        onEvent_(watched, event);
        return false;
    }

private:
    std::function<void(QObject*, QEvent*)> onEvent_;
};

} // namespace glint
