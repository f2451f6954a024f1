#include "platform/x11/x11_hotkeys.h"

// Qt before X11: Xlib's macros (None, Status, ...) clash with Qt's names.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>

#include "platform/x11/x11_keysyms.h"

namespace platform::x11 {

namespace {

// The X modifier mask of a mask of HotkeyModifier bits, or -1 for a bit X has no modifier for.
int xModifiers(int32_t modifiers)
{
    if (modifiers & ~(ModAlt | ModCtrl | ModShift | ModWin))
        return -1;
    int x = 0;
    if (modifiers & ModAlt)
        x |= Mod1Mask;
    if (modifiers & ModCtrl)
        x |= ControlMask;
    if (modifiers & ModShift)
        x |= ShiftMask;
    if (modifiers & ModWin)
        x |= Mod4Mask;
    return x;
}

// The modifier bit that a keysym is bound to in the live modifier map, or 0.
uint16_t modifierBitOf(Display* display, KeySym keysym)
{
    const KeyCode code = XKeysymToKeycode(display, keysym);
    XModifierKeymap* map = XGetModifierMapping(display);
    if (!map)
        return 0;
    uint16_t bit = 0;
    for (int mod = 0; mod < 8 && !bit && code; ++mod)
        for (int k = 0; k < map->max_keypermod; ++k)
            if (map->modifiermap[mod * map->max_keypermod + k] == code)
                bit = static_cast<uint16_t>(1u << mod);
    XFreeModifiermap(map);
    return bit;
}

} // namespace

X11Hotkeys::X11Hotkeys(Display* display)
    : display_(display), connection_(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection()), root_(static_cast<xcb_window_t>(DefaultRootWindow(display))),
      deliveries_(std::make_unique<QObject>())
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11Hotkeys::~X11Hotkeys()
{
    // Without the application the connection is gone, and the server drops
    // the grabs with it.
    if (!QCoreApplication::instance())
        return;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    for (const Grab& g : grabs_)
        ungrab(g);
    xcb_flush(connection_);
}

std::vector<uint16_t> X11Hotkeys::lockVariants()
{
    // Num Lock and Scroll Lock are ordinary modifiers whose bits depend on the
    // keyboard map, so read them from the live map each time.
    const uint16_t locks[] = {
        static_cast<uint16_t>(LockMask),
        modifierBitOf(display_, XK_Num_Lock),
        modifierBitOf(display_, XK_Scroll_Lock),
    };
    std::vector<uint16_t> variants{0};
    for (uint16_t lock : locks) {
        if (!lock || std::find(variants.begin(), variants.end(), lock) != variants.end())
            continue;
        const size_t n = variants.size();
        for (size_t i = 0; i < n; ++i)
            variants.push_back(static_cast<uint16_t>(variants[i] | lock));
    }
    return variants;
}

void X11Hotkeys::KeymapDeleter::operator()(_XkbDesc* keymap) const { XkbFreeKeyboard(keymap, 0, True); }

int32_t X11Hotkeys::virtualKeyAt(xcb_keycode_t keycode, uint16_t state) const
{
    KeySym keysym = NoSymbol;
    unsigned int consumed = 0;
    if (!keymap_ || !XkbTranslateKeyCode(keymap_.get(), keycode, state, &consumed, &keysym))
        return 0;
    return virtualKeyOfKeysym(keysym);
}

Registration X11Hotkeys::registerHotkey(Owner owner, int32_t virtualKey, int32_t modifiers, PressHandler onPress)
{
    unregisterHotkey(owner);
    const int mods = xModifiers(modifiers);
    if (mods < 0 || virtualKey <= 0)
        return Registration::Unavailable;
    // The server would let this client grab its own combination again, so a
    // combination held by another owner here is refused here.
    for (const Grab& g : grabs_)
        if (g.virtualKey == virtualKey && g.modifiers == mods)
            return Registration::Taken;

    // Read afresh: the keyboard map may have changed since the last registration.
    keymap_.reset(XkbGetMap(display_, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd));
    if (!keymap_)
        return Registration::Unavailable;
    const std::vector<uint16_t> variants = lockVariants();
    std::vector<Key> wanted;
    for (uint16_t locks : variants)
        for (int keycode = keymap_->min_key_code; keycode <= keymap_->max_key_code; ++keycode)
            if (virtualKeyAt(static_cast<xcb_keycode_t>(keycode), static_cast<uint16_t>(mods | locks)) == virtualKey)
                wanted.push_back({static_cast<xcb_keycode_t>(keycode), locks});
    if (wanted.empty())
        return Registration::Unavailable;

    Grab grab{owner, virtualKey, static_cast<uint16_t>(mods), {}, std::move(onPress), nextId_++};
    std::vector<xcb_void_cookie_t> cookies;
    for (const Key& k : wanted)
        cookies.push_back(xcb_grab_key_checked(connection_, 0, root_, static_cast<uint16_t>(mods | k.locks), k.keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    // Each check waits for the server's answer to its request: a grab held by
    // another client comes back as BadAccess; any other error is no conflict.
    bool refused = false;
    bool taken = false;
    for (size_t i = 0; i < cookies.size(); ++i) {
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookies[i])) {
            refused = true;
            taken = taken || error->error_code == XCB_ACCESS;
            std::free(error);
        } else {
            grab.keys.push_back(wanted[i]);
        }
    }
    if (refused) {
        ungrab(grab); // only the keys that were granted
        xcb_flush(connection_);
        return taken ? Registration::Taken : Registration::Unavailable;
    }
    for (uint16_t locks : variants)
        lockMask_ |= locks;
    grabs_.push_back(std::move(grab));
    return Registration::Registered;
}

void X11Hotkeys::ungrab(const Grab& grab)
{
    for (const Key& k : grab.keys)
        xcb_ungrab_key(connection_, k.keycode, root_, static_cast<uint16_t>(grab.modifiers | k.locks));
}

void X11Hotkeys::unregisterHotkey(Owner owner)
{
    auto it = std::find_if(grabs_.begin(), grabs_.end(), [owner](const Grab& g) { return g.owner == owner; });
    if (it == grabs_.end())
        return;
    ungrab(*it);
    xcb_flush(connection_);
    grabs_.erase(it);
}

bool X11Hotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
    if (press->event != root_)
        return false;
    // The key's number depends on Num Lock (keypad 7 or Home), so it is read
    // with the lock keys; the hotkey's modifiers are those without them.
    // Pointer buttons and the keyboard group play no part.
    const uint16_t state = static_cast<uint16_t>(press->state & 0xff);
    const int32_t virtualKey = virtualKeyAt(press->detail, state);
    const uint16_t modifiers = static_cast<uint16_t>(state & ~lockMask_);
    for (const Grab& g : grabs_) {
        if (virtualKey && g.virtualKey == virtualKey && g.modifiers == modifiers) {
            // Delivered from the event loop, not from inside Qt's event
            // handling, since the owner may open a modal dialog.
            QMetaObject::invokeMethod(deliveries_.get(), [this, id = g.id] { deliver(id); }, Qt::QueuedConnection);
            return true;
        }
    }
    return false;
}

void X11Hotkeys::deliver(uint64_t id)
{
    auto it = std::find_if(grabs_.begin(), grabs_.end(), [id](const Grab& g) { return g.id == id; });
    if (it == grabs_.end())
        return; // unregistered since the press
    const PressHandler handler = it->onPress; // the handler may unregister its grab
    if (handler)
        handler();
}

} // namespace platform::x11
