#include "platform/settings_file.h"
#include "platform/settings_file_reasons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::settings_file {

namespace {

QString becauseOfErrno(const QString& path, int error) { return because(path, qt_error_string(error)); }

// Why the file is not one to read or replace, or nothing.
QString unusable(const QString& path, const struct stat& st)
{
    if (!S_ISREG(st.st_mode))
        return notAPlainFile(path);
    if (st.st_size > MaxBytes)
        return tooLarge(path);
    return {};
}

// Why the folder may not hold settings, or nothing. Like ssh with its folder,
// it must be this user's own and writable by nobody else, or another user could
// plant a file there, or a link that makes a save rewrite one of the user's
// files. The folder may be a link the user made; a missing folder holds no file.
QString unsafeFolder(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder);
    const QString notOurs = because(folder, QStringLiteral("这个文件夹不是你自己的，设置不从这里读取，也不保存到这里"));
    const uid_t me = ::geteuid();
    struct stat link {}, st {};
    if (::lstat(name.constData(), &link) != 0)
        return errno == ENOENT ? QString() : becauseOfErrno(folder, errno);
    if (link.st_uid != me)
        return notOurs;
    if (::stat(name.constData(), &st) != 0)
        return errno == ENOENT ? QString() : becauseOfErrno(folder, errno);
    if (st.st_uid != me)
        return notOurs;
    if (st.st_mode & (S_IWGRP | S_IWOTH))
        return because(folder, QStringLiteral("别的用户也能写入这个文件夹，设置不从这里读取，也不保存到这里"));
    return {};
}

QString folderOf(const QString& path) { return QFileInfo(path).absolutePath(); }

// Why the file, or a link on the way to it, lies in a folder that may not hold
// settings; or nothing. A link of the user's may lead out of the folder, but
// not into a folder where someone else could swap the next link.
QString unsafeOnTheWay(const QString& path)
{
    QString p = path;
    for (int hops = 0;; ++hops) {
        if (QString why = unsafeFolder(folderOf(p)); !why.isEmpty())
            return why;
        if (hops == 40 || !QFileInfo(p).isSymLink())
            return {};
        p = QFileInfo(p).symLinkTarget();
    }
}

bool writeAll(int fd, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = EIO;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The temporary files of a target are named ".<name>.save-<random number in
// base 36>", a name the user's own files beside it (".setting.ini.bak") do not have.
QString temporaryPrefix(const QFileInfo& target) { return QStringLiteral(".") + target.fileName() + QStringLiteral(".save-"); }

// A save that was killed before its rename left its temporary file. A save of
// a second Vorlin running at the same moment would lose its temporary file
// too, and say that it failed; the one instance per user makes that rare.
void removeLeftoverTemporaries(const QString& target)
{
    const QFileInfo info(target);
    const QRegularExpression leftover(
        QRegularExpression::anchoredPattern(QRegularExpression::escape(temporaryPrefix(info)) + QStringLiteral("[0-9a-z]{1,7}")));
    const QDir folder = info.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (leftover.match(name).hasMatch())
            ::unlink(QFile::encodeName(folder.filePath(name)).constData());
}

// A new file next to the target, named after it, created with O_EXCL so it is ours.
int createTemporary(const QString& target, QByteArray& name)
{
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString suffix = QString::number(QRandomGenerator::global()->generate(), 36);
        name = QFile::encodeName(info.absolutePath() + u'/' + temporaryPrefix(info) + suffix);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

Contents read(const QString& path)
{
    if (QString why = unsafeOnTheWay(path); !why.isEmpty())
        return refused(why);
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    // Looked at before opening: opening a device or a FIFO can block or act.
    if (::stat(name.constData(), &st) != 0)
        return errno == ENOENT ? Contents{} : refused(becauseOfErrno(path, errno));
    if (QString why = unusable(path, st); !why.isEmpty())
        return refused(why);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Contents{} : refused(becauseOfErrno(path, errno));
    Contents result{Contents::Read, {}, {}};
    // Again on what was opened, in case the file was swapped in between.
    if (::fstat(fd, &st) != 0) {
        result = refused(becauseOfErrno(path, errno));
    } else if (QString why = unusable(path, st); !why.isEmpty()) {
        result = refused(why);
    } else {
        char chunk[16384];
        while (result.state == Contents::Read) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                result = refused(becauseOfErrno(path, errno));
            else if (n == 0)
                break;
            else if (result.bytes.append(chunk, n).size() > MaxBytes)
                result = refused(tooLarge(path)); // it grew since fstat
        }
    }
    ::close(fd);
    return result;
}

SaveResult replace(const QString& path, const QByteArray& bytes)
{
    if (QString why = unsafeOnTheWay(path); !why.isEmpty())
        return SaveResult::failed(why);
    if (bytes.size() > MaxBytes)
        return SaveResult::failed(wouldBeTooLarge(path));
    const QString target = linkTarget(path);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat old {};
    const bool exists = ::stat(targetName.constData(), &old) == 0;
    if (exists) {
        if (QString why = unusable(path, old); !why.isEmpty())
            return SaveResult::failed(why);
        // Renaming over a file the user may not write would undo its protection.
        if (::faccessat(AT_FDCWD, targetName.constData(), W_OK, AT_EACCESS) != 0)
            return SaveResult::failed(becauseOfErrno(path, errno));
    } else if (errno != ENOENT) {
        return SaveResult::failed(becauseOfErrno(path, errno));
    }

    removeLeftoverTemporaries(target);
    QByteArray temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0)
        return SaveResult::failed(becauseOfErrno(path, errno));
    bool ok = writeAll(fd, bytes) && (!exists || ::fchmod(fd, old.st_mode & 07777) == 0) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.constData(), targetName.constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.constData());
        return SaveResult::failed(becauseOfErrno(path, error));
    }
    // The folder is not synced: should a crash lose the rename, the old file
    // is still there, whole.
    return {};
}

} // namespace platform::settings_file
