// Settings files on Windows, with the same promises as on POSIX systems: Qt's
// file calls to look and read, QSaveFile to replace (a temporary file in the
// same folder, flushed to disk, then moved over the old one).
#include "platform/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform::settings_file {

namespace {

QString because(const QString& path, const QString& why)
{
    return QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(path), why);
}

// Why the file is not one to read or replace, or nothing.
QString unusable(const QString& path, const QFileInfo& info)
{
    if (!info.isFile())
        return because(path, QStringLiteral("不是普通文件"));
    if (info.size() > MaxBytes)
        return because(path, QStringLiteral("文件大于 1 MB，不是设置文件"));
    return {};
}

Contents refused(QString reason) { return {Contents::Refused, {}, std::move(reason)}; }

// The file at the end of a chain of symbolic links (a missing one included).
QString linkTarget(const QString& path)
{
    QString p = path;
    for (int hops = 0; hops < 40 && QFileInfo(p).isSymbolicLink(); ++hops)
        p = QFileInfo(p).symLinkTarget();
    return p;
}

} // namespace

Contents read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (QString why = unusable(path, info); !why.isEmpty())
        return refused(why);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(because(path, file.errorString()));
    Contents result{Contents::Read, file.read(MaxBytes + 1), {}};
    if (file.error() != QFileDevice::NoError)
        return refused(because(path, file.errorString()));
    if (result.bytes.size() > MaxBytes) // it grew since we looked
        return refused(because(path, QStringLiteral("文件大于 1 MB，不是设置文件")));
    return result;
}

SaveResult replace(const QString& path, const QByteArray& bytes)
{
    if (bytes.size() > MaxBytes) // it could not be read back
        return SaveResult::failed(because(path, QStringLiteral("保存后文件会大于 1 MB，程序将读不了它，所以没有保存")));
    const QString target = linkTarget(path);
    const QFileInfo old(target);
    if (old.exists()) {
        if (QString why = unusable(path, old); !why.isEmpty())
            return SaveResult::failed(why);
        // Moving a new file over a read-only one would undo its protection.
        if (!old.isWritable())
            return SaveResult::failed(because(path, QStringLiteral("文件是只读的")));
    }
    QSaveFile file(target);
    file.setDirectWriteFallback(false); // whole or not at all
    if (!file.open(QIODevice::WriteOnly))
        return SaveResult::failed(because(path, file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return SaveResult::failed(because(path, why));
    }
    if (!file.commit())
        return SaveResult::failed(because(path, file.errorString()));
    return {};
}

} // namespace platform::settings_file
