#include "platform/ini_file_profile.h"

#include <algorithm>

#include "platform/gbk_text.h"
#include "platform/ini_text.h"
#include "platform/settings_file.h"

namespace platform {

namespace {

QByteArray encode(const QString& text, ini::Encoding encoding)
{
    return encoding == ini::Encoding::Utf8 ? text.toUtf8() : toGbk(text);
}

// The value cut to maxValueBytes without splitting a character, as text.
QString decodeValue(const QByteArray& value, ini::Encoding encoding)
{
    if (encoding == ini::Encoding::Gbk)
        return fromGbk(cutGbk(value, IniProfile::maxValueBytes));
    qsizetype size = std::min<qsizetype>(value.size(), IniProfile::maxValueBytes);
    if (size < value.size())
        while (size > 0 && (static_cast<unsigned char>(value[size]) & 0xC0) == 0x80)
            --size; // the cut falls on a continuation byte: go back to its character's start
    return QString::fromUtf8(value.left(size));
}

} // namespace

QString IniFileProfile::getString(const QString& section, const QString& key, const QString& defaultValue,
                                  const QString& path)
{
    const auto file = settings_file::read(path);
    if (file.state != settings_file::Contents::Read)
        return defaultValue;
    const ini::Encoding encoding = ini::encodingOf(file.bytes);
    const auto value = ini::lookup(file.bytes, encode(section, encoding), encode(key, encoding));
    return value ? decodeValue(*value, encoding) : defaultValue;
}

SaveResult IniFileProfile::writeStrings(const QString& section, const std::vector<IniValue>& values,
                                        const QString& path)
{
    // A file we cannot read is left alone rather than replaced by a few keys.
    const auto file = settings_file::read(path);
    if (file.state == settings_file::Contents::Refused)
        return SaveResult::failed(file.reason);
    const ini::Encoding encoding = ini::encodingOf(file.bytes);
    QByteArray text = file.bytes;
    for (const IniValue& v : values) {
        const auto changed = ini::assign(text, encode(section, encoding), encode(v.key, encoding), encode(v.value, encoding));
        if (!changed)
            return SaveResult::failed(QStringLiteral("“%1”或它的值含有 INI 文件存不下的字符").arg(v.key));
        text = *changed;
    }
    return settings_file::replace(path, text);
}

} // namespace platform
