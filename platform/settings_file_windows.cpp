// Settings files on Windows, with the same promises as on POSIX systems: Qt's
// file calls to look and read, QSaveFile to replace (a temporary file in the
// same folder, flushed to disk, then moved over the old one).
#include "platform/settings_file.h"
#include "platform/settings_file_reasons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform::settings_file {

namespace {

// Why the file is not one to read or replace, or nothing.
QString unusable(const QString& path, const QFileInfo& info)
{
    if (!info.isFile())
        return notAPlainFile(path);
    if (info.size() > MaxBytes)
        return tooLarge(path);
    return {};
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
        return refused(tooLarge(path));
    return result;
}

SaveResult replace(const QString& path, const QByteArray& bytes)
{
    if (bytes.size() > MaxBytes) // it could not be read back
        return SaveResult::failed(wouldBeTooLarge(path));
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
