#include "platform/posix/private_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::posix {
namespace {

bool isOursAndPrivate(const struct stat& st)
{
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 0777) == 0700;
}

// The folder as it is, not through a link.
bool isPrivateFolder(const QString& path)
{
    struct stat st{};
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &st) == 0 && isOursAndPrivate(st);
}

// Makes the folder unless it exists, then checks what is really there: opened
// without following a link, so another user's link is never entered.
bool makePrivateFolder(const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    const bool created = ::mkdir(p.constData(), 0700) == 0;
    if (!created && errno != EEXIST)
        return false;
    const int fd = ::open(p.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st{};
    bool ok = ::fstat(fd, &st) == 0;
    // A folder made just now may have lost bits to the umask; one found must be private already.
    if (ok && created && st.st_uid == ::geteuid())
        ok = ::fchmod(fd, 0700) == 0 && ::fstat(fd, &st) == 0;
    ::close(fd);
    return ok && isOursAndPrivate(st);
}

QString tempFolder()
{
    const QString temp = qEnvironmentVariable("TMPDIR");
    return QDir::isAbsolutePath(temp) && QFileInfo(temp).isDir() ? QDir::cleanPath(temp) : QStringLiteral("/tmp");
}

QString hostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || !name[0])
        return QStringLiteral("localhost");
    return QString::fromLocal8Bit(name);
}

} // namespace

QString privateRuntimeFolder()
{
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtimeDir) && isPrivateFolder(runtimeDir))
        return QDir::cleanPath(runtimeDir);

    const QString inTemp = tempFolder() + QStringLiteral("/vorlin-%1").arg(::geteuid());
    if (makePrivateFolder(inTemp))
        return inTemp;

    // Another user holds the name in the temp folder: a place in our own home
    // instead, per machine, since a home may be shared between machines.
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    const QString inCache = cache + QStringLiteral("/vorlin-run-") + hostName();
    if (QDir().mkpath(cache) && makePrivateFolder(inCache))
        return inCache;
    return {};
}

} // namespace platform::posix
