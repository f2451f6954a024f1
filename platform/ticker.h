#pragma once
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

    virtual ~Ticker() = default;
    // Starts (or restarts) the schedule: the first tick is one interval from now.
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;

    std::function<void()> onTick;
};

} // namespace platform
