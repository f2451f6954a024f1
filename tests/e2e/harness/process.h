#pragma once
#include <chrono>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace e2e {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A child process started without a shell, with extra environment variables.
class Process {
public:
    Process() = default;
    // keepFd stays open in the child; its standard error goes to stderrFd when given.
    Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env = {},
            int keepFd = -1, int stderrFd = -1);
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    ~Process(); // kills what is still running

    pid_t pid() const { return pid_; }
    bool running();
    // Waits for the exit until the deadline; the exit status, or -1 while running.
    int waitExit(std::chrono::milliseconds timeout);
    void kill(int signal = 15);
    // User plus system CPU time of the process, known once it has been waited for.
    double cpuSeconds() const { return cpuSeconds_; }

private:
    pid_t pid_ = -1;
    int status_ = -1;
    double cpuSeconds_ = 0;
};

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a command to its end (at most the timeout) and returns its standard output and error.
RunResult run(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env = {},
              std::chrono::milliseconds timeout = 10s);

// The path of a socket on which the process listens, empty when none.
std::string listeningSocketOf(pid_t pid);
// Whether the process holds a file lock (flock).
bool holdsFileLock(pid_t pid);

// Polls the condition until it holds or the timeout passes.
template <class Pred>
bool waitFor(Pred pred, std::chrono::milliseconds timeout, std::chrono::milliseconds step = 10ms)
{
    const auto deadline = Clock::now() + timeout;
    while (true) {
        if (pred())
            return true;
        if (Clock::now() >= deadline)
            return false;
        struct timespec ts{0, static_cast<long>(std::chrono::nanoseconds(step).count())};
        nanosleep(&ts, nullptr);
    }
}

} // namespace e2e
