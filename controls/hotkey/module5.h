#pragma once
// The INI helpers of the hotkey controls. IniPath is the one value the whole
// process shares: the last control that loads from its INI file (or has its
// file name set in a designer) decides the file every later read and write uses.
#include <QString>

#include "platform/ini_profile.h"
#include "platform/save_result.h"
#include "runtime/settings_folder.h"

namespace Module5 {

// The full path of the INI file; empty until first set.
QString IniPath();

// IniPath = the file name in the folder the program keeps its settings in.
void SetIniPath(const QString& fileName, const QString& folder = rt::settingsFolder());

// The key's value in IniPath, the default when the file, section or key is
// missing, the empty string for an empty value; values cut to 254 bytes.
QString ReadIniValue(platform::IniProfile& ini, const QString& section, const QString& key,
                     const QString& defaultValue);

// Sets the key in IniPath; the result says whether it was stored and if not, why.
platform::SaveResult WriteIniValue(platform::IniProfile& ini, const QString& section, const QString& key, const QString& value);

// Sets the keys in IniPath in one replace of the file: all of them or none.
platform::SaveResult WriteIniValues(platform::IniProfile& ini, const QString& section,
                                    const std::vector<platform::IniValue>& values);

} // namespace Module5
