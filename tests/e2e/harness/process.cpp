#include "harness/process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <set>
#include <sstream>
#include <poll.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace e2e {
namespace {

std::vector<std::string> mergedEnvironment(const std::map<std::string, std::string>& extra)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        const std::string key = entry.substr(0, entry.find('='));
        if (!extra.count(key))
            env.push_back(entry);
    }
    for (const auto& [k, v] : extra)
        env.push_back(k + "=" + v);
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> out;
    for (auto& s : strings)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

pid_t spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env, int stdoutFd,
            int keepFd, int stderrFd = -1)
{
    std::vector<std::string> args = argv;
    std::vector<std::string> envs = mergedEnvironment(env);
    auto argp = pointers(args);
    auto envp = pointers(envs);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
    if (stderrFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, stderrFd, 2);
    if (keepFd >= 0) {
        // The descriptor stays open in the child under its own number.
        const int flags = fcntl(keepFd, F_GETFD);
        fcntl(keepFd, F_SETFD, flags & ~FD_CLOEXEC);
    }
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, args[0].c_str(), &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

} // namespace

Process::Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env, int keepFd,
                 int stderrFd)
    : pid_(spawn(argv, env, -1, keepFd, stderrFd))
{
}

Process::Process(Process&& other) noexcept : pid_(other.pid_), status_(other.status_), cpuSeconds_(other.cpuSeconds_)
{
    other.pid_ = -1;
}

Process& Process::operator=(Process&& other) noexcept
{
    if (this != &other) {
        kill(9);
        pid_ = other.pid_;
        status_ = other.status_;
        cpuSeconds_ = other.cpuSeconds_;
        other.pid_ = -1;
    }
    return *this;
}

Process::~Process() { kill(9); }

bool Process::running() { return waitExit(0ms) == -1 && pid_ > 0; }

int Process::waitExit(std::chrono::milliseconds timeout)
{
    if (pid_ <= 0)
        return status_;
    waitFor(
        [&] {
            int st = 0;
            rusage usage{};
            const pid_t r = wait4(pid_, &st, WNOHANG, &usage);
            if (r == pid_) {
                status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
                cpuSeconds_ = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                              double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
                pid_ = -1;
                return true;
            }
            return false;
        },
        timeout, 5ms);
    return pid_ > 0 ? -1 : status_;
}

void Process::kill(int signal)
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, signal);
    if (waitExit(2000ms) == -1) {
        ::kill(pid_, SIGKILL);
        waitExit(2000ms);
    }
}

std::string listeningSocketOf(pid_t pid)
{
    // The process's sockets by inode, then /proc/net/unix for the listening one among them.
    std::set<std::string> inodes;
    const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
    if (DIR* dir = opendir(fds.c_str())) {
        while (const dirent* e = readdir(dir)) {
            char target[256] = {};
            const std::string link = fds + "/" + e->d_name;
            if (readlink(link.c_str(), target, sizeof target - 1) > 0 && std::string(target).rfind("socket:[", 0) == 0)
                inodes.insert(std::string(target).substr(8, std::string(target).size() - 9));
        }
        closedir(dir);
    }
    std::ifstream table("/proc/net/unix");
    std::string line;
    std::getline(table, line); // the header
    while (std::getline(table, line)) {
        // Num RefCount Protocol Flags Type St Inode Path; flags 00010000 mark a listening socket.
        std::istringstream fields(line);
        std::string num, refs, protocol, flags, type, state, inode, path;
        fields >> num >> refs >> protocol >> flags >> type >> state >> inode >> path;
        if (flags == "00010000" && !path.empty() && path[0] == '/' && inodes.count(inode))
            return path;
    }
    return {};
}

bool holdsFileLock(pid_t pid)
{
    // Lines such as "1: FLOCK  ADVISORY  WRITE 1234 00:2a:5678 0 EOF".
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, owner;
        fields >> number >> kind >> mode >> access >> owner;
        if (kind == "FLOCK" && owner == std::to_string(pid))
            return true;
    }
    return false;
}

RunResult run(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
              std::chrono::milliseconds timeout)
{
    RunResult result;
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return result;
    // Standard error goes to a file in memory, read once the command has ended.
    const int errFd = memfd_create("stderr", MFD_CLOEXEC);
    const pid_t pid = spawn(argv, env, pipeFds[1], -1, errFd);
    close(pipeFds[1]);
    if (pid < 0) {
        close(pipeFds[0]);
        close(errFd);
        return result;
    }
    const auto deadline = Clock::now() + timeout;
    char buf[4096];
    while (Clock::now() < deadline) {
        pollfd pfd{pipeFds[0], POLLIN, 0};
        if (poll(&pfd, 1, 50) > 0) {
            const ssize_t n = read(pipeFds[0], buf, sizeof buf);
            if (n <= 0)
                break;
            result.out.append(buf, static_cast<size_t>(n));
        }
    }
    close(pipeFds[0]);
    int st = 0;
    if (waitpid(pid, &st, WNOHANG) == 0) {
        waitFor([&] { return waitpid(pid, &st, WNOHANG) == pid; }, std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::max(Clock::duration(0), deadline - Clock::now())) + 100ms);
        if (waitpid(pid, &st, WNOHANG) == 0) {
            ::kill(pid, SIGKILL);
            waitpid(pid, &st, 0);
        }
    }
    result.exitCode = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    if (errFd >= 0) {
        lseek(errFd, 0, SEEK_SET);
        ssize_t n = 0;
        while ((n = read(errFd, buf, sizeof buf)) > 0)
            result.err.append(buf, static_cast<size_t>(n));
        close(errFd);
    }
    return result;
}

} // namespace e2e
