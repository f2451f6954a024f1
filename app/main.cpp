// Vorlin: clicks the left mouse button at the cursor every interval the user types.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include "app/command_line.h"
#include "app/form1.h"
#include "platform/command_channel.h"
#include "platform/native_platform.h"
#include "platform/single_instance.h"
#include "runtime/message_box.h"
#include "runtime/property_bag.h"

namespace {

using platform::SendResult;

constexpr int StandardOutput = 1, StandardError = 2;

// Writes through the descriptor rather than C's stream: on Windows the console
// that useParentConsole() finds after start reaches the descriptors only.
void print(int descriptor, const QString& text)
{
    QFile stream;
    if (stream.open(descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered))
        stream.write(text.toLocal8Bit());
}

// The running instance may be starting still, or busy with a flood of
// connections: a socket nobody listens on yet, or one that hung up unanswered,
// is tried again for a while.
int sendToRunningInstance(int argc, char** argv, const QString& address, const QStringList& arguments)
{
    QCoreApplication app(argc, argv);
    QElapsedTimer clock;
    clock.start();
    QString reason;
    SendResult result;
    while (((result = platform::sendCommandLine(address, arguments, 5000, &reason)) == SendResult::NotListening ||
            result == SendResult::TurnedAway) &&
           clock.elapsed() < 10000)
        QThread::msleep(50);
    if (result == SendResult::Accepted)
        return 0;
    if (result == SendResult::Refused)
        print(StandardError, QStringLiteral("vorlin: the running Vorlin %1\n").arg(reason));
    else
        print(StandardError, QStringLiteral("vorlin: the running Vorlin did not take the command\n"));
    return 1;
}

// Runs the commands on the window from the event loop, if it is still there.
void runLater(const QPointer<Form1>& window, const CommandLine& commands)
{
    QTimer::singleShot(0, window, [window, commands] {
        if (window)
            runCommands(commands, *window);
    });
}

// Takes the commands of later `vorlin --start` and the like: answered at once,
// run afterwards, so a message box that a command opens does not hold the sender.
platform::CommandServer::Answer takeCommands(const QStringList& arguments, const QPointer<Form1>& window)
{
    const CommandLine commands = parseCommandLine(arguments);
    if (commands.kind == CommandLine::Kind::Error)
        return {commands.error, {}};
    if (commands.kind != CommandLine::Kind::Run || !commands.hasCommands())
        return {QStringLiteral("takes commands only"), {}};
    if (!window)
        return {QStringLiteral("is closing"), {}};
    return {{}, [window, commands] { runLater(window, commands); }};
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine commands = parseCommandLine(arguments);
    if (commands.kind != CommandLine::Kind::Run)
        platform::useParentConsole();
    switch (commands.kind) {
    case CommandLine::Kind::Help: print(StandardOutput, commandLineHelp()); return 0;
    case CommandLine::Kind::Version: print(StandardOutput, QStringLiteral("vorlin " VORLIN_VERSION "\n")); return 0;
    case CommandLine::Kind::Error: print(StandardError, commands.error + u'\n'); return 2;
    case CommandLine::Kind::Run: break;
    }

    // Whoever holds the lock is the instance; commands go to it when it is not us.
    // It is taken first thing, so a command sent while this one is still
    // starting waits for it instead of finding no one.
    platform::InstanceRendezvous instance = platform::findInstanceRendezvous();
    const QString address = instance.commandAddress;
    const bool anotherRuns = instance.lock->anotherInstanceRunning();
    if (commands.hasCommands() && anotherRuns) {
        platform::useParentConsole();
        return sendToRunningInstance(argc, argv, address, arguments);
    }
    if (commands.quits())
        return 0; // nothing runs that could be closed

    if (!platform::prepareNativeGui())
        return 1;
    QApplication app(argc, argv);
    QFont font = app.font();
    rt::addFontFallbacks(font);
    app.setFont(font);

    platform::Platform platform = platform::makeNativePlatform(std::move(instance.lock));
    rt::QtMessageBoxService messageBox;
    rt::Services services{platform, messageBox};

    auto* form1 = new Form1(services);
    form1->Show(); // a second instance ends here, after its message

    if (const QString note = platform::nativeSessionNote(); !note.isEmpty())
        print(StandardError, QStringLiteral("vorlin: %1\n").arg(note));
    const QPointer<Form1> window = form1;
    // Commands are heard once the window is up, so none runs on a window still loading.
    platform::CommandServer server(address, [window](const QStringList& received) { return takeCommands(received, window); });
    if (address.isEmpty())
        print(StandardError, QStringLiteral("vorlin: found no folder of this user's own for the lock and the command "
                                            "socket: a second Vorlin is not refused and commands cannot reach this one.\n"));
    else if (!server.isListening())
        print(StandardError, QStringLiteral("vorlin: commands cannot reach this Vorlin: %1\n").arg(server.errorString()));
    if (commands.hasCommands())
        runLater(window, commands);
    const int rc = app.exec();
    return rc;
}
