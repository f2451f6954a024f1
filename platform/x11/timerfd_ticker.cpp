#include "platform/x11/timerfd_ticker.h"

#include <glib-unix.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include <QAbstractEventDispatcher>

namespace platform::x11 {

itimerspec tickSchedule(int intervalMs, timespec now)
{
    itimerspec spec{};
    spec.it_interval.tv_sec = intervalMs / 1000;
    spec.it_interval.tv_nsec = static_cast<long>(intervalMs % 1000) * 1000000L;
    constexpr int64_t sNs = 1'000'000'000;
    const int64_t first = Ticker::firstDeadlineNs(int64_t(now.tv_sec) * sNs + now.tv_nsec, intervalMs);
    spec.it_value.tv_sec = static_cast<time_t>(first / sNs);
    spec.it_value.tv_nsec = static_cast<long>(first % sNs);
    return spec;
}

static bool loopIsGlib()
{
    const QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
    return loop && loop->inherits("QEventDispatcherGlib");
}

TimerFdTicker::TimerFdTicker()
{
    fd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ >= 0 && !loopIsGlib()) {
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        notifier_->setEnabled(false);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { onReadable(); });
    }
}

TimerFdTicker::~TimerFdTicker()
{
    watch(false);
    notifier_.reset();
    if (fd_ >= 0)
        ::close(fd_);
}

void TimerFdTicker::watch(bool on)
{
    if (notifier_) {
        notifier_->setEnabled(on);
        return;
    }
    if (on && !source_) {
        source_ = g_unix_fd_source_new(fd_, G_IO_IN);
        const GUnixFDSourceFunc readable = [](int, GIOCondition, gpointer self) -> gboolean {
            static_cast<TimerFdTicker*>(self)->onReadable();
            return G_SOURCE_CONTINUE;
        };
        g_source_set_callback(source_, G_SOURCE_FUNC(readable), this, nullptr);
        g_source_set_can_recurse(source_, TRUE); // as the notifier: a loop opened by a tick goes on ticking
        g_source_attach(source_, g_main_context_get_thread_default());
    } else if (!on && source_) {
        g_source_destroy(source_);
        g_source_unref(source_);
        source_ = nullptr;
    }
}

void TimerFdTicker::start(int intervalMs)
{
    if (fd_ < 0 || intervalMs <= 0)
        return;
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const itimerspec spec = tickSchedule(intervalMs, now);
    ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &spec, nullptr);
    intervalMs_ = intervalMs;
    active_ = true;
    watch(true);
}

void TimerFdTicker::stop()
{
    if (fd_ < 0)
        return;
    itimerspec off{};
    ::timerfd_settime(fd_, 0, &off, nullptr);
    active_ = false;
    watch(false);
    uint64_t discard = 0;
    [[maybe_unused]] auto n = ::read(fd_, &discard, sizeof discard); // drop a pending expiry
}

void TimerFdTicker::onReadable()
{
    uint64_t expirations = 0;
    if (::read(fd_, &expirations, sizeof expirations) != sizeof expirations)
        return;
    const int64_t due = ticksToDeliver(int64_t(std::min<uint64_t>(expirations, INT64_MAX)), intervalMs_);
    for (int64_t i = 0; i < due && active_; ++i)
        if (onTick)
            onTick();
}

} // namespace platform::x11
