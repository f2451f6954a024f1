#pragma once
#include <QString>

namespace rt {

// The folder the program keeps its settings file in. Run from its build folder
// the program keeps it beside itself; a build made for installing (configured
// with VORLIN_INSTALLED_LAYOUT) keeps it in the user's configuration folder,
// (on Windows, the roaming application data), since the program's own folder
// is not the user's to write, and creates that
// folder the first time it is asked for it.
QString settingsFolder();

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
