#pragma once
#include <QAbstractNativeEventFilter>
#include <QObject>
#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/hotkeys.h"

typedef struct _XDisplay Display;
struct _XkbDesc;

namespace platform::x11 {

// Hotkeys as passive key grabs on the root window. A hotkey is grabbed on every
// key that gives its virtual-key number, in each state of Caps Lock, Num Lock
// and Scroll Lock in which that key gives it: keypad Home goes with Home while
// Num Lock is off, keypad 7 is Num 7 only while it is on. The presses come back
// through Qt's native event filter and reach their owner from the event loop.
class X11Hotkeys : public Hotkeys, private QAbstractNativeEventFilter {
public:
    // On the X connection of Qt's xcb platform.
    explicit X11Hotkeys(Display* display);
    ~X11Hotkeys() override;

    Registration registerHotkey(Owner owner, int32_t virtualKey, int32_t modifiers, PressHandler onPress) override;
    void unregisterHotkey(Owner owner) override;

private:
    struct Key {
        xcb_keycode_t keycode;
        uint16_t locks; // the lock-key state grabbed for it
    };
    struct Grab {
        Owner owner;
        int32_t virtualKey;
        uint16_t modifiers;    // X modifier mask without the lock keys
        std::vector<Key> keys; // the grabs the server granted
        PressHandler onPress;
        uint64_t id;           // tells a grab from a later one of the same owner
    };
    struct KeymapDeleter {
        void operator()(_XkbDesc* keymap) const;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    std::vector<uint16_t> lockVariants();
    // The virtual-key number a key gives in a modifier state, by the keymap
    // read at the last registration; 0 when it gives none.
    int32_t virtualKeyAt(xcb_keycode_t keycode, uint16_t state) const;
    void ungrab(const Grab& grab);
    void deliver(uint64_t id);

    Display* display_;
    xcb_connection_t* connection_;
    xcb_window_t root_;
    uint16_t lockMask_ = 0; // every lock-key modifier bit we grabbed around
    uint64_t nextId_ = 1;
    std::vector<Grab> grabs_;
    std::unique_ptr<_XkbDesc, KeymapDeleter> keymap_;
    std::unique_ptr<QObject> deliveries_; // context of the queued deliveries: they go with it
};

} // namespace platform::x11
