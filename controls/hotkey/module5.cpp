#include "controls/hotkey/module5.h"

#include "runtime/app_folder.h"

namespace Module5 {

namespace {
QString& iniPath()
{
    static QString path;
    return path;
}
} // namespace

QString IniPath() { return iniPath(); }

void SetIniPath(const QString& fileName, const QString& folder)
{
    iniPath() = rt::joinFolder(folder, fileName);
}

QString ReadIniValue(platform::IniProfile& ini, const QString& section, const QString& key,
                     const QString& defaultValue)
{
    return ini.getString(section, key, defaultValue, iniPath());
}

platform::SaveResult WriteIniValue(platform::IniProfile& ini, const QString& section, const QString& key,
                                   const QString& value)
{
    return ini.writeString(section, key, value, iniPath());
}

platform::SaveResult WriteIniValues(platform::IniProfile& ini, const QString& section,
                                    const std::vector<platform::IniValue>& values)
{
    return ini.writeStrings(section, values, iniPath());
}

} // namespace Module5
