#include "platform/x11/command_channel.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QTimer>
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform::x11 {
namespace {

// A message: its size as 4 bytes, big-endian, then each argument in UTF-8 ended by a NUL byte.
constexpr quint32 MaxMessageBytes = 16 * 1024;
// A peer that has not sent its message and confirmation in this time is
// dropped, so it holds nothing open.
constexpr int PeerTimeoutMs = 5000;
// When a connection cannot be taken even with the spare descriptor's room, the
// waiting ones stay queued and are tried again after this pause; the socket
// stays open all the while.
constexpr int AcceptPauseMs = 200;

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

// The kernel's word on who is at the other end, taken when it connected.
bool peerIsThisUser(int descriptor)
{
    struct ucred cred{};
    socklen_t size = sizeof cred;
    return ::getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &cred, &size) == 0 && size == sizeof cred &&
           cred.uid == ::geteuid();
}

void drop(QLocalSocket& peer)
{
    peer.abort();
    peer.deleteLater();
}

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

} // namespace

CommandServer::CommandServer(const QString& socketPath, Handler handler, QObject* parent)
    : QObject(parent), path_(socketPath), handler_(std::move(handler))
{
    if (socketPath.isEmpty())
        return;
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address.sun_path) {
        error_ = QStringLiteral("the socket's path is too long: ") + socketPath;
        return;
    }
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    ::unlink(path.constData());
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(path.constData(), 0600) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        error_ = systemError();
        if (fd >= 0)
            ::close(fd);
        return;
    }
    fd_ = fd;
    spare_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &CommandServer::acceptConnections);
}

CommandServer::~CommandServer()
{
    if (fd_ < 0)
        return;
    delete notifier_;
    ::close(fd_);
    if (spare_ >= 0)
        ::close(spare_);
    ::unlink(QFile::encodeName(path_).constData());
}

void CommandServer::acceptConnections()
{
    while (true) {
        const int fd = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            // Beyond the cap the newest is closed unheard; the held ones time out.
            if (peers_ >= MaxPeers || !peerIsThisUser(fd))
                ::close(fd);
            else
                serve(fd);
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return;
        } else if (errno == EMFILE && closeNewestUnserved()) {
            continue;
        } else if (errno != EINTR && errno != ECONNABORTED) {
            pauseAccepting(); // out of descriptors or memory: later, not never
            return;
        }
    }
}

bool CommandServer::closeNewestUnserved()
{
    if (spare_ < 0)
        return false;
    ::close(spare_);
    const int fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0)
        ::close(fd);
    spare_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    return fd >= 0;
}

void CommandServer::pauseAccepting()
{
    notifier_->setEnabled(false);
    QTimer::singleShot(AcceptPauseMs, this, [this] {
        notifier_->setEnabled(true);
        acceptConnections();
    });
}

void CommandServer::serve(int descriptor)
{
    auto* peer = new QLocalSocket(this);
    if (!peer->setSocketDescriptor(descriptor)) {
        ::close(descriptor);
        delete peer;
        return;
    }
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

SendResult sendCommandLine(const QString& socketPath, const QStringList& arguments, int timeoutMs, QString* reason)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs))
        return SendResult::NotListening;
    QElapsedTimer clock;
    clock.start();
    socket.write(encode(arguments));
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
        socket.waitForBytesWritten(timeoutMs);
        return socket.bytesToWrite() == 0 && socket.state() == QLocalSocket::ConnectedState ? SendResult::Accepted
                                                                                            : SendResult::NoAnswer;
    }
    if (reason)
        *reason = QString::fromUtf8(answer).trimmed();
    return SendResult::Refused;
}

} // namespace platform::x11
