// The long-run check behind bench/soak.sh: Vorlin clicks at 1 ms under its own
// Xvfb for the given minutes; then the stop button, and a check that the clicks
// really end. Prints clicks counted against expected, the largest gap, RSS at
// start and end and the CPU share. SIGINT or SIGTERM ends the run early, with the
// same stop and report.
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "harness/click_recorder.h"
#include "harness/vorlin_window.h"
#include "process_stats.h"

using namespace e2e;
using namespace std::chrono_literals;

namespace {

std::atomic<bool> interrupted{false};

void onSignal(int) { interrupted = true; }

// Server times of the presses, folded in batch by batch so a run of hours
// keeps no list of every click.
struct ClickTally {
    long long count = 0;
    uint32_t first = 0, last = 0, largestGap = 0, largestGapAt = 0;

    void add(const std::vector<uint32_t>& presses)
    {
        for (uint32_t t : presses) {
            if (count == 0)
                first = t;
            else if (t - last > largestGap) {
                largestGap = t - last;
                largestGapAt = t - first;
            }
            last = t;
            ++count;
        }
    }
    // One click each millisecond from the first to the last.
    long long expected() const { return count == 0 ? 0 : (long long)(last - first) + 1; }
};

double mb(long kb) { return double(kb) / 1024.0; }

} // namespace

int main(int argc, char** argv)
{
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 0;
    if (minutes <= 0) {
        std::fprintf(stderr, "usage: %s MINUTES\n", argv[0]);
        return 2;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
    setvbuf(stdout, nullptr, _IOLBF, 0);

    XSession session(XSession::Options{.windowManager = true});
    if (!session.ok()) {
        std::puts("no X server: nothing measured");
        return 1;
    }
    RunningVorlin v(session);
    ClickRecorder rec(session.displayName());
    if (!v.ok() || !rec.ok()) {
        std::puts("Vorlin or the click recorder did not start: nothing measured");
        return 1;
    }
    const pid_t pid = v.process.pid();

    v.type(form1::IntervalBox, "1");
    v.click(form1::StartButton);
    session.movePointer(5, 1000); // the clicks land on the empty desktop
    waitFor([&] { return rec.pressCount() >= 100; }, 10s);
    rec.takePresses(); // the first ones may have landed on the window itself

    ClickTally tally;
    const long rssStartKb = bench::memoryKb(pid, "VmRSS");
    const double cpu0 = bench::cpuSeconds(pid);
    const auto t0 = Clock::now();
    const auto end = t0 + std::chrono::minutes(minutes);
    std::printf("clicking at 1 ms for %d minutes (load average %s)\n", minutes, bench::loadAverage().c_str());
    auto nextReport = t0 + 1min;
    while (Clock::now() < end && !interrupted) {
        waitFor([] { return interrupted.load(); }, 1s, 50ms);
        tally.add(rec.takePresses());
        if (Clock::now() >= nextReport) {
            nextReport += 1min;
            std::printf("  %3.0f min: %lld clicks, largest gap %u ms, RSS %.1f MB\n",
                        std::chrono::duration<double>(Clock::now() - t0).count() / 60.0, tally.count, tally.largestGap,
                        mb(bench::memoryKb(pid, "VmRSS")));
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    const double cpuShare = 100.0 * (bench::cpuSeconds(pid) - cpu0) / seconds;
    const long rssEndKb = bench::memoryKb(pid, "VmRSS");
    tally.add(rec.takePresses());

    // Stop, then make sure nothing more arrives.
    v.click(form1::StopButton);
    int last = rec.pressCount();
    auto quietSince = Clock::now();
    const bool stopped = waitFor(
        [&] {
            const int now = rec.pressCount();
            if (now != last) {
                last = now;
                quietSince = Clock::now();
            }
            return Clock::now() - quietSince >= 1s;
        },
        10s);
    const int atStop = rec.pressCount();
    waitFor([] { return false; }, 2s);
    const int afterStop = rec.pressCount() - atStop;
    if (!stopped || afterStop > 0)
        v.process.kill(9); // clicking must end, whatever happened

    std::printf("\n| soak figure | value |\n|---|---|\n");
    std::printf("| run | %.1f min at 1 ms%s |\n", seconds / 60.0, interrupted ? ", ended early by a signal" : "");
    std::printf("| clicks counted / expected | %lld / %lld (%.4f %%) |\n", tally.count, tally.expected(),
                tally.expected() ? 100.0 * double(tally.count) / double(tally.expected()) : 0.0);
    std::printf("| largest gap between clicks | %u ms (%.1f min into the run) |\n", tally.largestGap,
                double(tally.largestGapAt) / 60000.0);
    std::printf("| RSS at start / end | %.1f MB / %.1f MB |\n", mb(rssStartKb), mb(rssEndKb));
    std::printf("| CPU share | %.2f %% of one core |\n", cpuShare);
    std::printf("| clicks in the 2 s after the stop took effect | %d%s |\n", afterStop,
                stopped ? "" : " (the stop took no effect within 10 s; Vorlin was killed)");
    return stopped && afterStop == 0 ? 0 : 1;
}
