// Click rate and period against xdotool in the same run, idle CPU with the
// coordinate display on, peak memory and start-up time. Prints a table; never fails on a figure.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "harness/click_recorder.h"
#include "harness/vorlin_window.h"

using namespace e2e;
using namespace std::chrono_literals;

namespace {

struct Periods {
    double perSecond = 0, mean = 0, p99 = 0;
    int count = 0;
};

Periods analyse(std::vector<uint32_t> t, size_t skip)
{
    Periods r;
    if (t.size() < skip + 3)
        return r;
    t.erase(t.begin(), t.begin() + static_cast<long>(skip));
    std::vector<double> d;
    for (size_t i = 1; i < t.size(); ++i)
        d.push_back(double(t[i] - t[i - 1]));
    r.count = static_cast<int>(t.size());
    r.mean = std::accumulate(d.begin(), d.end(), 0.0) / double(d.size());
    r.perSecond = 1000.0 / r.mean;
    std::sort(d.begin(), d.end());
    r.p99 = d[std::min(d.size() - 1, size_t(double(d.size()) * 0.99))];
    return r;
}

Periods measureVorlin(const XSession& s, const RunningVorlin& v, int intervalMs, int presses)
{
    v.type(form1::IntervalBox, std::to_string(intervalMs));
    v.click(form1::StartButton);
    // Clicks land on the empty desktop, as a user's clicks land in another program.
    s.movePointer(5, 1000);
    ClickRecorder rec(s.displayName());
    waitFor([&] { return rec.pressCount() >= presses + 1; }, std::chrono::milliseconds(presses * intervalMs * 3 + 5000));
    v.click(form1::StopButton);
    auto p = rec.presses();
    p.resize(std::min(p.size(), size_t(presses + 1)));
    return analyse(p, 1); // from the first full period on
}

Periods measureXdotool(const XSession& s, int intervalMs, int presses)
{
    ClickRecorder rec(s.displayName());
    s.movePointer(5, 1000);
    s.xdotool({"click", "--repeat", std::to_string(presses), "--delay", std::to_string(intervalMs), "1"});
    waitFor([&] { return rec.pressCount() >= presses; }, 5s);
    return analyse(rec.presses(), 0);
}

long cpuTicks(pid_t pid)
{
    std::ifstream f("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(f)), {});
    std::istringstream in(all.substr(all.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && in >> field; ++i) {
        if (i == 14) utime = std::stol(field);
        if (i == 15) stime = std::stol(field);
    }
    return utime + stime;
}

long peakRssKb(pid_t pid)
{
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

} // namespace

int main()
{
    XSession session(XSession::Options{.windowManager = true});
    if (!session.ok()) {
        std::puts("no X server: nothing measured");
        return 0;
    }

    // Start-up: from spawning the process to its main window being viewable.
    std::vector<double> startMs;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = Clock::now();
        RunningVorlin v(session);
        startMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        v.process.kill();
        waitFor([&] { return session.windowsTitled("Vorlin").empty(); }, 5s);
    }
    std::sort(startMs.begin(), startMs.end());

    RunningVorlin v(session);
    const pid_t pid = v.process.pid();
    // Idle with the coordinate display on (as it starts).
    session.movePointer(5, 1000);
    const long hz = sysconf(_SC_CLK_TCK);
    const long c0 = cpuTicks(pid);
    const auto t0 = Clock::now();
    usleep(10'000'000);
    const double idleSeconds = std::chrono::duration<double>(Clock::now() - t0).count();
    const double idleCpu = 100.0 * double(cpuTicks(pid) - c0) / double(hz) / idleSeconds;

    std::printf("| interval | Vorlin clicks/s | Vorlin mean period | Vorlin p99 period | xdotool clicks/s | xdotool mean period | rate ratio |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const auto& [interval, presses] : std::vector<std::pair<int, int>>{{1, 3000}, {10, 500}, {100, 50}}) {
        const Periods ours = measureVorlin(session, v, interval, presses);
        waitFor([] { return false; }, 300ms); // let the stop land before the peer starts
        const Periods peer = measureXdotool(session, interval, presses);
        std::printf("| %d ms | %.1f | %.3f ms | %.0f ms | %.1f | %.3f ms | %.3f |\n", interval, ours.perSecond, ours.mean,
                    ours.p99, peer.perSecond, peer.mean, peer.perSecond > 0 ? ours.perSecond / peer.perSecond : 0.0);
    }
    std::printf("\n| figure | value |\n|---|---|\n");
    std::printf("| idle CPU, coordinate display on | %.2f %% of one core |\n", idleCpu);
    std::printf("| peak RSS | %.1f MB |\n", double(peakRssKb(pid)) / 1024.0);
    std::printf("| start to window (median of 5) | %.0f ms |\n", startMs[startMs.size() / 2]);
    return 0;
}
