#pragma once
#include <QString>

#include "platform/save_result.h"

namespace platform {

// The per-user settings store: text values addressed by application, section
// and key, kept across runs of the program.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored value, or defaultValue when there is none.
    virtual QString get(const QString& application, const QString& section, const QString& key,
                        const QString& defaultValue) = 0;
    // Stores the value, creating whatever is missing; when it cannot, the result says why.
    virtual SaveResult save(const QString& application, const QString& section, const QString& key,
                      const QString& value) = 0;
};

} // namespace platform
