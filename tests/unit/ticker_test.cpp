// The click timer's deadline ticker: its schedule for every interval, a stall
// releases no burst, stop means stop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <unistd.h>

#include "platform/x11/timerfd_ticker.h"

namespace {

int argc = 1;
char arg0[] = "ticker_test";
char* argv[] = {arg0, nullptr};

class TickerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app = new QCoreApplication(argc, argv); }
    static void TearDownTestSuite() { delete app; }
    static QCoreApplication* app;

    platform::x11::TimerFdTicker ticker;
    int ticks = 0;

    void SetUp() override { ticker.onTick = [this] { ++ticks; }; }

    // Runs the event loop until the condition holds or the deadline passes.
    template <class Pred>
    bool spinUntil(Pred pred, int timeoutMs)
    {
        QElapsedTimer t;
        t.start();
        while (!pred() && t.elapsed() < timeoutMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        return pred();
    }
};
QCoreApplication* TickerTest::app = nullptr;

TEST(TickSchedule, EveryIntervalIsSecondsAndNanosecondsBelowASecond)
{
    struct Case {
        int intervalMs;
        time_t seconds;
        long nanoseconds;
    };
    const Case cases[] = {
        {1, 0, 1'000'000},   {10, 0, 10'000'000}, {999, 0, 999'000'000}, {1000, 1, 0},
        {1001, 1, 1'000'000}, {1999, 1, 999'000'000}, {2000, 2, 0},       {5000, 5, 0},
    };
    const timespec start{42, 7'000'000}; // on a whole millisecond
    for (const Case& c : cases) {
        const itimerspec spec = platform::x11::tickSchedule(c.intervalMs, start);
        EXPECT_EQ(spec.it_interval.tv_sec, c.seconds) << c.intervalMs;
        EXPECT_EQ(spec.it_interval.tv_nsec, c.nanoseconds) << c.intervalMs;
        // The first tick comes one interval after the start.
        const long firstNs = start.tv_nsec + c.nanoseconds;
        EXPECT_EQ(spec.it_value.tv_sec, start.tv_sec + c.seconds + firstNs / 1'000'000'000) << c.intervalMs;
        EXPECT_EQ(spec.it_value.tv_nsec, firstNs % 1'000'000'000) << c.intervalMs;
    }
}

TEST(TickSchedule, TheFirstTickIsRoundedUpToAWholeMillisecond)
{
    struct Case {
        timespec start;
        int intervalMs;
        timespec first;
    };
    const Case cases[] = {
        {{7, 999'999'001}, 1, {8, 1'000'000}},     // into the next second
        {{3, 500}, 1000, {4, 1'000'000}},           // half a microsecond past still waits for the next
        {{0, 999'000'001}, 999, {1, 999'000'000}},
        {{5, 2'000'000}, 10, {5, 12'000'000}},      // already on one
    };
    for (const Case& c : cases) {
        const itimerspec spec = platform::x11::tickSchedule(c.intervalMs, c.start);
        EXPECT_EQ(spec.it_value.tv_sec, c.first.tv_sec) << c.start.tv_sec << "." << c.start.tv_nsec;
        EXPECT_EQ(spec.it_value.tv_nsec, c.first.tv_nsec) << c.start.tv_sec << "." << c.start.tv_nsec;
    }
}

TEST_F(TickerTest, AStallReleasesAtMostTheCatchUpBound)
{
    ticker.start(1);
    usleep(400'000); // the GUI thread is blocked: 400 ticks fall due
    QCoreApplication::processEvents();
    EXPECT_GE(ticks, 1);
    EXPECT_LE(ticks, platform::Ticker::maxCatchUpTicks(1));
    EXPECT_EQ(platform::Ticker::maxCatchUpTicks(1), 50);
    EXPECT_EQ(platform::Ticker::maxCatchUpTicks(10), 5);
    EXPECT_EQ(platform::Ticker::maxCatchUpTicks(100), 1);
}

TEST_F(TickerTest, StopDropsWhatIsPendingAndRestartWaitsAFullInterval)
{
    ticker.start(1);
    ASSERT_TRUE(spinUntil([&] { return ticks >= 5; }, 2000));
    usleep(20'000);
    ticker.stop();
    const int atStop = ticks;
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, atStop);
    EXPECT_FALSE(ticker.active());

    ticks = 0;
    ticker.start(200);
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(spinUntil([&] { return ticks >= 1; }, 3000));
    EXPECT_GE(t.elapsed(), 190);
}

TEST_F(TickerTest, StoppingFromATickEndsTheBurst)
{
    ticker.onTick = [this] {
        ++ticks;
        ticker.stop();
    };
    ticker.start(1);
    usleep(30'000);
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 1);
}

TEST(TickDeadlines, ALateWakeUpCountsEveryDeadlineItPassedAndNoneAhead)
{
    struct Case {
        int64_t nowNs, nextNs;
        int intervalMs;
        int64_t passed;
    };
    const Case cases[] = {
        {9'999'999, 10'000'000, 1, 0},  // just before the deadline: nothing yet
        {10'000'000, 10'000'000, 1, 1}, // on it
        {10'999'999, 10'000'000, 1, 1},
        {11'000'000, 10'000'000, 1, 2}, // on the following one
        {409'500'000, 10'000'000, 1, 400},
        {10'000'000 + 25'000'000, 10'000'000, 10, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::Ticker::deadlinesPassed(c.nowNs, c.nextNs, c.intervalMs), c.passed) << c.nowNs;
    EXPECT_EQ(platform::Ticker::ticksToDeliver(400, 1), 50);
    EXPECT_EQ(platform::Ticker::ticksToDeliver(3, 10), 3);
}

} // namespace
