#pragma once
// The backend of the operating system the program was built for. Each backend
// (platform/x11 with platform/posix, platform/win32) defines these functions,
// so main.cpp names none of them.
#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

#include "platform/platform.h"

class QLocalSocket;
class QObject;

namespace platform {

class CommandListener;
class SingleInstance;

// Where this user's running instance is found: its single-instance lock and
// the address its command channel listens on.
struct InstanceRendezvous {
    std::unique_ptr<SingleInstance> lock;
    QString commandAddress; // empty when this user has no private place for the channel
};
InstanceRendezvous findInstanceRendezvous();

// Whether the process at the other end of a command connection (the channel's
// native socket descriptor or pipe handle) runs as this user.
bool commandPeerIsThisUser(qintptr descriptor);

// Listens on the command channel's address for the CommandServer `owner`:
// each connection of this user's, while `hasRoom()`, goes to `serve` as a
// connected socket; null after saying why in `error`.
std::unique_ptr<CommandListener> listenForCommands(const QString& address, QObject* owner,
                                                   std::function<bool()> hasRoom,
                                                   std::function<void(QLocalSocket*)> serve, QString* error);

// For a run that prints and ends (help, version, a bad argument, a command
// for the running instance): standard output and error reach the console the
// program was started from. On Windows a program with a window of its own
// starts without one; elsewhere there is nothing to do.
void useParentConsole();

// Before the application object is made: sets up what the backend needs and
// checks that it can run here; false after telling why on stderr.
bool prepareNativeGui();

// The platform services; call after the application object exists. The lock
// comes from findInstanceRendezvous(), since it decides whether this process
// becomes the instance at all.
Platform makeNativePlatform(std::unique_ptr<SingleInstance> singleInstance);

// What the user should know about the desktop session at start-up; empty for nothing.
QString nativeSessionNote();

} // namespace platform
