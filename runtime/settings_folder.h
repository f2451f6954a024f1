#pragma once
#include <QString>

namespace rt {

// The folder the program keeps its settings file in. Run from its build folder
// or unpacked from the portable zip, the program keeps it beside itself; a
// build made for installing (configured with VORLIN_INSTALLED_LAYOUT), or a
// program with the installer's marker file beside it, keeps it in the user's
// configuration folder (on Windows, the roaming application data), since the
// program's own folder is not the user's to write, and creates that folder
// the first time it is asked for it.
QString settingsFolder();

// The file the Windows installer puts beside the program it installs. The
// installer and the portable zip then hold the same vorlin.exe.
inline constexpr char InstalledMarker[] = "vorlin-installed.txt";

// The user's configuration folder for Vorlin: $XDG_CONFIG_HOME/vorlin when that
// variable holds an absolute path, else <home>/.config/vorlin.
QString userSettingsFolder(const QString& xdgConfigHome, const QString& home);

// The user's folder for Vorlin on Windows: %APPDATA%\Vorlin, else the usual
// place of APPDATA under the user's profile; with "/" between names, as Qt takes them.
QString windowsUserSettingsFolder(const QString& appData, const QString& profile);

// Creates the folder and its missing parents, readable by their owner only.
// True when the folder exists afterwards.
bool makePrivateFolder(const QString& folder);

} // namespace rt
