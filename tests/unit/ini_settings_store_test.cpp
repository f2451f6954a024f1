// The per-user settings store: one INI file per application in its folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/ini_settings_store.h"

using platform::IniSettingsStore;

TEST(IniSettingsStore, SavedValuesReadBackAndMissingOnesGiveTheDefault)
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath("config/vorlin"));
    EXPECT_EQ(store.get("RKHotKey", "RKHotKey", "RKHotKey1Text", QStringLiteral("无")), QStringLiteral("无"));
    ASSERT_TRUE(store.save("RKHotKey", "RKHotKey", "RKHotKey1Text", "Ctrl + F1"));
    EXPECT_EQ(store.get("rkhotkey", "RKHOTKEY", "rkhotkey1text", "x"), "Ctrl + F1");
    EXPECT_EQ(store.get("Other", "RKHotKey", "RKHotKey1Text", "x"), "x");
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("config/vorlin/rkhotkey.ini")));
}

TEST(IniSettingsStore, AnApplicationNameNeverLeadsOutOfTheFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("store");
    IniSettingsStore store(folder);
    for (const QString& name : {QStringLiteral("../evil"), QStringLiteral(".."), QStringLiteral("a/b\\c"),
                                QString(), QStringLiteral(".hidden")}) {
        const QFileInfo file(store.fileFor(name));
        EXPECT_EQ(file.absolutePath(), QDir(folder).absolutePath()) << name.toStdString();
        ASSERT_TRUE(store.save(name, "S", "k", name));
        EXPECT_EQ(store.get(name, "S", "k", "x"), name);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"store"});
}

TEST(IniSettingsStore, DefaultFolderIsInTheUsersConfiguration)
{
    qputenv("XDG_CONFIG_HOME", "/tmp/vorlin-xdg-test");
    EXPECT_EQ(IniSettingsStore::defaultFolder(), "/tmp/vorlin-xdg-test/vorlin");
}
