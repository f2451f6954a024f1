// The command channel under strain, with the real program: a flood of
// connections, a sender that gives up, a command sent while Vorlin is still
// starting.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "harness/click_recorder.h"
#include "harness/vorlin_window.h"

using namespace e2e;
using namespace std::chrono_literals;

namespace {

using Env = std::map<std::string, std::string>;

class CommandChannelTest : public ::testing::Test {
protected:
    XSession session;

    void SetUp() override { ASSERT_TRUE(session.ok()) << "no X server"; }

    std::vector<std::string> command(std::vector<std::string> args) const
    {
        args.insert(args.begin(), session.folder() + "/vorlin");
        return args;
    }
    RunResult vorlin(const std::vector<std::string>& args) const
    {
        return run(command(args), session.environment(), 20s);
    }
    // Clicks at 10 ms start on --start and end on --stop: the channel works.
    void expectCommandsWork(const ClickRecorder& rec) const
    {
        EXPECT_EQ(vorlin({"--interval", "10", "--start"}).exitCode, 0);
        const int from = rec.pressCount();
        EXPECT_TRUE(waitFor([&] { return rec.pressCount() >= from + 20; }, 10s)) << "--start was not run";
        EXPECT_EQ(vorlin({"--stop"}).exitCode, 0);
        EXPECT_TRUE(waitForQuiet(rec, 500ms, 5s)) << "--stop was not run";
    }
};

// Holds connections to a socket; the server's hang-ups are seen as readable ends.
class Flood {
public:
    Flood(const std::string& path, int count)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        for (int i = 0; i < count; ++i) {
            const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
            // A full queue of waiting connections refuses for a moment: try again.
            const bool in = fd >= 0 && waitFor([&] {
                return connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 || errno == EISCONN;
            }, 2s, 1ms);
            if (!in) {
                if (fd >= 0)
                    close(fd);
                break;
            }
            fds_.push_back(fd);
        }
    }
    ~Flood()
    {
        for (int fd : fds_)
            close(fd);
    }
    size_t held() const { return fds_.size(); }
    bool someHungUp() const
    {
        for (int fd : fds_) {
            char c = 0;
            if (recv(fd, &c, 1, MSG_PEEK | MSG_DONTWAIT) == 0)
                return true;
        }
        return false;
    }

private:
    std::vector<int> fds_;
};

struct FloodRow {
    const char* name;
    int fileLimit; // of the program
    int connections;
};

class FloodTest : public CommandChannelTest, public ::testing::WithParamInterface<FloodRow> {};

TEST_P(FloodTest, AFloodOfConnectionsNeverSwitchesTheChannelOff)
{
    const FloodRow& row = GetParam();
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max; // this test holds more than the usual 1,024
    setrlimit(RLIMIT_NOFILE, &files);
    ASSERT_GT(files.rlim_cur, rlim_t(row.connections + 50));

    RunningVorlin running(session, Process({"prlimit", "--nofile=" + std::to_string(row.fileLimit),
                                            session.folder() + "/vorlin"},
                                           session.environment()));
    ASSERT_TRUE(running.ok());
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    session.movePointer(900, 900); // the clicks land on the empty desktop
    std::string socketPath;
    ASSERT_TRUE(waitFor([&] { return !(socketPath = listeningSocketOf(running.process.pid())).empty(); }, 5s));

    {
        Flood flood(socketPath, row.connections);
        EXPECT_GT(flood.held(), size_t(row.connections / 2));
        EXPECT_TRUE(waitFor([&] { return flood.someHungUp(); }, 10s)) << "nothing of the flood was turned away";
    }
    EXPECT_EQ(listeningSocketOf(running.process.pid()), socketPath) << "the program stopped listening";
    expectCommandsWork(rec);
    EXPECT_TRUE(running.process.running());
}

// 20 descriptors (Vorlin holds 14) run out while the flood is still within the cap of peers;
// at the usual 1,024 the cap turns the flood away first.
INSTANTIATE_TEST_SUITE_P(Limits, FloodTest,
                         ::testing::Values(FloodRow{"OutOfDescriptors", 20, 200},
                                           FloodRow{"UsualLimit", 1024, 1100}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandChannelTest, ACommandItsSenderGaveUpOnNeverRuns)
{
    RunningVorlin running(session);
    ASSERT_TRUE(running.ok());
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    session.movePointer(900, 900);

    // The instance is stopped: the sender waits, gives up and says so.
    kill(running.process.pid(), SIGSTOP);
    const RunResult gaveUp = vorlin({"--interval", "10", "--start"});
    kill(running.process.pid(), SIGCONT);
    EXPECT_EQ(gaveUp.exitCode, 1);
    EXPECT_NE(gaveUp.err.find("did not take"), std::string::npos) << gaveUp.err;

    // A later command is run; the one given up on, ahead of it, is not.
    EXPECT_EQ(vorlin({"--at", "300", "400", "--lock"}).exitCode, 0);
    EXPECT_TRUE(waitFor([&] { return session.pointer() == std::pair{300, 400}; }, 5s)) << "the later command was not run";
    EXPECT_FALSE(waitFor([&] { return rec.pressCount() > 0; }, 1s)) << "the command reported as not taken ran";
    EXPECT_EQ(vorlin({"--stop"}).exitCode, 0);
}

TEST_F(CommandChannelTest, ACommandSentWhileVorlinStartsRunsOnceItsWindowIsUp)
{
    // Frozen, the X server keeps Vorlin from getting its window: it is starting
    // for as long as the test wants.
    const struct {
        std::vector<std::string> args;
        bool quits;
    } rows[] = {{{"--interval", "10", "--start"}, false}, {{"--quit"}, true}};
    session.movePointer(900, 900); // the clicks land on the empty desktop
    for (const auto& row : rows) {
        kill(session.serverPid(), SIGSTOP);
        Process first(command({}), session.environment());
        const bool locked = waitFor([&] { return holdsFileLock(first.pid()); }, 10s);
        Process sender(command(row.args), session.environment());
        kill(session.serverPid(), SIGCONT);
        ASSERT_TRUE(locked) << "Vorlin took its lock only once its window was up";
        EXPECT_EQ(sender.waitExit(15s), 0) << row.args[0];
        if (row.quits) {
            EXPECT_EQ(first.waitExit(10s), 0) << "--quit found no instance";
            EXPECT_TRUE(session.windowsTitled("Vorlin").empty());
            continue;
        }
        ASSERT_TRUE(session.waitForWindow("Vorlin"));
        ClickRecorder rec(session.displayName());
        ASSERT_TRUE(rec.ok());
        EXPECT_TRUE(waitFor([&] { return rec.pressCount() >= 20; }, 10s)) << "the command sent while starting was lost";
        EXPECT_EQ(session.windowsTitled("Vorlin").size(), 1u);
        EXPECT_EQ(vorlin({"--quit"}).exitCode, 0);
        EXPECT_EQ(first.waitExit(10s), 0);
    }
}

} // namespace
