// The command channel's listener on Windows: a named pipe through QLocalServer,
// open to this user only.
#include <QLocalServer>
#include <QLocalSocket>

#include "platform/command_channel.h"
#include "platform/native_platform.h"

namespace platform {
namespace {

class PipeListener : public CommandListener {
public:
    explicit PipeListener(QObject* owner) : server_(new QLocalServer(owner)) {}
    ~PipeListener() override { delete server_; }
    QLocalServer* server_;
};

} // namespace

std::unique_ptr<CommandListener> listenForCommands(const QString& address, QObject* owner,
                                                   std::function<bool()> hasRoom,
                                                   std::function<void(QLocalSocket*)> serve, QString* error)
{
    auto listener = std::make_unique<PipeListener>(owner);
    QLocalServer* server = listener->server_;
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(address)) {
        *error = server->errorString();
        return nullptr;
    }
    QObject::connect(server, &QLocalServer::newConnection, server, [server, hasRoom, serve] {
        while (QLocalSocket* peer = server->nextPendingConnection()) {
            if (!hasRoom() || !commandPeerIsThisUser(peer->socketDescriptor())) {
                peer->abort();
                peer->deleteLater();
                continue;
            }
            serve(peer);
        }
    });
    return listener;
}

} // namespace platform
