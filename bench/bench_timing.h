#pragma once
// Timing shared by the benchmarks: the best of several rounds, each long
// enough to time, so a busy machine spoils as few figures as possible.
#include <algorithm>
#include <chrono>
#include <functional>

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

} // namespace bench
