// How often the coordinate display polls: every interval while the pointer
// moves, slowly once it has rested for a few polls, and at the full rate again
// when the device moves it or a slow poll finds it elsewhere.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/x11/pointer_pacing.h"

namespace {

using platform::Point;
using platform::x11::PointerPacing;

constexpr int Rest = PointerPacing::RestPollMs;

TEST(PointerPacing, RestsAfterUnchangedPollsAndWakesOnADeviceMoveOrANewPosition)
{
    static_assert(PointerPacing::RestAfterPolls == 4, "the steps below rest at the fourth unchanged poll");
    struct Step {
        std::optional<Point> poll; // a poll reading this position; none: the device moved
        bool changed;              // the pace changed
        int intervalMs;            // the poll interval after the step
    };
    const std::vector<Step> steps = {
        {Point{1, 1}, false, 50}, // the first reading is new
        {Point{1, 1}, false, 50},
        {Point{1, 1}, false, 50},
        {Point{2, 2}, false, 50}, // a move starts the count again
        {Point{2, 2}, false, 50},
        {Point{2, 2}, false, 50},
        {Point{2, 2}, false, 50},
        {Point{2, 2}, true, Rest}, // four unchanged polls: rest
        {Point{2, 2}, false, Rest},
        {std::nullopt, true, 50}, // the device moved
        {std::nullopt, false, 50},
        {Point{3, 3}, false, 50},
        {Point{3, 3}, false, 50},
        {Point{3, 3}, false, 50},
        {Point{3, 3}, false, 50},
        {Point{3, 3}, true, Rest},
        {Point{-4, 3}, true, 50}, // a slow poll finds it warped elsewhere
        {Point{-4, 3}, false, 50},
    };
    PointerPacing pacing(50);
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        const Step& step = steps[i];
        EXPECT_EQ(step.poll ? pacing.polled(*step.poll) : pacing.moved(), step.changed);
        EXPECT_EQ(pacing.pollIntervalMs(), step.intervalMs);
        EXPECT_EQ(pacing.resting(), step.intervalMs == Rest);
    }
}

TEST(PointerPacing, AnIntervalLongerThanTheRestPollIsKeptWhileResting)
{
    PointerPacing pacing(Rest * 2);
    for (int i = 0; i <= PointerPacing::RestAfterPolls; ++i)
        pacing.polled({7, 7});
    ASSERT_TRUE(pacing.resting());
    EXPECT_EQ(pacing.pollIntervalMs(), Rest * 2);
}

} // namespace
