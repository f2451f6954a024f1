#include "platform/command_channel.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

#include "platform/native_platform.h"

namespace platform {
namespace {

// A message: its size as 4 bytes, big-endian, then each argument in UTF-8 ended by a NUL byte.
constexpr quint32 MaxMessageBytes = 16 * 1024;
// A peer that sends no whole message in this time is dropped, so it holds nothing open.
constexpr int PeerTimeoutMs = 5000;

QByteArray encode(const QStringList& arguments)
{
    QByteArray payload;
    for (const QString& a : arguments)
        payload += a.toUtf8() + '\0';
    QByteArray message(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), message.data());
    return message + payload;
}

void drop(QLocalSocket& peer)
{
    peer.abort();
    peer.deleteLater();
}

} // namespace

CommandServer::CommandServer(const QString& address, Handler handler, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), handler_(std::move(handler))
{
    if (address.isEmpty())
        return;
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(address);
    if (server_->listen(address))
        connect(server_, &QLocalServer::newConnection, this, &CommandServer::acceptConnections);
}

bool CommandServer::isListening() const { return server_->isListening(); }

QString CommandServer::errorString() const { return server_->errorString(); }

void CommandServer::acceptConnections()
{
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        if (!commandPeerIsThisUser(peer->socketDescriptor())) {
            drop(*peer);
            continue;
        }
        QTimer::singleShot(PeerTimeoutMs, peer, [peer] { drop(*peer); });
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] { readMessage(*peer); });
        readMessage(*peer);
    }
}

void CommandServer::readMessage(QLocalSocket& peer)
{
    if (peer.state() != QLocalSocket::ConnectedState || peer.bytesAvailable() < 4)
        return;
    const quint32 size = qFromBigEndian<quint32>(peer.peek(4).constData());
    if (size > MaxMessageBytes) {
        drop(peer);
        return;
    }
    if (peer.bytesAvailable() < 4 + qint64(size))
        return; // the rest is on its way
    peer.read(4);
    const QByteArray payload = peer.read(size);
    if (!payload.isEmpty() && !payload.endsWith('\0')) {
        drop(peer);
        return;
    }
    QStringList arguments;
    if (!payload.isEmpty())
        for (const QByteArray& a : payload.chopped(1).split('\0'))
            arguments << QString::fromUtf8(a);
    QString reason = handler_(arguments);
    reason.replace(u'\n', u' ');
    peer.write(reason.isEmpty() ? QByteArray("ok\n") : "refused: " + reason.toUtf8() + '\n');
    peer.disconnectFromServer(); // after the answer is written
}

SendResult sendCommandLine(const QString& address, const QStringList& arguments, int timeoutMs, QString* reason)
{
    QLocalSocket socket;
    socket.connectToServer(address);
    if (!socket.waitForConnected(timeoutMs))
        return SendResult::NotListening;
    QElapsedTimer clock;
    clock.start();
    socket.write(encode(arguments));
    while (!socket.canReadLine()) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0 || !socket.waitForReadyRead(left))
            return SendResult::NoAnswer;
    }
    const QString answer = QString::fromUtf8(socket.readLine()).trimmed();
    if (answer == QStringLiteral("ok"))
        return SendResult::Accepted;
    if (reason)
        *reason = answer;
    return SendResult::Refused;
}

} // namespace platform
