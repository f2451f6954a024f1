#pragma once
#include <functional>

namespace platform {

// Periodic ticks on the GUI thread, scheduled against absolute deadlines so a
// late tick does not push the following ones back: every due tick is delivered.
// After a long stall (suspend, a frozen display) at most maxCatchUp ticks are
// delivered at once and the schedule restarts from the present.
class Ticker {
public:
    static constexpr int maxCatchUp = 4;

    virtual ~Ticker() = default;
    // Starts (or restarts) the schedule: the first tick is one interval from now.
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;

    std::function<void()> onTick;
};

} // namespace platform
