#include "platform/win32/waitable_timer_ticker.h"

#include <windows.h>
#include <timeapi.h>

#include <algorithm>
#include <chrono>

// Older SDK headers lack the flag (Windows 10 1803 and later take it).
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace platform::win32 {
namespace {

int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

WaitableTimerTicker::WaitableTimerTicker()
{
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    highResolution_ = timer_ != nullptr;
    if (!timer_) // a system without high-resolution timers refuses the flag
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    if (!timer_)
        return;
    notifier_ = std::make_unique<QWinEventNotifier>(timer_);
    notifier_->setEnabled(false);
    QObject::connect(notifier_.get(), &QWinEventNotifier::activated, [this] { onSignalled(); });
}

WaitableTimerTicker::~WaitableTimerTicker()
{
    stop();
    notifier_.reset();
    if (timer_)
        CloseHandle(timer_);
}

void WaitableTimerTicker::start(int intervalMs)
{
    if (!timer_ || intervalMs <= 0)
        return;
    if (!highResolution_ && !finePeriod_)
        finePeriod_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    ++generation_;
    intervalMs_ = intervalMs;
    nextNs_ = firstDeadlineNs(nowNs(), intervalMs);
    active_ = true;
    arm();
    notifier_->setEnabled(true);
}

void WaitableTimerTicker::stop()
{
    ++generation_;
    active_ = false;
    if (!timer_)
        return;
    CancelWaitableTimer(timer_);
    notifier_->setEnabled(false);
    if (finePeriod_) {
        timeEndPeriod(1);
        finePeriod_ = false;
    }
}

void WaitableTimerTicker::arm()
{
    // A relative due time (negative, in 100 ns units), since a high-resolution
    // timer takes no absolute one; the deadline itself stays absolute.
    LARGE_INTEGER due{};
    due.QuadPart = -std::max<int64_t>((nextNs_ - nowNs()) / 100, 1);
    SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE);
}

void WaitableTimerTicker::onSignalled()
{
    if (!active_)
        return;
    const int64_t passed = deadlinesPassed(nowNs(), nextNs_, intervalMs_);
    nextNs_ += passed * int64_t(intervalMs_) * 1'000'000;
    const uint64_t schedule = generation_;
    const int64_t due = ticksToDeliver(passed, intervalMs_);
    for (int64_t i = 0; i < due && generation_ == schedule; ++i)
        if (onTick)
            onTick();
    if (generation_ == schedule) // a tick that stopped or restarted the ticker has armed it already
        arm();
}

} // namespace platform::win32
