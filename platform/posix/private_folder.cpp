#include "platform/posix/private_folder.h"

#include <QDir>
#include <QFile>
#include <QCryptographicHash>
#include <QRegularExpression>
#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
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

QString hostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || !name[0])
        return QStringLiteral("localhost");
    return QString::fromLocal8Bit(name);
}

QString accountHome()
{
    if (const passwd* account = ::getpwuid(::geteuid()); account && account->pw_dir && account->pw_dir[0] == '/')
        return QFile::decodeName(account->pw_dir);
    return QDir::homePath();
}

} // namespace

QString privateRuntimeFolder()
{
    const QString uid = QString::number(::geteuid());
    return privateRuntimeFolder({QStringLiteral("/run/user/") + uid, QStringLiteral("/tmp"), accountHome()});
}

QString privateRuntimeFolder(const RuntimeFolderRoots& roots)
{
    if (isPrivateFolder(roots.perUser))
        return roots.perUser;

    const QString inTemp = roots.temp + QStringLiteral("/vorlin-%1").arg(::geteuid());
    if (makePrivateFolder(inTemp))
        return inTemp;

    // Another user holds the name in the temp folder: a place in our own home
    // instead, per machine, since a home may be shared between machines.
    const QString cache = roots.home + QStringLiteral("/.cache");
    const QString inCache = cache + QStringLiteral("/vorlin-run-") + hostName();
    if (QDir().mkpath(cache) && makePrivateFolder(inCache))
        return inCache;
    return {};
}

InstanceFiles instanceFiles(const QString& privateFolder, const QString& display)
{
    // [host]:number[.screen]; a local display may be written with "unix" as its host.
    QString host = display.section(u':', 0, -2);
    QString number = display.section(u':', -1).section(u'.', 0, 0);
    if (host == QStringLiteral("unix"))
        host.clear();
    QString name = host.isEmpty() ? number : host + u'-' + number;
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    // A socket's path has little room: a long name is shortened to a digest of itself.
    if (name.size() > 24)
        name = QString::fromLatin1(QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha256).toHex().left(24));
    const QString stem = privateFolder + (name.isEmpty() ? QStringLiteral("/vorlin") : QStringLiteral("/vorlin-") + name);
    return {stem + QStringLiteral(".lock"), stem + QStringLiteral(".socket")};
}

} // namespace platform::posix
