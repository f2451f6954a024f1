#include "platform/posix/single_instance_lock.h"

#include <QFile>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform::posix {

SingleInstanceLock::SingleInstanceLock(QString privateFolder) : folder_(std::move(privateFolder)) {}

SingleInstanceLock::~SingleInstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool SingleInstanceLock::anotherInstanceRunning()
{
    if (fd_ >= 0 || folder_.isEmpty())
        return false; // we hold it already, or there is no place for it: better to run than to refuse
    const QByteArray path = QFile::encodeName(folder_ + QStringLiteral("/vorlin.lock"));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return true;
    }
    fd_ = fd;
    return false;
}

} // namespace platform::posix
