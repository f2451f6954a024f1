// Click rate and period against xdotool in the same run, CPU time per click
// against xdotool's, idle CPU with the coordinate display on, peak memory and
// start-up time. Prints tables; never fails on a figure.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <unistd.h>
#include <vector>

#include "harness/click_recorder.h"
#include "harness/vorlin_window.h"
#include "process_stats.h"

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

struct Run {
    Periods periods;
    double cpuPerClickUs = 0;
};

// Clicks at the interval until `presses` have landed after the first ones, then stops.
// The CPU time counts only the steady clicking (the coordinate display runs as well).
Run measureVorlin(const XSession& s, const RunningVorlin& v, int intervalMs, int presses)
{
    v.type(form1::IntervalBox, std::to_string(intervalMs));
    v.click(form1::StartButton);
    // Clicks land on the empty desktop, as a user's clicks land in another program.
    s.movePointer(5, 1000);
    ClickRecorder rec(s.displayName());
    const int settle = std::max(3, 100 / intervalMs);
    waitFor([&] { return rec.pressCount() >= settle; }, 10s);
    const int n0 = rec.pressCount();
    const double c0 = bench::cpuSeconds(v.process.pid());
    waitFor([&] { return rec.pressCount() >= n0 + presses; }, std::chrono::milliseconds(presses * intervalMs * 3 + 5000));
    const double c1 = bench::cpuSeconds(v.process.pid());
    const int n1 = rec.pressCount();
    v.click(form1::StopButton);
    auto p = rec.presses();
    p.resize(std::min(p.size(), size_t(n1)));
    Run r;
    r.periods = analyse(p, size_t(n0));
    r.cpuPerClickUs = n1 > n0 ? (c1 - c0) * 1e6 / double(n1 - n0) : 0;
    return r;
}

// xdotool's CPU time (from its exit status) for `presses` clicks, less its start-up.
Run measureXdotool(const XSession& s, int intervalMs, int presses)
{
    ClickRecorder rec(s.displayName());
    s.movePointer(5, 1000);
    const auto runPeer = [&](int clicks) {
        std::vector<std::string> argv{"xdotool", "click", "--repeat", std::to_string(clicks), "--delay",
                                      std::to_string(intervalMs), "1"};
        Process peer(argv, s.environment());
        peer.waitExit(std::chrono::milliseconds(clicks * intervalMs * 3 + 10000));
        return peer.cpuSeconds();
    };
    const double startUp = runPeer(1); // connecting, reading the keyboard map, one click
    rec.clear();
    const double total = runPeer(presses);
    waitFor([&] { return rec.pressCount() >= presses; }, 5s);
    Run r;
    r.periods = analyse(rec.presses(), 0);
    r.cpuPerClickUs = std::max(0.0, total - startUp) * 1e6 / double(presses - 1);
    return r;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double lowest(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }
double highest(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

} // namespace

// Optional argument: rounds of the idle and CPU measurements (default 3); the
// best and the median round are printed, since the machine may be shared.
int main(int argc, char** argv)
{
    const int rounds = std::max(1, argc > 1 ? std::atoi(argv[1]) : 3);
    XSession session(XSession::Options{.windowManager = true});
    if (!session.ok()) {
        std::puts("no X server: nothing measured");
        return 0;
    }
    std::printf("load average at the start: %s (%ld cores)\n\n", bench::loadAverage().c_str(), sysconf(_SC_NPROCESSORS_ONLN));

    // Start-up: from spawning the process to its main window being viewable.
    std::vector<double> startMs;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = Clock::now();
        RunningVorlin v(session);
        startMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        v.process.kill();
        waitFor([&] { return session.windowsTitled("Vorlin").empty(); }, 5s);
    }

    RunningVorlin v(session);
    const pid_t pid = v.process.pid();
    // Idle with the coordinate display on (as it starts), the pointer resting.
    session.movePointer(5, 1000);
    waitFor([] { return false; }, 1s);
    std::vector<double> idle;
    for (int r = 0; r < rounds; ++r) {
        const double c0 = bench::cpuSeconds(pid);
        const auto t0 = Clock::now();
        waitFor([] { return false; }, 10s, 1s);
        const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        idle.push_back(100.0 * (bench::cpuSeconds(pid) - c0) / seconds);
    }

    std::printf("| interval | Vorlin clicks/s | Vorlin mean period | Vorlin p99 period | xdotool clicks/s | xdotool mean period | rate ratio |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const auto& [interval, presses] : std::vector<std::pair<int, int>>{{1, 3000}, {10, 500}, {100, 50}}) {
        const Periods ours = measureVorlin(session, v, interval, presses).periods;
        waitFor([] { return false; }, 300ms); // let the stop land before the peer starts
        const Periods peer = measureXdotool(session, interval, presses).periods;
        std::printf("| %d ms | %.1f | %.3f ms | %.0f ms | %.1f | %.3f ms | %.3f |\n", interval, ours.perSecond, ours.mean,
                    ours.p99, peer.perSecond, peer.mean, peer.perSecond > 0 ? ours.perSecond / peer.perSecond : 0.0);
    }

    // CPU per click, each round Vorlin and then xdotool at the same interval.
    std::printf("\nCPU time per click over %d rounds (best / median), xdotool less its start-up:\n\n", rounds);
    std::printf("| interval | clicks a round | Vorlin µs/click | xdotool µs/click | ratio Vorlin/xdotool |\n|---|---|---|---|---|\n");
    std::vector<double> rate1, p99at1;
    for (const auto& [interval, presses] : std::vector<std::pair<int, int>>{{1, 5000}, {10, 1000}}) {
        std::vector<double> ours, peer, ratio;
        for (int r = 0; r < rounds; ++r) {
            const Run a = measureVorlin(session, v, interval, presses);
            waitFor([] { return false; }, 300ms);
            const Run b = measureXdotool(session, interval, presses);
            ours.push_back(a.cpuPerClickUs);
            peer.push_back(b.cpuPerClickUs);
            ratio.push_back(b.cpuPerClickUs > 0 ? a.cpuPerClickUs / b.cpuPerClickUs : 0);
            if (interval == 1) {
                rate1.push_back(a.periods.perSecond);
                p99at1.push_back(a.periods.p99);
            }
        }
        std::printf("| %d ms | %d | %.1f / %.1f | %.1f / %.1f | %.2f / %.2f |\n", interval, presses, lowest(ours), median(ours),
                    lowest(peer), median(peer), lowest(ratio), median(ratio));
    }

    std::printf("\n| figure | value |\n|---|---|\n");
    std::printf("| 1 ms: Vorlin clicks/s, best / median of %d rounds | %.1f / %.1f |\n", rounds, highest(rate1), median(rate1));
    std::printf("| 1 ms: Vorlin p99 period, best / median | %.0f ms / %.0f ms |\n", lowest(p99at1), median(p99at1));
    std::printf("| idle CPU, coordinate display on, best / median of %d × 10 s | %.2f %% / %.2f %% of one core |\n", rounds,
                lowest(idle), median(idle));
    std::printf("| peak RSS | %.1f MB |\n", double(bench::memoryKb(pid, "VmHWM")) / 1024.0);
    std::printf("| start to window (median of 5) | %.0f ms |\n", median(startMs));
    std::printf("\nload average at the end: %s\n", bench::loadAverage().c_str());
    return 0;
}
