#include "platform/fake/fake_profiles.h"

#include <QFileInfo>

namespace platform::fake {

QString FakeIniProfile::getString(const QString& section, const QString& key, const QString& defaultValue,
                                  const QString& path)
{
    calls.push_back({Call::Get, section, key, defaultValue, path});
    return files_.getString(section, key, defaultValue, realPath(path));
}

SaveResult FakeIniProfile::writeStrings(const QString& section, const std::vector<IniValue>& values,
                                        const QString& path)
{
    for (const IniValue& v : values)
        calls.push_back({Call::Write, section, v.key, v.value, path});
    ++replaces;
    if (!writeError.isEmpty())
        return SaveResult::failed(writeError);
    return files_.writeStrings(section, values, realPath(path));
}

QString FakeIniProfile::realPath(const QString& path) const
{
    return folder.isEmpty() || path.isEmpty() ? path : folder + u'/' + QFileInfo(path).fileName();
}

FakeSettingsStore::Address FakeSettingsStore::address(const QString& application, const QString& section,
                                                      const QString& key)
{
    return {application.toLower(), section.toLower(), key.toLower()};
}

QString FakeSettingsStore::get(const QString& application, const QString& section, const QString& key,
                               const QString& defaultValue)
{
    calls.push_back({Call::Get, application, section, key, defaultValue});
    auto it = values_.find(address(application, section, key));
    return it == values_.end() ? defaultValue : it->second;
}

SaveResult FakeSettingsStore::save(const QString& application, const QString& section, const QString& key,
                                   const QString& value)
{
    calls.push_back({Call::Save, application, section, key, value});
    if (!saveError.isEmpty())
        return SaveResult::failed(saveError);
    values_[address(application, section, key)] = value;
    return {};
}

QString FakeSettingsStore::value(const QString& application, const QString& section, const QString& key) const
{
    auto it = values_.find(address(application, section, key));
    return it == values_.end() ? QString() : it->second;
}

} // namespace platform::fake
