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

// Two calls timed side by side over many short rounds (a few of the first,
// then as many of the second): the median time of each, in Unit, and the
// median of the rounds' ratios, so a busy moment slows both sides of a round
// and leaves the ratio alone.
struct PairTiming {
    double first = 0;
    double second = 0;
    double ratio = 0;
};

template <class Unit>
PairTiming medianPairTimePerCall(const std::function<void()>& first, const std::function<void()>& second,
                                 int rounds = 301, int callsPerRound = 40)
{
    using Clock = std::chrono::steady_clock;
    const auto timeCalls = [&](const std::function<void()>& call) {
        const auto start = Clock::now();
        for (int i = 0; i < callsPerRound; ++i)
            call();
        return std::chrono::duration<double, Unit>(Clock::now() - start).count() / callsPerRound;
    };
    const auto median = [&](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + rounds / 2, v.end());
        return v[size_t(rounds / 2)];
    };
    timeCalls(first); // warm caches and lazily built state
    timeCalls(second);
    std::vector<double> a, b, ratio;
    for (int round = 0; round < rounds; ++round) {
        a.push_back(timeCalls(first));
        b.push_back(timeCalls(second));
        ratio.push_back(a.back() / b.back());
    }
    return {median(a), median(b), median(ratio)};
}

} // namespace bench
