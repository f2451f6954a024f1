#pragma once
#include "platform/settings_store.h"

namespace platform::win32 {

// The per-user settings store in the registry: string values under
// HKEY_CURRENT_USER\Software\<root>\<application>\<section>, one value per key.
// A backslash in a name would open a deeper key, so it is stored as "_".
class RegistrySettingsStore : public SettingsStore {
public:
    explicit RegistrySettingsStore(QString root = QStringLiteral("Vorlin"));

    QString get(const QString& application, const QString& section, const QString& key,
                const QString& defaultValue) override;
    SaveResult save(const QString& application, const QString& section, const QString& key,
                    const QString& value) override;

    // The key's path below HKEY_CURRENT_USER.
    QString keyPath(const QString& application, const QString& section) const;

private:
    QString root_;
};

} // namespace platform::win32
