#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>

namespace platform {

// Periodic ticks on the GUI thread, scheduled against absolute deadlines so a
// late tick does not push the following ones back. After a stall the ticks go
// on at their interval: a wake-up delivers the tick that fell due and makes up
// at most two late ones, and no more than maxCatchUpMs milliseconds' worth, so
// a suspended machine or a frozen display never releases a burst of clicks;
// the rest of the missed ticks are dropped and the schedule goes on from its
// fixed deadlines.
class Ticker {
public:
    static constexpr int maxMadeUpTicks = 2;
    static constexpr int maxCatchUpMs = 50;
    static int maxCatchUpTicks(int intervalMs)
    {
        return std::clamp(maxCatchUpMs / std::max(intervalMs, 1), 1, 1 + maxMadeUpTicks);
    }
    // Of the ticks that fell due since the last wake-up, how many this one delivers.
    static uint64_t ticksToDeliver(uint64_t due, int intervalMs)
    {
        return std::min<uint64_t>(due, static_cast<uint64_t>(maxCatchUpTicks(intervalMs)));
    }

    virtual ~Ticker() = default;
    // Starts (or restarts) the schedule: the first tick is one interval from now.
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;

    std::function<void()> onTick;
};

} // namespace platform
