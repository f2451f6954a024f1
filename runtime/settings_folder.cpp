#include "runtime/settings_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QOperatingSystemVersion>

#include "runtime/app_folder.h"

namespace rt {

namespace {
// Set by the build for this one file, so both layouts share every other object.
constexpr bool installedLayout = VORLIN_INSTALLED_LAYOUT;
} // namespace

QString settingsFolder()
{
    if (!installedLayout && !QFileInfo::exists(joinFolder(applicationFolder(), QLatin1String(InstalledMarker))))
        return applicationFolder();
    const QString folder = QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows
                               ? windowsUserSettingsFolder(qEnvironmentVariable("APPDATA"), QDir::homePath())
                               : userSettingsFolder(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath());
    // A folder that cannot be made shows up as a save that fails, where the user looks.
    makePrivateFolder(folder);
    return folder;
}

QString userSettingsFolder(const QString& xdgConfigHome, const QString& home)
{
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say.
    const QString base = QDir::isAbsolutePath(xdgConfigHome) ? xdgConfigHome : joinFolder(home, QStringLiteral(".config"));
    return QDir::cleanPath(joinFolder(base, QStringLiteral("vorlin")));
}

QString windowsUserSettingsFolder(const QString& appData, const QString& profile)
{
    QString base = appData.isEmpty() ? joinFolder(profile, QStringLiteral("AppData/Roaming")) : appData;
    base.replace(u'\\', u'/'); // Windows' own separator, whichever system reads it
    return QDir::cleanPath(joinFolder(base, QStringLiteral("Vorlin")));
}

bool makePrivateFolder(const QString& folder)
{
    const QString path = QDir::cleanPath(folder);
    if (QFileInfo(path).isDir())
        return true;
    const QString parent = QFileInfo(path).path();
    if (parent == path || !makePrivateFolder(parent))
        return false;
    // Another process may make it between the two looks; what counts is that it is there.
    QDir().mkdir(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return QFileInfo(path).isDir();
}

} // namespace rt
