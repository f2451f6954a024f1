// Where the program keeps setting.ini: beside itself when run from its build
// folder; in the user's configuration folder when installed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "runtime/app_folder.h"
#include "runtime/settings_folder.h"

TEST(SettingsFolder, ABuildFolderBuildKeepsSettingsBesideTheProgram)
{
    EXPECT_EQ(rt::settingsFolder(), rt::applicationFolder());
}

TEST(SettingsFolder, TheUsersFolderFollowsXdgConfigHomeWhenAbsoluteElseTheHomesConfig)
{
    const struct {
        const char* xdgConfigHome;
        const char* home;
        const char* expected;
    } rows[] = {
        {"/home/ann/cfg", "/home/ann", "/home/ann/cfg/vorlin"},
        {"/home/ann/cfg/", "/home/ann", "/home/ann/cfg/vorlin"},
        {"", "/home/ann", "/home/ann/.config/vorlin"},
        {"cfg", "/home/ann", "/home/ann/.config/vorlin"},  // relative: invalid, ignored
        {"./cfg", "/home/ann", "/home/ann/.config/vorlin"},
        {"", "/home/ann/", "/home/ann/.config/vorlin"},
        {"", "/", "/.config/vorlin"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(rt::userSettingsFolder(row.xdgConfigHome, row.home).toStdString(), row.expected)
            << "XDG_CONFIG_HOME=" << row.xdgConfigHome << " HOME=" << row.home;
}

TEST(SettingsFolder, OnWindowsTheUsersFolderIsInAppDataElseWhereTheProfileKeepsIt)
{
    const struct {
        const char* appData;
        const char* profile;
        const char* expected;
    } rows[] = {
        {"C:\\Users\\ann\\AppData\\Roaming", "C:/Users/ann", "C:/Users/ann/AppData/Roaming/Vorlin"},
        {"D:\\roam\\", "C:/Users/ann", "D:/roam/Vorlin"},
        {"", "C:/Users/ann", "C:/Users/ann/AppData/Roaming/Vorlin"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(rt::windowsUserSettingsFolder(row.appData, row.profile).toStdString(), row.expected)
            << "APPDATA=" << row.appData;
}

TEST(SettingsFolder, MakingTheFolderCreatesMissingLevelsPrivateAndLeavesExistingOnesAlone)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const auto everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                          QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(home.path(), everyone));
    const auto privateOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    const auto mode = [](const QString& path) {
        return QFileInfo(path).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    };

    const QString folder = home.path() + "/.config/vorlin";
    ASSERT_TRUE(rt::makePrivateFolder(folder));
    EXPECT_EQ(mode(home.path() + "/.config"), privateOnly);
    EXPECT_EQ(mode(folder), privateOnly);
    EXPECT_EQ(mode(home.path()), everyone);
    EXPECT_TRUE(rt::makePrivateFolder(folder)) << "a folder that exists is there";

    // A file where the folder should be: no folder, and the file is untouched.
    QFile blocker(home.path() + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(rt::makePrivateFolder(home.path() + "/file/vorlin"));
    EXPECT_TRUE(QFileInfo(home.path() + "/file").isFile());
}
