#pragma once
#include <algorithm>

#include "platform/input.h"

namespace platform::x11 {

// How often a display of the pointer position polls. While the pointer moves it
// polls every interval. Once RestAfterPolls polls in a row have read the same
// position it rests: it hears of the pointing device's moves instead and polls
// only every RestPollMs, since a warp (another program setting the position)
// moves the pointer without any device motion. A device move, or a rest poll
// that reads a new position, sets it moving again.
class PointerPacing {
public:
    static constexpr int RestAfterPolls = 4;
    static constexpr int RestPollMs = 250;

    explicit PointerPacing(int intervalMs = 50) : intervalMs_(intervalMs) {}

    bool resting() const { return resting_; }
    int pollIntervalMs() const { return resting_ ? std::max(RestPollMs, intervalMs_) : intervalMs_; }

    // A poll read `p`. True when the pace changed.
    bool polled(Point p)
    {
        const bool same = polledBefore_ && last_ == p;
        polledBefore_ = true;
        last_ = p;
        unchangedPolls_ = same ? unchangedPolls_ + 1 : 0;
        return setResting(unchangedPolls_ >= RestAfterPolls);
    }

    // The pointing device moved the pointer. True when the pace changed.
    bool moved()
    {
        unchangedPolls_ = 0;
        return setResting(false);
    }

private:
    bool setResting(bool resting)
    {
        const bool changed = resting != resting_;
        resting_ = resting;
        return changed;
    }

    int intervalMs_;
    Point last_;
    bool polledBefore_ = false;
    int unchangedPolls_ = 0;
    bool resting_ = false;
};

} // namespace platform::x11
