// The command channel's listener on a POSIX system: a Unix socket in the
// user's private folder, with a listener of our own rather than QLocalServer,
// which closes the server and removes its socket when an accept fails.
#include <QFile>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/command_channel.h"
#include "platform/native_platform.h"

namespace platform {
namespace {

// When a connection cannot be taken even with the spare descriptor's room, the
// waiting ones stay queued and are tried again after this pause; the socket
// stays open all the while.
constexpr int AcceptPauseMs = 200;

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

class SocketListener : public CommandListener {
public:
    SocketListener(int fd, QString path, QObject* owner, std::function<bool()> hasRoom,
                   std::function<void(QLocalSocket*)> serve)
        : fd_(fd), path_(std::move(path)), owner_(owner), hasRoom_(std::move(hasRoom)), serve_(std::move(serve)),
          spare_(::open("/dev/null", O_RDONLY | O_CLOEXEC)), notifier_(fd_, QSocketNotifier::Read)
    {
        QObject::connect(&notifier_, &QSocketNotifier::activated, owner_, [this] { acceptConnections(); });
    }

    ~SocketListener() override
    {
        notifier_.setEnabled(false);
        ::close(fd_);
        if (spare_ >= 0)
            ::close(spare_);
        ::unlink(QFile::encodeName(path_).constData());
    }

private:
    void acceptConnections()
    {
        while (true) {
            const int fd = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd >= 0) {
                // Beyond the cap the newest is closed unheard; the held ones time out.
                if (!hasRoom_() || !commandPeerIsThisUser(fd))
                    ::close(fd);
                else
                    hand(fd);
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

    // Out of descriptors: the spare one's room takes the newest waiting
    // connection and closes it, so the queue does not fill with ones nobody
    // can serve. False when even that fails.
    bool closeNewestUnserved()
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

    void pauseAccepting()
    {
        notifier_.setEnabled(false);
        QTimer::singleShot(AcceptPauseMs, owner_, [this] {
            notifier_.setEnabled(true);
            acceptConnections();
        });
    }

    void hand(int descriptor)
    {
        auto* peer = new QLocalSocket(owner_);
        if (!peer->setSocketDescriptor(descriptor)) {
            ::close(descriptor);
            delete peer;
            return;
        }
        serve_(peer);
    }

    int fd_;
    QString path_;
    QObject* owner_;
    std::function<bool()> hasRoom_;
    std::function<void(QLocalSocket*)> serve_;
    int spare_; // held in reserve for closeNewestUnserved
    QSocketNotifier notifier_;
};

} // namespace

std::unique_ptr<CommandListener> listenForCommands(const QString& address, QObject* owner,
                                                   std::function<bool()> hasRoom,
                                                   std::function<void(QLocalSocket*)> serve, QString* error)
{
    const QByteArray path = QFile::encodeName(address);
    sockaddr_un socketAddress{};
    socketAddress.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof socketAddress.sun_path) {
        *error = QStringLiteral("the socket's path is too long: ") + address;
        return nullptr;
    }
    std::memcpy(socketAddress.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    ::unlink(path.constData());
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&socketAddress), sizeof socketAddress) != 0 ||
        ::chmod(path.constData(), 0600) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        *error = systemError();
        if (fd >= 0)
            ::close(fd);
        return nullptr;
    }
    return std::make_unique<SocketListener>(fd, address, owner, std::move(hasRoom), std::move(serve));
}

} // namespace platform
