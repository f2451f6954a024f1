#include "platform/x11/x11_platform.h"

#include <QGuiApplication>
#include <csignal>
#include <cstdio>

#include "platform/ini_file_profile.h"
#include "platform/ini_settings_store.h"
#include "platform/native_platform.h"
#include "platform/single_instance.h"
#include "platform/system_colors.h"
#include "platform/uinput/uinput_input.h"
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

namespace platform {

void useParentConsole() {}

bool prepareNativeGui()
{
    // The platform services need an X display (under Wayland: XWayland).
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fputs("vorlin: no X display (DISPLAY is not set); Vorlin needs X11 or XWayland.\n", stderr);
        return false;
    }
    if (!x11::canOpenDisplay()) {
        std::fprintf(stderr, "vorlin: cannot open the X display %s.\n", qgetenv("DISPLAY").constData());
        return false;
    }
    // Under a file-size limit a write then fails with a reason the program
    // reports, instead of the signal ending the program with the user's work.
    std::signal(SIGXFSZ, SIG_IGN);
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}

namespace {

bool inWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
}

// Under Wayland: why clicks and moves do not go through the kernel's virtual
// pointer (empty when they do).
std::string uinputFault;

} // namespace

Platform makeNativePlatform(std::unique_ptr<SingleInstance> singleInstance)
{
    Platform p = x11::makeX11Platform(std::move(singleInstance));
    if (inWaylandSession())
        uinputFault = uinput::routeThroughUinput(p.input, x11::rootSize());
    return p;
}

QString nativeSessionNote()
{
    if (!inWaylandSession())
        return {};
    const QString shortcuts = QStringLiteral(" Bind \"vorlin --start\", \"vorlin --stop\" and \"vorlin --lock\" to the "
                                             "desktop's own keyboard shortcuts to use them everywhere.");
    if (uinputFault.empty())
        return QStringLiteral("this is a Wayland session; Vorlin clicks and moves the pointer through a virtual pointer "
                              "of the kernel's (uinput), which every program sees, and runs through XWayland, so its "
                              "hotkeys reach X11 programs only.") + shortcuts;
    return QStringLiteral("this is a Wayland session; Vorlin runs through XWayland, so its clicks and hotkeys reach X11 "
                          "programs only: it %1. To click and move the pointer in every program, give your user write "
                          "access to /dev/uinput: Vorlin's Debian package does so with a udev rule, or see \"Wayland\" "
                          "in Vorlin's README.").arg(QString::fromStdString(uinputFault)) + shortcuts;
}

} // namespace platform
