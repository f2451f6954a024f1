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

// Clicks at the interval until `presses` have landed after the first ones, then
// stops. The CPU time counts only the steady clicking (the coordinate display
// runs as well). Clicks land on the empty desktop, as a user's land in another program.
inline SteadyClicks vorlinClicks(const e2e::RunningVorlin& v, int intervalMs, int presses)
{
    using namespace std::chrono_literals;
    v.type(e2e::form1::IntervalBox, std::to_string(intervalMs));
    v.click(e2e::form1::StartButton);
    v.session.movePointer(5, 1000);
    e2e::ClickRecorder rec(v.session.displayName());
    const int settle = std::max(3, 100 / intervalMs);
    e2e::waitFor([&] { return rec.pressCount() >= settle; }, 10s);
    const int n0 = rec.pressCount();
    const double c0 = cpuSeconds(v.process.pid());
    e2e::waitFor([&] { return rec.pressCount() >= n0 + presses; },
                 std::chrono::milliseconds(presses * intervalMs * 3 + 5000));
    const double c1 = cpuSeconds(v.process.pid());
    const int n1 = rec.pressCount();
    v.click(e2e::form1::StopButton);
    SteadyClicks r;
    r.presses = rec.presses();
    r.presses.resize(std::min(r.presses.size(), size_t(n1)));
    r.settled = size_t(n0);
    r.cpuPerClickUs = n1 > n0 ? (c1 - c0) * 1e6 / double(n1 - n0) : 0;
    return r;
}

// xdotool's clicks and CPU time (from its exit status) for `presses` clicks, less its start-up.
inline SteadyClicks xdotoolClicks(const e2e::XSession& s, int intervalMs, int presses)
{
    using namespace std::chrono_literals;
    e2e::ClickRecorder rec(s.displayName());
    s.movePointer(5, 1000);
    const auto runPeer = [&](int clicks) {
        e2e::Process peer({"xdotool", "click", "--repeat", std::to_string(clicks), "--delay", std::to_string(intervalMs), "1"},
                          s.environment());
        peer.waitExit(std::chrono::milliseconds(clicks * intervalMs * 3 + 10000));
        return peer.cpuSeconds();
    };
    const double startUp = runPeer(1); // connecting, reading the keyboard map, one click
    rec.clear();
    const double total = runPeer(presses);
    e2e::waitFor([&] { return rec.pressCount() >= presses; }, 5s);
    SteadyClicks r;
    r.presses = rec.presses();
    r.cpuPerClickUs = std::max(0.0, total - startUp) * 1e6 / double(presses - 1);
    return r;
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

inline double lowest(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }
inline double highest(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

} // namespace bench
