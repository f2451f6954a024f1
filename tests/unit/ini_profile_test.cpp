// The INI reader and writer against files compared byte for byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/ini_file_profile.h"
#include "platform/settings_file.h"

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
        return ini.writeString(section, key, value, path()).saved;
    }

    // Every entry of the folder, hidden ones (a left temporary file) included.
    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
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

TEST_F(IniProfileTest, SeveralKeysAreStoredTogetherOrNotAtAll)
{
    put("[RKHotKey]\r\nRKHotKey1Text=F1\r\n");
    const QByteArray old = bytes();
    // The third value cannot be stored: neither are the first two.
    EXPECT_FALSE(ini.writeStrings("RKHotKey", {{"RKHotKey1Text", "F2"}, {"RKHotKey1KeyCode", "113"}, {"k", "a\nb"}}, path()));
    EXPECT_EQ(bytes(), old);
    ASSERT_TRUE(ini.writeStrings("RKHotKey", {{"RKHotKey1Text", "F2"}, {"RKHotKey1KeyCode", "113"}}, path()));
    EXPECT_EQ(bytes(), QByteArray("[RKHotKey]\r\nRKHotKey1Text=F2\r\nRKHotKey1KeyCode=113\r\n"));
}

// The file may hold up to MaxBytes: so much is read, and a save that would
// make it larger is refused before anything is written.
TEST_F(IniProfileTest, TheSizeCapHoldsToTheByteForReadingAndSaving)
{
    const QByteArray head = "[RKHotKey]\r\nRKHotKey1KeyCode=112\r\n";
    // The file filled up with a comment line to the size asked.
    const auto filled = [&](qint64 size) { return head + QByteArray(size - head.size() - 2, ';') + "\r\n"; };
    put(filled(100));
    ASSERT_TRUE(write("RKHotKey", "k", "1"));
    const QByteArray key(bytes().size() - 100, 'x'); // what writing k adds to the file
    const struct {
        const char* name;
        qint64 sizeBefore;
        bool readable, saved;
    } rows[] = {
        {"at the cap", platform::settings_file::MaxBytes, true, false},
        {"saved up to the cap", platform::settings_file::MaxBytes - key.size(), true, true},
        {"saved one byte over the cap", platform::settings_file::MaxBytes - key.size() + 1, true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        put(filled(row.sizeBefore));
        EXPECT_EQ(get("RKHotKey", "RKHotKey1KeyCode"), row.readable ? "112" : "DEF");
        const auto result = ini.writeString("RKHotKey", "k", "1", path());
        EXPECT_EQ(result.saved, row.saved) << result.reason.toStdString();
        EXPECT_EQ(bytes().size(), row.sizeBefore + (row.saved ? key.size() : 0));
        EXPECT_TRUE(row.saved || result.reason.startsWith(path())) << result.reason.toStdString();
        EXPECT_EQ(entries(), QStringList{"setting.ini"});
    }
}

TEST_F(IniProfileTest, ASaveKeepsTheFilesPermissions)
{
    for (const mode_t mode : {0600, 0640, 0604}) {
        put("[S]\r\nk=1\r\n");
        ASSERT_EQ(::chmod(QFile::encodeName(path()).constData(), mode), 0);
        ASSERT_TRUE(write("S", "k", "2"));
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
    }
}

TEST_F(IniProfileTest, ASaveClearsTheTemporaryFilesThatAKilledSaveLeft)
{
    for (const char* name : {".setting.ini.save-1xq0z3", ".setting.ini.save-a", ".setting.ini.bak", ".setting.ini.keep-me",
                             ".other.ini.save-1xq0z3", "setting.ini.save-1xq0z3"})
        put("left", name);
    ASSERT_TRUE(write("S", "k", "v"));
    EXPECT_EQ(entries(), (QStringList{".other.ini.save-1xq0z3", ".setting.ini.bak", ".setting.ini.keep-me", "setting.ini",
                                      "setting.ini.save-1xq0z3"}));
}

// Another user's folder, or one open to others, with setting.ini planted in it
// as a link to one of this user's files: it is neither read nor written. This
// user's own folder, private, or reached through a link the user made, is; and
// a setting.ini link there is followed.
TEST_F(IniProfileTest, OnlyAFolderOfThisUsersOwnThatNobodyElseWritesHoldsSettings)
{
    const bool root = ::geteuid() == 0; // only root can hand a folder or a link to another user
    const QByteArray note = "[RKHotKey]\r\nRKHotKey1KeyCode=112\r\n";
    const auto giveToNobody = [](const QString& p) { return ::lchown(QFile::encodeName(p).constData(), 65534, 65534) == 0; };
    enum Reached { Directly, ThroughOurLink, ThroughTheirLink, OnThroughAnOpenFolder };
    const struct {
        const char* name;
        mode_t mode;
        bool theirs;
        Reached reached;
        bool usable;
    } rows[] = {
        {"private", 0700, false, Directly, true},
        {"readable by others", 0755, false, Directly, true},
        {"through a link of ours", 0700, false, ThroughOurLink, true},
        {"open to all", 0777, false, Directly, false},
        {"open to the group", 0770, false, Directly, false},
        {"another user's", 0700, true, Directly, false},
        {"through another user's link", 0700, false, ThroughTheirLink, false},
        // setting.ini links to a file in a folder open to all, which someone made a link to notes.rc
        {"on through a folder open to all", 0700, false, OnThroughAnOpenFolder, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if ((row.theirs || row.reached == ThroughTheirLink) && !root)
            continue;
        put(note, "notes.rc");
        const bool onward = row.reached == OnThroughAnOpenFolder;
        const QString real = path("real"), folder = row.reached == Directly || onward ? real : path("link");
        const QString open = path("open");
        ASSERT_TRUE(QDir(real).removeRecursively() && QDir().mkdir(real));
        ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), row.mode), 0);
        ASSERT_TRUE(!onward || (QDir(open).removeRecursively() && QDir().mkdir(open) &&
                                ::chmod(QFile::encodeName(open).constData(), 0777) == 0 &&
                                QFile::link(path("notes.rc"), open + "/notes.rc")));
        ASSERT_TRUE(QFile::link(onward ? open + "/notes.rc" : path("notes.rc"), real + "/setting.ini"));
        ASSERT_TRUE(row.reached == Directly || onward || QFile::link(real, folder));
        ASSERT_TRUE(row.reached != ThroughTheirLink || giveToNobody(folder));
        ASSERT_TRUE(!row.theirs || giveToNobody(real));
        const QString file = folder + "/setting.ini";
        EXPECT_EQ(ini.getString("RKHotKey", "RKHotKey1KeyCode", "DEF", file), row.usable ? "112" : "DEF");
        const auto result = ini.writeString("RKHotKey", "RKHotKey1KeyCode", "113", file);
        EXPECT_EQ(result.saved, row.usable);
        EXPECT_EQ(bytes("notes.rc"), row.usable ? QByteArray(note).replace("112", "113") : note);
        EXPECT_TRUE(row.usable || result.reason.startsWith(onward ? open : folder)) << result.reason.toStdString();
        QFile::remove(path("link"));
    }
}

TEST_F(IniProfileTest, AFileWithTheUtf8MarkIsReadAsUtf8AndSavedBackSo)
{
    const QByteArray mark = "\xEF\xBB\xBF";
    put(mark + "[RKHotKey]\r\nRKHotKey1Text=\xE6\x97\xA0\r\nlong=x" + QByteArray("\xE6\x97\xA0").repeated(100) + "\r\n");
    EXPECT_EQ(get("RKHotKey", "RKHotKey1Text"), QStringLiteral("无"));
    // "x" and 84 characters of three bytes fill 253 bytes; the 85th would not fit.
    EXPECT_EQ(get("RKHotKey", "long"), "x" + QStringLiteral("无").repeated(84));
    ASSERT_TRUE(write("RKHotKey", "RKHotKey1Text", "热键"));
    EXPECT_TRUE(bytes().startsWith(mark + "[RKHotKey]\r\nRKHotKey1Text=\xE7\x83\xAD\xE9\x94\xAE\r\n"));
    EXPECT_EQ(bytes().count("[RKHotKey]"), 1);
}

TEST_F(IniProfileTest, WhatIsNotAPlainFileOfSaneSizeReadsAsMissingAndIsNeverWrittenOver)
{
    const QString file = path();
    const QByteArray name = QFile::encodeName(file);
    struct Case {
        const char* name;
        std::function<bool()> make;
    };
    const Case cases[] = {
        {"FIFO", [&] { return ::mkfifo(name.constData(), 0644) == 0; }},
        {"link to /dev/zero", [&] { return QFile::link("/dev/zero", file); }},
        {"folder", [&] { return QDir(dir.path()).mkdir("setting.ini"); }},
        {"one byte over the cap", [&] {
             put("[RKHotKey]\r\nRKHotKey1KeyCode=112\r\n" + QByteArray(platform::settings_file::MaxBytes, ';'));
             return true;
         }},
        {"sparse gigabyte", [&] {
             QFile f(file);
             return f.open(QIODevice::WriteOnly) && f.write("[RKHotKey]\r\nRKHotKey1KeyCode=112\r\n") > 0 && f.resize(qint64(1) << 30);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.make());
        struct stat before {};
        ASSERT_EQ(::lstat(name.constData(), &before), 0);
        EXPECT_EQ(get("RKHotKey", "RKHotKey1KeyCode"), "DEF");
        const auto result = ini.writeString("RKHotKey", "RKHotKey1KeyCode", "113", file);
        EXPECT_FALSE(result.saved);
        EXPECT_TRUE(result.reason.startsWith(file)) << result.reason.toStdString();
        struct stat after {};
        ASSERT_EQ(::lstat(name.constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_size, before.st_size);
        EXPECT_EQ(entries(), QStringList{"setting.ini"});
        QDir(dir.path()).rmdir("setting.ini");
        QFile::remove(file);
    }
}

TEST_F(IniProfileTest, ALinkToAPlainFileIsFollowedAndStaysALink)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("elsewhere"));
    put("[RKHotKey]\r\nRKHotKey1KeyCode=112\r\n", "elsewhere/real.ini");
    ASSERT_EQ(::symlink("elsewhere/real.ini", QFile::encodeName(path()).constData()), 0);
    EXPECT_EQ(get("RKHotKey", "RKHotKey1KeyCode"), "112");
    ASSERT_TRUE(write("RKHotKey", "RKHotKey1KeyCode", "113"));
    EXPECT_EQ(QFileInfo(path()).symLinkTarget(), path("elsewhere/real.ini"));
    EXPECT_EQ(bytes("elsewhere/real.ini"), QByteArray("[RKHotKey]\r\nRKHotKey1KeyCode=113\r\n"));
    EXPECT_EQ(entries(), (QStringList{"elsewhere", "setting.ini"}));
    EXPECT_EQ(QDir(path("elsewhere")).entryList(QDir::Files | QDir::Hidden), QStringList{"real.ini"});
}

// Each obstacle is set up in a child process, so the limit or the dropped
// privileges stay there; the child exits 0 when the write failed with a reason.
TEST_F(IniProfileTest, AWriteThatFailsLeavesTheOldFileByteForByte)
{
    const QByteArray old = QByteArray(ExampleSettingsIni) + "[Other]\r\nkeep=1\r\n";
    const QByteArray folderName = QFile::encodeName(dir.path()), fileName = QFile::encodeName(path());
    // Root writes whatever the permissions say, so the child becomes nobody first.
    const auto dropRoot = [&] {
        if (::geteuid() != 0)
            return true;
        return ::chown(folderName.constData(), 65534, 65534) == 0 && ::chown(fileName.constData(), 65534, 65534) == 0
            && ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
    };
    struct Case {
        const char* name;
        std::function<bool()> obstruct;
    };
    const Case cases[] = {
        {"file-size limit", [&] {
             std::signal(SIGXFSZ, SIG_IGN);
             rlimit limit{};
             return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && (limit.rlim_cur = 64, ::setrlimit(RLIMIT_FSIZE, &limit) == 0);
         }},
        {"folder not writable", [&] { return dropRoot() && ::chmod(folderName.constData(), 0555) == 0; }},
        {"file not writable", [&] { return dropRoot() && ::chmod(fileName.constData(), 0444) == 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        put(old);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (!c.obstruct())
                ::_exit(2);
            const auto result = ini.writeString("RKHotKey", "RKHotKey1Text", "Ctrl + F2", path());
            ::_exit(!result.saved && result.reason.startsWith(path()) ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
        ::chmod(folderName.constData(), 0700);
        ::chmod(fileName.constData(), 0644);
        EXPECT_EQ(bytes(), old);
        EXPECT_EQ(entries(), QStringList{"setting.ini"});
    }
}

} // namespace
