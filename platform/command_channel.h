#pragma once
// The channel through which `vorlin --start` and the like reach this user's
// running Vorlin: a local socket in the user's private folder, on Windows a
// named pipe. A message is the command line's arguments; the instance answers
// "ok" once it has taken them, or one line saying why not. Only a peer of this
// same user is heard (commandPeerIsThisUser).
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace platform {

class CommandServer : public QObject {
    Q_OBJECT
public:
    // Takes a message's arguments; empty to accept them, else the reason for refusing.
    using Handler = std::function<QString(const QStringList& arguments)>;

    // Listens on the address (InstanceRendezvous::commandAddress); call only while
    // holding the single-instance lock, since a socket left behind by an ended
    // instance is removed first.
    CommandServer(const QString& address, Handler handler, QObject* parent = nullptr);
    bool isListening() const;
    QString errorString() const;

private:
    void acceptConnections();
    void readMessage(QLocalSocket& peer);

    QLocalServer* server_;
    Handler handler_;
};

enum class SendResult {
    Accepted,
    Refused,      // the instance answered with a reason, in `reason`
    NotListening, // nothing listens (yet) on the socket
    NoAnswer,     // it listened but did not answer in time, or hung up
};

// Sends the arguments to the running instance and waits for its answer.
SendResult sendCommandLine(const QString& address, const QStringList& arguments, int timeoutMs,
                           QString* reason = nullptr);

} // namespace platform
