#pragma once
#include <QAbstractNativeEventFilter>
#include <QObject>
#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/hotkeys.h"

typedef struct _XDisplay Display;

namespace platform::x11 {

// Hotkeys as passive key grabs on the root window. Each combination is grabbed
// once for every state of Caps Lock, Num Lock and Scroll Lock, so it works
// whatever the lock keys; the presses come back through Qt's native event
// filter and reach their owner from the event loop.
class X11Hotkeys : public Hotkeys, private QAbstractNativeEventFilter {
public:
    // On the X connection of Qt's xcb platform.
    explicit X11Hotkeys(Display* display);
    ~X11Hotkeys() override;

    Registration registerHotkey(Owner owner, int32_t virtualKey, int32_t modifiers, PressHandler onPress) override;
    void unregisterHotkey(Owner owner) override;

private:
    struct Grab {
        Owner owner;
        xcb_keycode_t keycode;
        uint16_t modifiers;             // X modifier mask without the lock keys
        std::vector<uint16_t> variants; // the lock-key states grabbed with it
        PressHandler onPress;
        uint64_t id;                    // tells a grab from a later one of the same owner
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    std::vector<uint16_t> lockVariants();
    void ungrab(const Grab& grab);
    void deliver(uint64_t id);

    Display* display_;
    xcb_connection_t* connection_;
    xcb_window_t root_;
    uint16_t lockMask_ = 0; // every lock-key modifier bit we grabbed around
    uint64_t nextId_ = 1;
    std::vector<Grab> grabs_;
    std::unique_ptr<QObject> deliveries_; // context of the queued deliveries: they go with it
};

} // namespace platform::x11
