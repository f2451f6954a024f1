#pragma once
// Steady clicking of a running Vorlin and of xdotool at one interval, with the
// CPU time each spends per click; shared by the click benchmarks.
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "harness/click_recorder.h"
#include "harness/vorlin_window.h"
#include "process_stats.h"

namespace bench {

struct SteadyClicks {
    std::vector<uint32_t> presses; // server timestamps, ms
    size_t settled = 0;            // presses before the counted ones
    double cpuPerClickUs = 0;
};

// Presses a clicker makes before its CPU time is counted: its first ones pay
// for starting up (and xdotool's for connecting and reading the keyboard map).
inline int settlingPresses(int intervalMs) { return std::max(3, 100 / intervalMs); }

// The CPU time of `pid` over `presses` steady clicks, read from the same
// scheduler counter for both programs while they click: the presses seen by
// the recorder open and close the window.
inline SteadyClicks steadyCost(pid_t pid, const e2e::ClickRecorder& rec, int intervalMs, int presses)
{
    using namespace std::chrono_literals;
    e2e::waitFor([&] { return rec.pressCount() >= settlingPresses(intervalMs); }, 10s);
    const int n0 = rec.pressCount();
    const double c0 = cpuSeconds(pid);
    e2e::waitFor([&] { return rec.pressCount() >= n0 + presses; }, std::chrono::milliseconds(presses * intervalMs * 3 + 5000));
    const double c1 = cpuSeconds(pid);
    const int n1 = rec.pressCount();
    SteadyClicks r;
    r.presses = rec.presses();
    r.presses.resize(std::min(r.presses.size(), size_t(n1)));
    r.settled = size_t(n0);
    r.cpuPerClickUs = n1 > n0 ? (c1 - c0) * 1e6 / double(n1 - n0) : 0;
    return r;
}

// Clicks at the interval until `presses` have landed after the settling ones,
// then stops and lets the stop land, so the next measurement meets no stray
// click. The coordinate display runs as well. Clicks land on the empty
// desktop, as a user's land in another program.
inline SteadyClicks vorlinClicks(const e2e::RunningVorlin& v, int intervalMs, int presses)
{
    using namespace std::chrono_literals;
    v.type(e2e::form1::IntervalBox, std::to_string(intervalMs));
    v.click(e2e::form1::StartButton);
    v.session.movePointer(5, 1000);
    e2e::ClickRecorder rec(v.session.displayName());
    SteadyClicks r = steadyCost(v.process.pid(), rec, intervalMs, presses);
    v.click(e2e::form1::StopButton);
    e2e::waitFor([] { return false; }, 300ms);
    return r;
}

// xdotool clicking at the same delay, measured like Vorlin over its steady
// clicks; a few spare clicks keep it running past the measured window.
inline SteadyClicks xdotoolClicks(const e2e::XSession& s, int intervalMs, int presses)
{
    e2e::ClickRecorder rec(s.displayName());
    s.movePointer(5, 1000);
    const int clicks = settlingPresses(intervalMs) + presses + std::max(5, 50 / intervalMs);
    e2e::Process peer({"xdotool", "click", "--repeat", std::to_string(clicks), "--delay", std::to_string(intervalMs), "1"},
                      s.environment());
    SteadyClicks r = steadyCost(peer.pid(), rec, intervalMs, presses);
    peer.waitExit(std::chrono::milliseconds(clicks * intervalMs * 3 + 10000));
    return r;
}

// One round of the CPU comparison: Vorlin and xdotool one after the other,
// the order turning each round so neither always meets the other's after-effects
// or the same part of a drift in the machine's load.
struct CostPair {
    SteadyClicks vorlin, xdotool;
    double ratio() const { return xdotool.cpuPerClickUs > 0 ? vorlin.cpuPerClickUs / xdotool.cpuPerClickUs : 0; }
};

inline CostPair costRound(const e2e::RunningVorlin& v, int intervalMs, int presses, int round)
{
    CostPair p;
    if (round % 2 == 0) {
        p.vorlin = vorlinClicks(v, intervalMs, presses);
        p.xdotool = xdotoolClicks(v.session, intervalMs, presses);
    } else {
        p.xdotool = xdotoolClicks(v.session, intervalMs, presses);
        p.vorlin = vorlinClicks(v, intervalMs, presses);
    }
    return p;
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    if (v.empty())
        return 0;
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

inline double lowest(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }
inline double highest(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

} // namespace bench
