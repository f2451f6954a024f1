#pragma once
#include <QWinEventNotifier>
#include <cstdint>
#include <memory>

#include "platform/ticker.h"

namespace platform::win32 {

// Periodic ticks on absolute deadlines from a waitable timer, woken in the GUI
// thread through the event loop. The timer is armed for the next deadline
// each time; a late wake-up delivers the deadlines it missed (within the
// catch-up bound) and the schedule goes on from its fixed deadlines. A
// high-resolution timer where the system has one; elsewhere a plain one with
// the system timer at 1 ms while ticking.
class WaitableTimerTicker : public Ticker {
public:
    WaitableTimerTicker();
    ~WaitableTimerTicker() override;
    void start(int intervalMs) override;
    void stop() override;
    bool active() const override { return active_; }

private:
    void arm();
    void onSignalled();

    void* timer_ = nullptr;
    bool highResolution_ = false;
    bool finePeriod_ = false; // timeBeginPeriod(1) is in force
    bool active_ = false;
    int intervalMs_ = 1;
    int64_t nextNs_ = 0;     // the next deadline on the steady clock
    uint64_t generation_ = 0; // tells a schedule from the one a tick may start
    std::unique_ptr<QWinEventNotifier> notifier_;
};

} // namespace platform::win32
