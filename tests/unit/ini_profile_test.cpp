// The INI reader and writer against files compared byte for byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/ini_file_profile.h"

#include "common/example_settings.h"

using platform::IniFileProfile;

namespace {

class IniProfileTest : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("setting.ini")) const { return dir.filePath(name); }

    void put(const QByteArray& bytes, const QString& name = QStringLiteral("setting.ini"))
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray bytes(const QString& name = QStringLiteral("setting.ini")) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QString get(const QString& section, const QString& key, const QString& def = QStringLiteral("DEF"))
    {
        return ini.getString(section, key, def, path());
    }

    bool write(const QString& section, const QString& key, const QString& value)
    {
        return ini.writeString(section, key, value, path());
    }

    QTemporaryDir dir;
    IniFileProfile ini;
};

TEST_F(IniProfileTest, MissingFileSectionOrKeyGivesTheDefaultAndAnEmptyValueGivesEmpty)
{
    EXPECT_EQ(get("RKHotKey", "RKHotKey1Text", QStringLiteral("无")), QStringLiteral("无"));
    put("[A]\r\nk1=\r\nk2=x\r\n");
    EXPECT_EQ(get("B", "k1"), "DEF");
    EXPECT_EQ(get("A", "k3"), "DEF");
    EXPECT_EQ(get("A", "k1"), "");
    EXPECT_FALSE(get("A", "k1").isNull());
    EXPECT_EQ(get("A", "k2"), "x");
}

TEST_F(IniProfileTest, SavingThreeControlsIntoANewFileGivesTheDocumentedBytes)
{
    const QStringList writes = {
        "RKHotKey1Text", "Ctrl + F1", "RKHotKey1KeyCode", "112", "RKHotKey1ModKeyCode", "2",
        "RKHotKey2Text", "无",        "RKHotKey2KeyCode", "0",   "RKHotKey2ModKeyCode", "0",
        "RKHotKey3Text", "Alt + F3",  "RKHotKey3KeyCode", "114", "RKHotKey3ModKeyCode", "1",
    };
    for (int i = 0; i < writes.size(); i += 2)
        ASSERT_TRUE(write("RKHotKey", writes[i], writes[i + 1]));
    EXPECT_EQ(bytes(), QByteArray(ExampleSettingsIni));
    EXPECT_EQ(get("RKHotKey", "RKHotKey2Text"), QStringLiteral("无"));
    // Saving the same values again changes nothing.
    const QByteArray first = bytes();
    for (int i = 0; i < writes.size(); i += 2)
        ASSERT_TRUE(write("RKHotKey", writes[i], writes[i + 1]));
    EXPECT_EQ(bytes(), first);
}

TEST_F(IniProfileTest, WriteReplacesInPlaceKeepingTheKeysSpellingCommentsAndOtherLines)
{
    put("; my hotkeys\r\n[rkhotkey]\r\n  rkHOTKEY1Text = Ctrl + A  \r\nOther=1\r\n\r\n[Next]\r\nX=2\r\n");
    ASSERT_TRUE(write("RKHotKey", "RKHotKey1Text", "F5"));
    EXPECT_EQ(bytes(), QByteArray("; my hotkeys\r\n[rkhotkey]\r\nrkHOTKEY1Text=F5\r\nOther=1\r\n\r\n[Next]\r\nX=2\r\n"));
}

TEST_F(IniProfileTest, NewKeyGoesToTheEndOfItsSectionAndNewSectionToTheEndOfTheFile)
{
    put("[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n");
    ASSERT_TRUE(write("a", "new", "3"));
    EXPECT_EQ(bytes(), QByteArray("[A]\r\na=1\r\nnew=3\r\n\r\n[B]\r\nb=2\r\n"));
    ASSERT_TRUE(write("C", "c", "4"));
    EXPECT_EQ(bytes(), QByteArray("[A]\r\na=1\r\nnew=3\r\n\r\n[B]\r\nb=2\r\n[C]\r\nc=4\r\n"));
    put("[Empty]\r\n[B]\r\n");
    ASSERT_TRUE(write("Empty", "k", "v"));
    EXPECT_EQ(bytes(), QByteArray("[Empty]\r\nk=v\r\n[B]\r\n"));
}

TEST_F(IniProfileTest, LineEndsBecomeCrLfAndAMissingLastLineEndIsAdded)
{
    put("[A]\nx=1\n[B]\ny=2");
    EXPECT_EQ(get("B", "y"), "2");
    ASSERT_TRUE(write("B", "z", "3"));
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nx=1\r\n[B]\r\ny=2\r\nz=3\r\n"));
}

TEST_F(IniProfileTest, NamesMatchWithoutCaseAndBlanksValuesAreTrimmedAndUnquoted)
{
    put("[ Sec ]\r\n  Key One =  spaced value  \r\nq=\"quoted \"\r\nqq=\"\"x\"\"\r\nhalf=\"open\r\n");
    EXPECT_EQ(get("sec", "key one"), "spaced value");
    EXPECT_EQ(get("  SEC", "KEY ONE  "), "spaced value");
    EXPECT_EQ(get("Sec", "q"), "quoted ");
    EXPECT_EQ(get("Sec", "qq"), "\"x\"");
    EXPECT_EQ(get("Sec", "half"), "\"open");
}

TEST_F(IniProfileTest, FirstOfEqualSectionsAndKeysWinsAndOnlyRealKeyLinesCount)
{
    put("k=outside\r\n[S]\r\nnot a key\r\n;k=comment\r\nk=first\r\nK=second\r\n[s]\r\nlater=1\r\n");
    EXPECT_EQ(get("S", "k"), "first");
    EXPECT_EQ(get("S", "later"), "DEF");
    EXPECT_EQ(get("S", "not a key"), "DEF");
    EXPECT_EQ(get("S", ";k"), "DEF");
    ASSERT_TRUE(write("S", "K", "new"));
    EXPECT_EQ(bytes(), QByteArray("k=outside\r\n[S]\r\nnot a key\r\n;k=comment\r\nk=new\r\nK=second\r\n[s]\r\nlater=1\r\n"));
}

TEST_F(IniProfileTest, ValuesAreCutTo254BytesWithoutSplittingACharacter)
{
    const QByteArray ascii(300, 'x');
    put("[S]\r\nlong=" + ascii + "\r\nwide=x" + QByteArray("\xCE\xDE").repeated(150) + "\r\n");
    EXPECT_EQ(get("S", "long"), QString(254, 'x'));
    // "x" and 126 characters of two bytes fill 253 bytes; the 127th would not fit.
    EXPECT_EQ(get("S", "wide"), "x" + QStringLiteral("无").repeated(126));
}

TEST_F(IniProfileTest, TextIsStoredAsGbk)
{
    ASSERT_TRUE(write("热键", "名字", "无"));
    EXPECT_EQ(bytes(), QByteArray("[\xC8\xC8\xBC\xFC]\r\n\xC3\xFB\xD7\xD6=\xCE\xDE\r\n"));
    EXPECT_EQ(get("热键", "名字"), QStringLiteral("无"));
}

TEST_F(IniProfileTest, WhatCannotBeStoredIsRefusedAndLeavesTheFileAlone)
{
    put("[S]\r\nk=1\r\n");
    EXPECT_FALSE(write("S", "k", "two\r\nlines"));
    EXPECT_FALSE(write("S", "a=b", "1"));
    EXPECT_FALSE(write("S]", "k", "1"));
    EXPECT_FALSE(write("S", "", "1"));
    EXPECT_FALSE(write("S", "[T]", "1"));
    EXPECT_EQ(bytes(), QByteArray("[S]\r\nk=1\r\n"));
}

TEST_F(IniProfileTest, AFailedWriteReportsFailureAndLeavesNoFileOrTemporaryBehind)
{
    EXPECT_FALSE(ini.writeString("S", "k", "v", dir.filePath("missing/setting.ini")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    EXPECT_FALSE(ini.writeString("S", "k", "v", dir.filePath("folder.ini")));
    EXPECT_EQ(ini.getString("S", "k", "DEF", dir.filePath("folder.ini")), "DEF");

    ASSERT_TRUE(write("S", "k", "v"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"setting.ini"});
}

} // namespace
