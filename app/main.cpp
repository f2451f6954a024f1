// Vorlin: clicks the left mouse button at the cursor every interval the user types.
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <cstdio>

#include "app/command_line.h"
#include "app/form1.h"
#include "platform/x11/command_channel.h"
#include "platform/x11/private_folder.h"
#include "platform/x11/single_instance_lock.h"
#include "platform/x11/x11_platform.h"
#include "runtime/message_box.h"
#include "runtime/property_bag.h"

namespace {

using platform::x11::SendResult;

// The running instance may be starting still, or busy with a flood of
// connections: a socket nobody listens on yet, or one that hung up unanswered,
// is tried again for a while.
int sendToRunningInstance(int argc, char** argv, const QString& socketPath, const QStringList& arguments)
{
    QCoreApplication app(argc, argv);
    QElapsedTimer clock;
    clock.start();
    QString reason;
    SendResult result;
    while (((result = platform::x11::sendCommandLine(socketPath, arguments, 5000, &reason)) == SendResult::NotListening ||
            result == SendResult::TurnedAway) &&
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

// Takes the commands of later `vorlin --start` and the like: answered at once,
// run afterwards, so a message box that a command opens does not hold the sender.
platform::x11::CommandServer::Answer takeCommands(const QStringList& arguments, const QPointer<Form1>& window)
{
    const CommandLine commands = parseCommandLine(arguments);
    if (commands.kind == CommandLine::Kind::Error)
        return {commands.error, {}};
    if (commands.kind != CommandLine::Kind::Run || !commands.hasCommands())
        return {QStringLiteral("takes commands only"), {}};
    if (!window)
        return {QStringLiteral("is closing"), {}};
    return {{}, [window, commands] {
                QTimer::singleShot(0, window, [window, commands] {
                    if (window)
                        runCommands(commands, *window);
                });
            }};
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
    // It is taken first thing, so a command sent while this one is still
    // starting waits for it instead of finding no one.
    const QString folder = platform::x11::privateRuntimeFolder();
    const platform::x11::InstanceFiles files =
        folder.isEmpty() ? platform::x11::InstanceFiles{} : platform::x11::instanceFiles(folder, qEnvironmentVariable("DISPLAY"));
    auto lock = std::make_unique<platform::x11::SingleInstanceLock>(files.lock);
    const bool anotherRuns = lock->anotherInstanceRunning();
    if (commands.hasCommands() && anotherRuns)
        return sendToRunningInstance(argc, argv, files.socket, arguments);
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
        std::fputs("vorlin: this is a Wayland session; Vorlin runs through XWayland, so its clicks and hotkeys "
                   "reach X11 programs only. Bind \"vorlin --start\", \"vorlin --stop\" and \"vorlin --lock\" to "
                   "the desktop's own keyboard shortcuts to use them everywhere.\n",
                   stderr);
    const QPointer<Form1> window = form1;
    // Commands are heard once the window is up, so none runs on a window still loading.
    platform::x11::CommandServer server(files.socket,
                                        [window](const QStringList& received) { return takeCommands(received, window); });
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
