// Click rate and period against xdotool in the same run, CPU time per click
// against xdotool's, idle CPU with the coordinate display on, peak memory and
// start-up time. Prints tables; never fails on a figure.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

#include "click_cost.h"

using namespace e2e;
using bench::highest;
using bench::lowest;
using bench::median;
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

} // namespace

// Optional argument: rounds of the idle and 1 ms CPU measurements (default 3;
// three times as many at 10 ms); the best and the median round are printed,
// since the machine may be shared.
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
        const bench::SteadyClicks oursClicks = bench::vorlinClicks(v, interval, presses);
        const Periods ours = analyse(oursClicks.presses, oursClicks.settled);
        const bench::SteadyClicks peerClicks = bench::xdotoolClicks(session, interval, presses);
        const Periods peer = analyse(peerClicks.presses, peerClicks.settled);
        std::printf("| %d ms | %.1f | %.3f ms | %.0f ms | %.1f | %.3f ms | %.3f |\n", interval, ours.perSecond, ours.mean,
                    ours.p99, peer.perSecond, peer.mean, peer.perSecond > 0 ? ours.perSecond / peer.perSecond : 0.0);
    }

    // CPU per click in rounds of Vorlin and xdotool one after the other. A
    // 10 ms round is short and there are more of them: the machine's other
    // work changes over seconds, and pairs close in time meet the same of it.
    std::printf("\nCPU time per click (best / median of the rounds), each program over its steady clicks:\n\n");
    std::printf("| interval | rounds × clicks | Vorlin µs/click | xdotool µs/click | ratio Vorlin/xdotool |\n|---|---|---|---|---|\n");
    std::vector<double> rate1, p99at1;
    for (const auto& [interval, presses, count] : std::vector<std::tuple<int, int, int>>{{1, 5000, rounds}, {10, 400, 3 * rounds}}) {
        std::vector<double> ours, peer, ratio;
        for (int r = 0; r < count; ++r) {
            const bench::CostPair pair = bench::costRound(v, interval, presses, r);
            ours.push_back(pair.vorlin.cpuPerClickUs);
            peer.push_back(pair.xdotool.cpuPerClickUs);
            ratio.push_back(pair.ratio());
            std::fprintf(stderr, "%d ms round %d: Vorlin %.1f, xdotool %.1f µs/click\n", interval, r + 1, ours.back(), peer.back());
            if (interval == 1) {
                const Periods periods = analyse(pair.vorlin.presses, pair.vorlin.settled);
                rate1.push_back(periods.perSecond);
                p99at1.push_back(periods.p99);
            }
        }
        std::printf("| %d ms | %d × %d | %.1f / %.1f | %.1f / %.1f | %.2f / %.2f |\n", interval, count, presses, lowest(ours),
                    median(ours), lowest(peer), median(peer), lowest(ratio), median(ratio));
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
