#pragma once
// Timing shared by the benchmarks: the best of several rounds, each long
// enough to time, so a busy machine spoils as few figures as possible.
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace bench {

// The time one call takes, in Unit (std::milli, std::micro).
template <class Unit>
double bestTimePerCall(const std::function<void()>& call)
{
    using Clock = std::chrono::steady_clock;
    double best = 1e18;
    for (int round = 0; round < 5; ++round) {
        int calls = 0;
        const auto start = Clock::now();
        auto elapsed = Clock::duration::zero();
        do {
            call();
            ++calls;
            elapsed = Clock::now() - start;
        } while (elapsed < std::chrono::milliseconds(200));
        best = std::min(best, std::chrono::duration<double, Unit>(elapsed).count() / calls);
    }
    return best;
}

// The median time one call takes over many short rounds, in Unit: for calls
// of a few microseconds, where one slow round should not move the figure.
template <class Unit>
double medianTimePerCall(const std::function<void()>& call, int rounds = 301, int callsPerRound = 40)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> perCall;
    perCall.reserve(size_t(rounds));
    for (int i = 0; i < callsPerRound; ++i) // warm caches and lazily built state
        call();
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        for (int i = 0; i < callsPerRound; ++i)
            call();
        perCall.push_back(std::chrono::duration<double, Unit>(Clock::now() - start).count() / callsPerRound);
    }
    std::nth_element(perCall.begin(), perCall.begin() + rounds / 2, perCall.end());
    return perCall[size_t(rounds / 2)];
}

} // namespace bench
