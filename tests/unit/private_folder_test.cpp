// Where the lock and the command socket live: the folder chosen from what is on
// disk, never from the environment, and one pair of files per X display.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/private_folder.h"

using platform::posix::instanceFiles;
using platform::posix::privateRuntimeFolder;

namespace {

mode_t modeOf(const QString& path)
{
    struct stat st{};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}

} // namespace

TEST(PrivateFolder, TheUsersOwnRunFolderFirstThenTheTempFolderThenTheHomeNeverALinkOrAnOpenFolder)
{
    enum Plant { Nothing, PrivateFolder, OpenFolder, LinkToPrivate };
    const struct {
        const char* name;
        Plant perUser;
        Plant inTemp;
        const char* chosen; // below the test's root
    } rows[] = {
        {"run folder", PrivateFolder, Nothing, "/run"},
        {"no run folder", Nothing, Nothing, "/tmp/vorlin-UID"},
        {"run folder open to others", OpenFolder, Nothing, "/tmp/vorlin-UID"},
        {"run folder a link", LinkToPrivate, Nothing, "/tmp/vorlin-UID"},
        {"temp name a link", Nothing, LinkToPrivate, "/home/.cache/vorlin-run-HOST"},
        {"temp name open to others", Nothing, OpenFolder, "/home/.cache/vorlin-run-HOST"},
        {"temp name ours already", Nothing, PrivateFolder, "/tmp/vorlin-UID"},
    };
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    for (const auto& row : rows) {
        QTemporaryDir root;
        const QString r = root.path();
        QDir().mkpath(r + "/tmp");
        QDir().mkpath(r + "/home");
        QDir().mkpath(r + "/elsewhere");
        ::chmod(QFile::encodeName(r + "/elsewhere").constData(), 0700);
        const QString inTemp = r + "/tmp/vorlin-" + QString::number(::geteuid());
        const auto plant = [&](Plant p, const QString& path) {
            if (p == LinkToPrivate)
                QFile::link(r + "/elsewhere", path);
            else if (p != Nothing) {
                QDir().mkdir(path);
                ::chmod(QFile::encodeName(path).constData(), p == OpenFolder ? 0777 : 0700);
            }
        };
        plant(row.perUser, r + "/run");
        plant(row.inTemp, inTemp);

        QString expected = r + row.chosen;
        expected.replace("UID", QString::number(::geteuid())).replace("HOST", QString::fromLocal8Bit(host));
        const QString chosen = privateRuntimeFolder({r + "/run", r + "/tmp", r + "/home"});
        EXPECT_EQ(chosen.toStdString(), expected.toStdString()) << row.name;
        EXPECT_EQ(modeOf(chosen), 0700u) << row.name;
        EXPECT_TRUE(QDir(r + "/elsewhere").isEmpty()) << row.name << ": a link was followed";
        if (row.inTemp == OpenFolder) {
            EXPECT_EQ(modeOf(inTemp), 0777u) << row.name << ": another's folder was changed";
        }
    }
}

TEST(PrivateFolder, OneLockAndSocketPerDisplayHoweverItIsWritten)
{
    const struct {
        const char* display;
        const char* stem;
    } rows[] = {
        {":0", "/f/vorlin-0"},          {":0.0", "/f/vorlin-0"},   {"unix:0", "/f/vorlin-0"},
        {":12.1", "/f/vorlin-12"},       {"localhost:10.0", "/f/vorlin-localhost-10"},
        {"", "/f/vorlin"},               {"a/b:3", "/f/vorlin-a_b-3"},
    };
    for (const auto& row : rows) {
        const auto files = instanceFiles("/f", row.display);
        EXPECT_EQ(files.lock.toStdString(), std::string(row.stem) + ".lock") << row.display;
        EXPECT_EQ(files.socket.toStdString(), std::string(row.stem) + ".socket") << row.display;
    }
    // A long name is shortened, and two long names stay apart.
    const auto a = instanceFiles("/f", QString(100, u'h') + ":1"), b = instanceFiles("/f", QString(100, u'h') + ":2");
    EXPECT_LE(a.socket.size(), QStringLiteral("/f/vorlin-.socket").size() + 24);
    EXPECT_NE(a.socket, b.socket);
}
