// `vorlin --start` and the other commands for the running Vorlin, and the
// single instance they rely on: the real program under Xvfb and openbox.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "harness/click_recorder.h"
#include "harness/vorlin_window.h"

using namespace e2e;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

using Env = std::map<std::string, std::string>;
constexpr uid_t Nobody = 65534;

// How often the part occurs in what was written to the file.
size_t occurrences(int fd, const std::string& part)
{
    std::string text(4096, '\0');
    text.resize(std::max<ssize_t>(0, pread(fd, text.data(), text.size(), 0)));
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

class CommandsTest : public ::testing::Test {
protected:
    // Without a window manager a window maps at once; only answering a message needs one.
    explicit CommandsTest(bool windowManager = false) : session(XSession::Options{.windowManager = windowManager}) {}

    XSession session;

    void SetUp() override { ASSERT_TRUE(session.ok()) << "no X server"; }

    Env env(const Env& changes) const
    {
        Env e = session.environment();
        for (const auto& [k, v] : changes)
            e[k] = v;
        return e;
    }
    std::vector<std::string> command(std::vector<std::string> args) const
    {
        args.insert(args.begin(), session.folder() + "/vorlin");
        return args;
    }
    // `vorlin` with arguments, run to its end as from a shell or a desktop shortcut.
    RunResult vorlin(const std::vector<std::string>& args, const Env& changes = {}) const
    {
        return run(command(args), env(changes), 20s);
    }
    size_t windows() const { return session.windowsTitled("Vorlin").size(); }
    // Presses keep arriving: at least `n` more within a few seconds.
    bool stillClicking(const ClickRecorder& rec, int n = 20) const
    {
        const int from = rec.pressCount();
        return waitFor([&] { return rec.pressCount() >= from + n; }, 5s);
    }
};

class CommandsWithMessagesTest : public CommandsTest {
protected:
    CommandsWithMessagesTest() : CommandsTest(true) {}
};

TEST_F(CommandsWithMessagesTest, StartStopAndLockReachTheRunningVorlinAndBadInputGetsTheHotkeysMessages)
{
    RunningVorlin running(session);
    ASSERT_TRUE(running.ok());
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    session.movePointer(900, 900); // the clicks land on the empty desktop

    EXPECT_EQ(vorlin({"--interval", "10", "--start"}).exitCode, 0);
    EXPECT_TRUE(waitFor([&] { return rec.pressCount() >= 50; }, 10s)) << rec.pressCount();
    EXPECT_EQ(vorlin({"--stop"}).exitCode, 0);
    EXPECT_TRUE(waitForQuiet(rec, 500ms, 5s)) << "clicks went on after --stop";

    const int clicks = rec.pressCount();
    EXPECT_EQ(vorlin({"--at", "300", "400", "--lock"}).exitCode, 0);
    EXPECT_TRUE(waitFor([&] { return session.pointer() == std::pair{300, 400}; }, 2s));
    session.movePointer(20, 30);
    EXPECT_TRUE(waitFor([&] { return session.pointer() == std::pair{300, 400}; }, 2s)) << "--lock did not pin";
    EXPECT_EQ(vorlin({"--stop"}).exitCode, 0);
    session.movePointer(21, 31);
    EXPECT_TRUE(pointerStaysAt(session, {21, 31}, 400ms)) << "the pin outlived --stop";
    EXPECT_EQ(rec.pressCount(), clicks) << "--lock clicked";

    // The sender is done once the command is taken; the message is the running Vorlin's.
    EXPECT_EQ(vorlin({"--interval", "abc", "--start"}).exitCode, 0);
    EXPECT_TRUE(running.dismissMessage("范围错误"));
    EXPECT_EQ(vorlin({"--at", "", "400", "--lock"}).exitCode, 0);
    EXPECT_TRUE(running.dismissMessage("错误"));
    EXPECT_EQ(windows(), 1u) << "a command started a second Vorlin";

    // A quit while a message is open closes the message too, and ends cleanly.
    EXPECT_EQ(vorlin({"--lock"}).exitCode, 0);
    ASSERT_TRUE(session.waitForWindow("错误"));
    EXPECT_EQ(vorlin({"--quit"}).exitCode, 0);
    EXPECT_EQ(running.process.waitExit(5s), 0);
}

TEST_F(CommandsTest, AFreshVorlinRunsTheCommandsOnceItsWindowIsUpAndQuitEndsIt)
{
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    session.movePointer(900, 900);
    // In a Wayland session it says once, on standard error, what reaches which programs.
    const int errFd = memfd_create("vorlin-stderr", MFD_CLOEXEC);
    Process first(command({"--interval", "10", "--start"}), env({{"WAYLAND_DISPLAY", "wayland-7"}}), -1, errFd);
    ASSERT_TRUE(session.waitForWindow("Vorlin", 15s));
    ASSERT_TRUE(waitFor([&] { return rec.pressCount() >= 50; }, 10s)) << rec.pressCount();

    EXPECT_EQ(vorlin({"--quit"}).exitCode, 0);
    EXPECT_EQ(first.waitExit(5s), 0);
    EXPECT_TRUE(waitForQuiet(rec, 300ms, 3s));
    EXPECT_EQ(occurrences(errFd, "X11 programs only"), 1u);
    close(errFd);

    // With nothing running, a quit has nothing to close and starts nothing.
    EXPECT_EQ(vorlin({"--quit"}).exitCode, 0);
    EXPECT_EQ(windows(), 0u);
}

TEST(CommandLine, AnUnknownArgumentEndsWithStatus2AndOneLineHelpAndVersionWith0)
{
    const Env noDisplay{{"DISPLAY", ""}}; // being told needs no display
    const RunResult bad = run({VORLIN_BINARY, "--interval", "10", "--stat"}, noDisplay);
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err, "vorlin: unknown argument \"--stat\" (see vorlin --help)\n");
    const RunResult help = run({VORLIN_BINARY, "--help"}, noDisplay);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--interval MS"), std::string::npos) << help.out;
    const RunResult version = run({VORLIN_BINARY, "--version"}, noDisplay);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("vorlin ", 0), 0u) << version.out;
}

TEST_F(CommandsTest, AnotherUsersCommandsAreRefused)
{
    if (geteuid() != 0) {
        GTEST_SKIP() << "a second user's command needs root to act as that user (nobody); this run is not root";
    }
    RunningVorlin running(session);
    ASSERT_TRUE(running.ok());
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    session.movePointer(900, 900);
    ASSERT_EQ(vorlin({"--interval", "10", "--start"}).exitCode, 0);
    ASSERT_TRUE(stillClicking(rec));

    // nobody's `vorlin --stop` finds their lock held, and in their folder our
    // socket under their name (a second link to it), the way there opened for
    // the test: ours hangs up on them.
    const std::string ours = listeningSocketOf(running.process.pid());
    ASSERT_FALSE(ours.empty());
    const std::string name = fs::path(ours).filename().string();
    const std::string theirs = fs::is_directory("/run/user/65534") ? "/run/user/65534" : "/tmp/vorlin-65534";
    fs::create_directory(theirs);
    ASSERT_EQ(chown(theirs.c_str(), Nobody, Nobody), 0);
    chmod(theirs.c_str(), 0700);
    fs::remove(theirs + "/" + name);
    ASSERT_EQ(link(ours.c_str(), (theirs + "/" + name).c_str()), 0) << "the two folders are on different file systems";
    chmod(ours.c_str(), 0777);
    const std::string lockName = name.substr(0, name.size() - std::string(".socket").size()) + ".lock";
    const int lock = open((theirs + "/" + lockName).c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    ASSERT_EQ(flock(lock, LOCK_EX), 0);
    ASSERT_EQ(fchown(lock, Nobody, Nobody), 0);
    const RunResult r = run({"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", session.folder() + "/vorlin",
                             "--stop"},
                            session.environment(), 20s); // turned away, it tries again for 10 s
    close(lock);
    fs::remove(theirs + "/" + name);
    fs::remove(theirs + "/" + lockName);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_TRUE(stillClicking(rec)) << "another user's --stop reached this Vorlin";

    EXPECT_EQ(vorlin({"--stop"}).exitCode, 0) << "the instance no longer hears its own user";
    EXPECT_TRUE(waitForQuiet(rec, 500ms, 5s));
}

// The lock and the socket follow from the user alone: a second start and a
// command meet the first Vorlin whatever their environment says, and what
// another user may have left in a temp folder under our name is not used.
struct Place {
    const char* name;
    const char* runtimeDir;
    enum { Nothing, Link, LinkToPrivate, OpenFolder, OthersFolder } planted;
};

class SingleInstanceTest : public CommandsTest, public ::testing::WithParamInterface<Place> {};

TEST_P(SingleInstanceTest, ASecondStartIsRefusedAndCommandsReachTheFirst)
{
    const Place& place = GetParam();
    if (place.planted == Place::OthersFolder && geteuid() != 0) {
        GTEST_SKIP() << "a folder of another user's needs root to make; this run is not root";
    }
    const std::string temp = session.folder() + "/tmp";
    const std::string ours = temp + "/vorlin-" + std::to_string(geteuid());
    const std::string elsewhere = session.folder() + "/elsewhere";
    fs::create_directories(temp);
    if (place.planted == Place::Link || place.planted == Place::LinkToPrivate) {
        fs::create_directory(elsewhere);
        if (place.planted == Place::LinkToPrivate)
            chmod(elsewhere.c_str(), 0700); // what the link leads to would pass: only the link gives it away
        fs::create_directory_symlink(elsewhere, ours);
    } else if (place.planted != Place::Nothing) {
        fs::create_directory(ours);
        chmod(ours.c_str(), place.planted == Place::OpenFolder ? 0777 : 0700);
        if (place.planted == Place::OthersFolder) {
            ASSERT_EQ(chown(ours.c_str(), Nobody, Nobody), 0);
        }
    }
    const Env changes{{"XDG_RUNTIME_DIR", place.runtimeDir}, {"TMPDIR", temp}, {"XDG_CACHE_HOME", session.folder() + "/cache"}};

    RunningVorlin first(session, Process(command({}), session.environment()));
    ASSERT_TRUE(first.ok()) << "another user's leftovers kept Vorlin from starting";
    Process second(command({}), env(changes));
    EXPECT_TRUE(session.waitForWindow("请勿重复运行").has_value()) << "a second start was not refused";
    EXPECT_EQ(windows(), 1u);
    // The refused start, its window never loaded, takes no commands: they reach the first.
    EXPECT_EQ(vorlin({"--quit"}, changes).exitCode, 0);
    EXPECT_EQ(first.process.waitExit(5s), 0);
    second.kill();

    if (place.planted == Place::Link || place.planted == Place::LinkToPrivate) {
        EXPECT_TRUE(fs::is_empty(elsewhere)) << "the link was followed";
    } else if (place.planted != Place::Nothing) {
        EXPECT_TRUE(fs::is_empty(ours)) << "another user's folder was used";
    }
}

INSTANTIATE_TEST_SUITE_P(Places, SingleInstanceTest,
                         ::testing::Values(Place{"RuntimeDirEmpty", "", Place::Nothing},
                                           Place{"RuntimeDirMissing", "/nonexistent/run", Place::Nothing},
                                           Place{"TempFolderIsALink", "", Place::Link},
                                           Place{"TempFolderIsALinkToAPrivateFolder", "", Place::LinkToPrivate},
                                           Place{"TempFolderOpenToOthers", "", Place::OpenFolder},
                                           Place{"TempFolderOfAnotherUser", "", Place::OthersFolder}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
