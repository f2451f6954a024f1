#include "platform/command_channel.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

#include "platform/native_platform.h"

namespace platform {
namespace {

// A message: its size as 4 bytes, big-endian, then each argument in UTF-8 ended by a NUL byte.
constexpr quint32 MaxMessageBytes = 16 * 1024;
// A peer that has not sent its message and confirmation in this time is
// dropped, so it holds nothing open.
constexpr int PeerTimeoutMs = 5000;
const QByteArray Taken = "ok\n";
const QByteArray Confirmed = "run\n";

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
    : QObject(parent), handler_(std::move(handler))
{
    if (address.isEmpty())
        return;
    listener_ = listenForCommands(
        address, this, [this] { return peers_ < MaxPeers; }, [this](QLocalSocket* peer) { serve(peer); }, &error_);
}

CommandServer::~CommandServer() = default;

void CommandServer::serve(QLocalSocket* peer)
{
    peer->setParent(this);
    ++peers_;
    connect(peer, &QObject::destroyed, this, [this, peer] {
        --peers_;
        unconfirmed_.erase(peer);
    });
    connect(peer, &QLocalSocket::readyRead, this, [this, peer] { readFrom(*peer); });
    connect(peer, &QLocalSocket::disconnected, this, [this, peer] {
        readFrom(*peer); // a confirmation may come with the hang-up
        peer->deleteLater();
    });
    QTimer::singleShot(PeerTimeoutMs, peer, [this, peer] {
        readFrom(*peer);
        drop(*peer);
    });
    readFrom(*peer);
}

void CommandServer::readFrom(QLocalSocket& peer)
{
    if (const auto waiting = unconfirmed_.find(&peer); waiting != unconfirmed_.end()) {
        if (peer.bytesAvailable() >= Confirmed.size()) {
            const std::function<void()> run = std::move(waiting->second);
            unconfirmed_.erase(waiting);
            if (peer.read(Confirmed.size()) == Confirmed)
                run();
            drop(peer);
        }
        return;
    }
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
    Answer answer = handler_(arguments);
    if (answer.refusal.isEmpty()) {
        unconfirmed_[&peer] = std::move(answer.run);
        peer.write(Taken);
        readFrom(peer); // the confirmation may be here already
        return;
    }
    answer.refusal.replace(u'\n', u' ');
    peer.write("refused: " + answer.refusal.toUtf8() + '\n');
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
    // What reached the socket, counted as it goes: a pipe may report itself
    // closed by the time the last write is done, when the instance hangs up
    // at once on reading the confirmation.
    qint64 sent = 0;
    QObject::connect(&socket, &QLocalSocket::bytesWritten, [&sent](qint64 n) { sent += n; });
    const QByteArray message = encode(arguments);
    socket.write(message);
    while (!socket.canReadLine()) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0)
            return SendResult::NoAnswer; // closing unconfirmed: the commands do not run
        if (!socket.waitForReadyRead(left))
            return socket.state() == QLocalSocket::ConnectedState ? SendResult::NoAnswer : SendResult::TurnedAway;
    }
    const QByteArray answer = socket.readLine();
    if (answer == Taken) {
        // Once the confirmation is with the instance, the commands are its to run.
        socket.write(Confirmed);
        while (sent < message.size() + Confirmed.size() && socket.waitForBytesWritten(timeoutMs)) {
        }
        return sent == message.size() + Confirmed.size() ? SendResult::Accepted : SendResult::NoAnswer;
    }
    if (reason)
        *reason = QString::fromUtf8(answer).trimmed();
    return SendResult::Refused;
}

} // namespace platform
