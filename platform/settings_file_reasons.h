#pragma once
// What both settings-file implementations (POSIX and Windows) say and share:
// the reasons they give, and the file a chain of links ends at.
#include <QDir>
#include <QFileInfo>
#include <QString>

#include "platform/settings_file.h"

namespace platform::settings_file {

inline QString because(const QString& path, const QString& why)
{
    return QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(path), why);
}

inline QString tooLarge(const QString& path) { return because(path, QStringLiteral("文件大于 1 MB，不是设置文件")); }

inline QString wouldBeTooLarge(const QString& path)
{
    return because(path, QStringLiteral("保存后文件会大于 1 MB，程序将读不了它，所以没有保存"));
}

inline QString notAPlainFile(const QString& path) { return because(path, QStringLiteral("不是普通文件")); }

inline Contents refused(QString reason) { return {Contents::Refused, {}, std::move(reason)}; }

// The file at the end of a chain of symbolic links (a missing one included).
inline QString linkTarget(const QString& path)
{
    QString p = path;
    for (int hops = 0; hops < 40 && QFileInfo(p).isSymbolicLink(); ++hops)
        p = QFileInfo(p).symLinkTarget();
    return p;
}

} // namespace platform::settings_file
