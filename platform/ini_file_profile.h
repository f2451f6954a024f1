#pragma once
#include "platform/ini_profile.h"

namespace platform {

// INI files on disk. A write reads the whole file, changes it and replaces it
// through a temporary file in the same folder, so a crash or a failed write
// leaves either the old or the new file, never half of one. A file that is not
// a plain file or is too large reads as empty and is never written over.
class IniFileProfile : public IniProfile {
public:
    QString getString(const QString& section, const QString& key, const QString& defaultValue,
                      const QString& path) override;
    SaveResult writeStrings(const QString& section, const std::vector<IniValue>& values,
                            const QString& path) override;
};

} // namespace platform
