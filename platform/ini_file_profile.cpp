#include "platform/ini_file_profile.h"

#include <QFile>
#include <QSaveFile>

#include "platform/gbk_text.h"
#include "platform/ini_text.h"

namespace platform {

QString IniFileProfile::getString(const QString& section, const QString& key, const QString& defaultValue,
                                  const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    const auto value = ini::lookup(file.readAll(), toGbk(section), toGbk(key));
    if (!value)
        return defaultValue;
    return fromGbk(cutGbk(*value, maxValueBytes));
}

bool IniFileProfile::writeString(const QString& section, const QString& key, const QString& value,
                                 const QString& path)
{
    QByteArray old;
    QFile existing(path);
    if (existing.exists()) {
        // A file we cannot read is left alone rather than replaced by one key.
        if (!existing.open(QIODevice::ReadOnly))
            return false;
        old = existing.readAll();
        if (existing.error() != QFileDevice::NoError)
            return false;
        existing.close();
    }
    const auto text = ini::assign(old, toGbk(section), toGbk(key), toGbk(value));
    if (!text)
        return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(*text) != text->size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace platform
