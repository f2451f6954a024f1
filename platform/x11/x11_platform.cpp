#include "platform/x11/x11_platform.h"

#include <QGuiApplication>

#include "platform/ini_file_profile.h"
#include "platform/ini_settings_store.h"
#include "platform/single_instance.h"
#include "platform/system_colors.h"
#include "platform/x11/pointer_poll_ticker.h"
#include "platform/x11/timerfd_ticker.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_hotkeys.h"
#include "platform/x11/x11_input.h"
#include "platform/x11/x11_keysyms.h"
#include "platform/x11/x11_shell.h"
#include "platform/x11/x11_window_order.h"

namespace platform::x11 {

bool canOpenDisplay()
{
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return false;
    XCloseDisplay(d);
    return true;
}

Platform makeX11Platform(std::unique_ptr<SingleInstance> singleInstance)
{
    Display* display = qtDisplay();
    Platform p;
    auto input = std::make_unique<X11Input>(display);
    X11Input& inputRef = *input;
    p.input = std::move(input);
    p.makePointerPollTicker = [&inputRef] { return std::unique_ptr<Ticker>(std::make_unique<PointerPollTicker>(inputRef)); };
    p.windowOrder = std::make_unique<X11WindowOrder>(display);
    p.singleInstance = std::move(singleInstance);
    p.makeTicker = [] { return std::unique_ptr<Ticker>(std::make_unique<TimerFdTicker>()); };
    p.systemColors = std::make_unique<ClassicSystemColors>();
    p.shell = std::make_unique<X11Shell>();
    p.hotkeys = std::make_unique<X11Hotkeys>(display);
    p.keyNames = std::make_unique<X11KeyNames>();
    p.ini = std::make_unique<IniFileProfile>();
    p.settings = std::make_unique<IniSettingsStore>(IniSettingsStore::defaultFolder());
    return p;
}

} // namespace platform::x11
