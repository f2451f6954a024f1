#pragma once
#include <QString>
#include <map>
#include <tuple>
#include <vector>

#include "platform/ini_file_profile.h"
#include "platform/settings_store.h"

namespace platform::fake {

// Real INI files with every call recorded and writes that can be made to
// fail. With `folder` set, each file is kept there under its own file name
// (the calls still record the path asked for), so a test stays in its own folder.
class FakeIniProfile : public IniProfile {
public:
    struct Call {
        enum Kind { Get, Write } kind;
        QString section, key, value, path; // value: the default of a Get
    };

    QString getString(const QString& section, const QString& key, const QString& defaultValue,
                      const QString& path) override;
    // Records one Write call per key.
    SaveResult writeStrings(const QString& section, const std::vector<IniValue>& values,
                            const QString& path) override;

    std::vector<Call> calls;
    int replaces = 0;   // writeStrings calls: each replaces its file once
    QString writeError; // when set, every write fails with this reason
    QString folder;

    // Where a path's file is really kept.
    QString realPath(const QString& path) const;

private:
    IniFileProfile files_;
};

// The per-user settings store in memory; names match without regard to case.
class FakeSettingsStore : public SettingsStore {
public:
    struct Call {
        enum Kind { Get, Save } kind;
        QString application, section, key, value; // value: the default of a Get
    };

    QString get(const QString& application, const QString& section, const QString& key,
                const QString& defaultValue) override;
    SaveResult save(const QString& application, const QString& section, const QString& key,
                    const QString& value) override;

    // The stored value, or a null string.
    QString value(const QString& application, const QString& section, const QString& key) const;

    std::vector<Call> calls;
    QString saveError; // when set, every save fails with this reason

private:
    using Address = std::tuple<QString, QString, QString>;
    static Address address(const QString& application, const QString& section, const QString& key);
    std::map<Address, QString> values_;
};

} // namespace platform::fake
