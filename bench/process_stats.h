#pragma once
// What /proc tells about a running process, for the benchmarks.
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/types.h>

namespace bench {

// CPU time of all the process's threads so far, in seconds: the scheduler's own
// nanosecond count, fine enough for a fraction of a percent over a few seconds.
inline double cpuSeconds(pid_t pid)
{
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code ec;
    double ns = 0;
    for (const auto& task : std::filesystem::directory_iterator(tasks, ec)) {
        std::ifstream f(task.path() / "schedstat");
        double onCpu = 0;
        if (f >> onCpu)
            ns += onCpu;
    }
    return ns / 1e9;
}

// A memory figure of /proc/<pid>/status in kB: "VmRSS" now, "VmHWM" the peak.
inline long memoryKb(pid_t pid, const std::string& field)
{
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return 0;
}

// The machine's load averages over 1, 5 and 15 minutes.
inline std::string loadAverage()
{
    std::ifstream f("/proc/loadavg");
    std::string one, five, fifteen;
    f >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

} // namespace bench
