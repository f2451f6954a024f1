#pragma once
#include <chrono>
#include <functional>
#include <optional>

#include "platform/input.h"

namespace platform::x11 {

// A reading asked for one call ahead: each read() takes the answer to the
// request the previous read() sent and sends the next one, so a reader polling
// every few tens of milliseconds never waits on a round trip and gets a value
// at most one poll old. An answer to a request older than MaxAge (the reader
// paused, or the program stalled) is thrown away and the value asked afresh.
// A reader about to pause reads without asking ahead, or forgets the request
// in flight, so its next read asks afresh.
class PrefetchedReading {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto MaxAge = std::chrono::milliseconds(100);

    // Sends a request and gives its ticket; waits for a ticket's answer; forgets one.
    std::function<unsigned()> send;
    std::function<Point(unsigned)> take;
    std::function<void(unsigned)> drop;

    Point read(Clock::time_point now, bool askAhead = true)
    {
        std::optional<Point> p;
        if (pending_ && now - sentAt_ < MaxAge)
            p = take(*pending_);
        else
            forget();
        if (!p)
            p = take(send());
        pending_.reset();
        if (askAhead) {
            pending_ = send();
            sentAt_ = now;
        }
        return *p;
    }

    void forget()
    {
        if (pending_)
            drop(*pending_);
        pending_.reset();
    }

private:
    std::optional<unsigned> pending_;
    Clock::time_point sentAt_;
};

} // namespace platform::x11
