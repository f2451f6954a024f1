#pragma once
#include <QSocketNotifier>
#include <memory>

#include "platform/ticker.h"

namespace platform::x11 {

// Periodic ticks from a Linux timerfd on absolute deadlines, watched by a
// socket notifier on the GUI thread. The expiry count tells how many ticks are
// due, so a late wake-up delivers the ticks it missed (within the catch-up bound).
class TimerFdTicker : public Ticker {
public:
    TimerFdTicker();
    ~TimerFdTicker() override;
    void start(int intervalMs) override;
    void stop() override;
    bool active() const override { return active_; }

private:
    void onReadable();

    int fd_ = -1;
    int intervalMs_ = 1;
    bool active_ = false;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace platform::x11
