#include "platform/x11/single_instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform::x11 {

SingleInstanceLock::SingleInstanceLock() = default;

SingleInstanceLock::~SingleInstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

QString SingleInstanceLock::lockPath()
{
    const QByteArray runtimeDir = qgetenv("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty())
        return QString::fromLocal8Bit(runtimeDir) + QStringLiteral("/vorlin.lock");
    return QStringLiteral("/tmp/vorlin-%1.lock").arg(::getuid());
}

bool SingleInstanceLock::anotherInstanceRunning()
{
    if (fd_ >= 0)
        return false; // we hold it already
    const QByteArray path = lockPath().toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false; // no place for the lock: better to run than to refuse
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return true;
    }
    fd_ = fd;
    return false;
}

} // namespace platform::x11
