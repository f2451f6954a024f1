#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>

namespace platform {

// Periodic ticks on the GUI thread, scheduled against absolute deadlines so a
// late tick does not push the following ones back: every due tick is delivered.
// After a stall only the ticks of the last maxCatchUpMs milliseconds (at least
// one) are delivered at once, so a suspended machine or a frozen display never
// releases a burst of clicks; the schedule goes on from its fixed deadlines.
class Ticker {
public:
    static constexpr int maxCatchUpMs = 50;
    static int maxCatchUpTicks(int intervalMs) { return intervalMs >= maxCatchUpMs ? 1 : maxCatchUpMs / intervalMs; }

    // The schedule's arithmetic, on nanoseconds of a monotonic clock, for every backend.
    // The first deadline: one interval after now, rounded up to a whole millisecond of the clock.
    static constexpr int64_t firstDeadlineNs(int64_t nowNs, int intervalMs)
    {
        constexpr int64_t msNs = 1'000'000;
        const int64_t due = nowNs + int64_t(intervalMs) * msNs;
        return (due + msNs - 1) / msNs * msNs;
    }
    // How many deadlines, from nextNs on, have passed at nowNs (0 while nextNs is ahead).
    static constexpr int64_t deadlinesPassed(int64_t nowNs, int64_t nextNs, int intervalMs)
    {
        return nowNs < nextNs ? 0 : (nowNs - nextNs) / (int64_t(intervalMs) * 1'000'000) + 1;
    }
    // How many of the ticks that fell due are delivered now.
    static int64_t ticksToDeliver(int64_t due, int intervalMs) { return std::min<int64_t>(due, maxCatchUpTicks(intervalMs)); }

    virtual ~Ticker() = default;
    // Starts (or restarts) the schedule: the first tick is one interval from now.
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;

    std::function<void()> onTick;
};

} // namespace platform
