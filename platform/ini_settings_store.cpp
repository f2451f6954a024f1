#include "platform/ini_settings_store.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

IniSettingsStore::IniSettingsStore(QString folder) : folder_(std::move(folder)) {}

QString IniSettingsStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/vorlin");
}

QString IniSettingsStore::fileFor(const QString& application) const
{
    QString name = application.toLower(); // application names match without regard to case
    for (QChar& c : name)
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20)
            c = u'_';
    if (name.isEmpty() || name.startsWith(u'.'))
        name.prepend(u'_');
    return folder_ + u'/' + name + QStringLiteral(".ini");
}

QString IniSettingsStore::get(const QString& application, const QString& section, const QString& key,
                              const QString& defaultValue)
{
    return ini_.getString(section, key, defaultValue, fileFor(application));
}

SaveResult IniSettingsStore::save(const QString& application, const QString& section, const QString& key,
                                  const QString& value)
{
    if (!QDir().mkpath(folder_))
        return SaveResult::failed(QStringLiteral("%1：无法创建这个文件夹").arg(QDir::toNativeSeparators(folder_)));
    return ini_.writeString(section, key, value, fileFor(application));
}

} // namespace platform
