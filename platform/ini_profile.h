#pragma once
#include <QString>
#include <vector>

#include "platform/save_result.h"

namespace platform {

struct IniValue {
    QString key;
    QString value;
};

// Sectioned INI files ("[section]" lines, "key=value" lines), stored in the
// GBK (code page 936) encoding with CR LF line ends; a file that starts with
// the UTF-8 byte-order mark is UTF-8 and stays so.
class IniProfile {
public:
    // Values longer than this are cut to it (in bytes of the stored text).
    static constexpr int maxValueBytes = 254;

    virtual ~IniProfile() = default;

    // The value of key in section of the file at path, or defaultValue when the
    // file, the section or the key is missing. A key with nothing after "=" gives
    // the empty string. Section and key names match without regard to case.
    virtual QString getString(const QString& section, const QString& key, const QString& defaultValue,
                              const QString& path) = 0;

    // Replaces the key's value in place, or adds the key at the end of its
    // section, creating the section and the file when missing. The file is
    // replaced whole or not at all; when not, the result says why.
    SaveResult writeString(const QString& section, const QString& key, const QString& value, const QString& path)
    {
        return writeStrings(section, {{key, value}}, path);
    }

    // Sets several keys, in order, as writeString would one after the other,
    // with one replace of the file: all of them are stored or none.
    virtual SaveResult writeStrings(const QString& section, const std::vector<IniValue>& values,
                                    const QString& path) = 0;
};

} // namespace platform
