// Vorlin: clicks the left mouse button at the cursor every interval the user types.
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "app/form1.h"
#include "platform/uinput/uinput_input.h"
#include "platform/x11/command_channel.h"
#include "platform/x11/private_folder.h"
#include "platform/x11/single_instance_lock.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_platform.h"
#include "runtime/message_box.h"
#include "runtime/property_bag.h"

namespace {

using platform::x11::SendResult;

// The running instance may be starting still: a socket nobody listens on yet is tried again for a while.
int sendToRunningInstance(int argc, char** argv, const QString& folder, const QStringList& arguments)
{
    QCoreApplication app(argc, argv);
    QElapsedTimer clock;
    clock.start();
    QString reason;
    SendResult result;
    while ((result = platform::x11::sendCommandLine(folder, arguments, 5000, &reason)) == SendResult::NotListening &&
           clock.elapsed() < 10000)
        QThread::msleep(50);
    if (result == SendResult::Accepted)
        return 0;
    if (result == SendResult::Refused)
        std::fprintf(stderr, "vorlin: the running Vorlin %s\n", reason.toLocal8Bit().constData());
    else
        std::fputs("vorlin: the running Vorlin did not take the command\n", stderr);
    return 1;
}

bool inWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
}

// Said once at start under Wayland: where the clicks go (`uinputFault` says why
// not through the kernel's virtual pointer, empty when they do), what the
// hotkeys reach and what works everywhere.
std::string waylandNotice(const std::string& uinputFault)
{
    const std::string shortcuts = " Bind \"vorlin --start\", \"vorlin --stop\" and \"vorlin --lock\" to the desktop's own "
                                  "keyboard shortcuts to use them everywhere.\n";
    if (uinputFault.empty())
        return "vorlin: this is a Wayland session; Vorlin clicks and moves the pointer through a virtual pointer of the "
               "kernel's (uinput), which every program sees, and runs through XWayland, so its hotkeys reach X11 "
               "programs only." + shortcuts;
    return "vorlin: this is a Wayland session; Vorlin runs through XWayland, so its clicks and hotkeys reach X11 "
           "programs only: it " + uinputFault + ". To click and move the pointer in every program, give your user "
           "write access to /dev/uinput: Vorlin's Debian package does so with a udev rule, or see \"Wayland\" in "
           "Vorlin's README." + shortcuts;
}

// Takes the commands of later `vorlin --start` and the like: answered at once,
// run afterwards, so a message box that a command opens does not hold the sender.
QString takeCommands(const QStringList& arguments, const QPointer<Form1>& window)
{
    const CommandLine commands = parseCommandLine(arguments);
    if (commands.kind == CommandLine::Kind::Error)
        return commands.error;
    if (commands.kind != CommandLine::Kind::Run || !commands.hasCommands())
        return QStringLiteral("takes commands only");
    if (!window)
        return QStringLiteral("is closing");
    QTimer::singleShot(0, window, [window, commands] {
        if (window)
            runCommands(commands, *window);
    });
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commands = parseCommandLine(arguments);
    switch (commands.kind) {
    case CommandLine::Kind::Help: std::fputs(commandLineHelp().toLocal8Bit().constData(), stdout); return 0;
    case CommandLine::Kind::Version: std::puts("vorlin " VORLIN_VERSION); return 0;
    case CommandLine::Kind::Error: std::fprintf(stderr, "%s\n", commands.error.toLocal8Bit().constData()); return 2;
    case CommandLine::Kind::Run: break;
    }

    // Whoever holds the lock is the instance; commands go to it when it is not us.
    const QString folder = platform::x11::privateRuntimeFolder();
    auto lock = std::make_unique<platform::x11::SingleInstanceLock>(folder);
    if (commands.hasCommands() && lock->anotherInstanceRunning())
        return sendToRunningInstance(argc, argv, folder, arguments);
    if (commands.quits())
        return 0; // nothing runs that could be closed

    // The platform services need an X display (under Wayland: XWayland).
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fputs("vorlin: no X display (DISPLAY is not set); Vorlin needs X11 or XWayland.\n", stderr);
        return 1;
    }
    if (!platform::x11::canOpenDisplay()) {
        std::fprintf(stderr, "vorlin: cannot open the X display %s.\n", qgetenv("DISPLAY").constData());
        return 1;
    }
    // Under a file-size limit a write then fails with a reason the program
    // reports, instead of the signal ending the program with the user's work.
    std::signal(SIGXFSZ, SIG_IGN);
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QFont font = app.font();
    rt::addFontFallbacks(font);
    app.setFont(font);

    platform::Platform platform = platform::x11::makeX11Platform(std::move(lock));
    rt::QtMessageBoxService messageBox;
    rt::Services services{platform, messageBox};

    auto* form1 = new Form1(services);
    form1->Show(); // a second instance ends here, after its message

    if (inWaylandSession())
        std::fputs(waylandNotice(platform::uinput::routeThroughUinput(platform.input, platform::x11::rootSize())).c_str(),
                   stderr);
    const QPointer<Form1> window = form1;
    platform::x11::CommandServer server(folder, [window](const QStringList& received) { return takeCommands(received, window); });
    if (folder.isEmpty())
        std::fputs("vorlin: found no folder of this user's own for the lock and the command socket: a second Vorlin "
                   "is not refused and commands cannot reach this one.\n",
                   stderr);
    else if (!server.isListening())
        std::fprintf(stderr, "vorlin: commands cannot reach this Vorlin: %s\n",
                     server.errorString().toLocal8Bit().constData());
    if (commands.hasCommands())
        QTimer::singleShot(0, form1, [window, commands] {
            if (window)
                runCommands(commands, *window);
        });
    const int rc = app.exec();
    return rc;
}
