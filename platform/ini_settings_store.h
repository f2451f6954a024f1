#pragma once
#include "platform/ini_file_profile.h"
#include "platform/settings_store.h"

namespace platform {

// The per-user settings store as one INI file per application in a folder of
// the user's configuration ("<folder>/<application in lower case>.ini").
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(QString folder);

    // The folder of the program's per-user settings: "vorlin" in the user's
    // configuration folder ($XDG_CONFIG_HOME, else ~/.config).
    static QString defaultFolder();

    QString get(const QString& application, const QString& section, const QString& key,
                const QString& defaultValue) override;
    SaveResult save(const QString& application, const QString& section, const QString& key,
              const QString& value) override;

    // The file that holds an application's values; a name that is not a plain
    // file name is made one, so it never leads out of the folder.
    QString fileFor(const QString& application) const;

private:
    QString folder_;
    IniFileProfile ini_;
};

} // namespace platform
