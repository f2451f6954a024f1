#pragma once
#include <QSocketNotifier>
#include <ctime>
#include <memory>

#include "platform/ticker.h"

using GSource = struct _GSource;

namespace platform::x11 {

// The timerfd schedule of a period: every intervalMs milliseconds, the first
// one interval after `now` (the monotonic clock), rounded up to a whole
// millisecond of that clock. The X server commonly stamps events with the same
// clock in whole milliseconds, so ticks on the millisecond keep the stamps of
// clicks evenly apart when a wake-up is a little late. The nanoseconds stay below a
// second, as the kernel requires (it refuses 1000 ms given as 0 s + 1,000,000,000 ns).
itimerspec tickSchedule(int intervalMs, timespec now);

// Periodic ticks from a Linux timerfd on absolute deadlines, watched on the GUI
// thread's event loop. The expiry count tells how many ticks are due, so a late
// wake-up delivers the ticks it missed (within the catch-up bound).
class TimerFdTicker : public Ticker {
public:
    TimerFdTicker();
    ~TimerFdTicker() override;
    void start(int intervalMs) override;
    void stop() override;
    bool active() const override { return active_; }

private:
    void watch(bool on);
    void onReadable();

    int fd_ = -1;
    int intervalMs_ = 1;
    bool active_ = false;
    // Under Qt's glib loop a glib source of our own calls onReadable straight
    // from the loop; a socket notifier's way, an event sent to it and then a
    // signal, was about a tenth of what a 10 ms click costs. Under Qt's own
    // loop, the notifier.
    GSource* source_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace platform::x11
