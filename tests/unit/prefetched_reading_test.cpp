// The recent pointer position asked one call ahead: a recent request's answer
// is used without a new wait, a stale one is thrown away and asked afresh, and
// every read leaves one request in flight unless told not to ask ahead.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/x11/prefetched_reading.h"

namespace {

using platform::Point;
using platform::x11::PrefetchedReading;
using namespace std::chrono_literals;

// A server whose pointer is at `pointer` when a request reaches it; the log
// lists what the reading did, in order.
struct FakeServer {
    Point pointer;
    std::vector<Point> answers; // by ticket
    std::vector<std::string> log;

    void attach(PrefetchedReading& r)
    {
        r.send = [this] {
            answers.push_back(pointer);
            log.push_back("send " + std::to_string(answers.size() - 1));
            return static_cast<unsigned>(answers.size() - 1);
        };
        r.take = [this](unsigned t) { log.push_back("take " + std::to_string(t)); return answers.at(t); };
        r.drop = [this](unsigned t) { log.push_back("drop " + std::to_string(t)); };
    }
};

TEST(PrefetchedReading, AnswersFromThePreviousRequestWhileItIsRecentAndAsksAfreshWhenStale)
{
    struct Step {
        std::chrono::milliseconds at; // since the start
        Point pointer;                // where the pointer is at that time
        Point read;                   // what the reading gives
        std::vector<std::string> log; // what it did
    };
    const std::vector<Step> steps = {
        // The first read has nothing in flight: it waits for a fresh answer.
        {0ms, {1, 1}, {1, 1}, {"send 0", "take 0", "send 1"}},
        // 50 ms on: the request sent at 0 ms answers, one tick old.
        {50ms, {2, 2}, {1, 1}, {"take 1", "send 2"}},
        {149ms, {3, 3}, {2, 2}, {"take 2", "send 3"}},
        // 100 ms after the last request: too old, thrown away.
        {249ms, {4, 4}, {4, 4}, {"drop 3", "send 4", "take 4", "send 5"}},
        {250ms, {5, 5}, {4, 4}, {"take 5", "send 6"}},
    };
    FakeServer server;
    PrefetchedReading reading;
    server.attach(reading);
    const auto start = PrefetchedReading::Clock::now();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.at.count());
        server.log.clear();
        server.pointer = step.pointer;
        EXPECT_EQ(reading.read(start + step.at), step.read);
        EXPECT_EQ(server.log, step.log);
    }
}

TEST(PrefetchedReading, AReaderAboutToPauseLeavesNothingInFlightAndAForgottenRequestIsDropped)
{
    FakeServer server;
    PrefetchedReading reading;
    server.attach(reading);
    const auto start = PrefetchedReading::Clock::now();
    server.pointer = {1, 1};
    reading.read(start);
    server.log.clear();
    server.pointer = {2, 2};
    // The last read before a pause takes the answer in flight and asks nothing more.
    EXPECT_EQ(reading.read(start + 50ms, false), (Point{1, 1}));
    EXPECT_EQ(server.log, (std::vector<std::string>{"take 1"}));
    // So the next read, however soon, asks afresh.
    server.log.clear();
    EXPECT_EQ(reading.read(start + 60ms), (Point{2, 2}));
    EXPECT_EQ(server.log, (std::vector<std::string>{"send 2", "take 2", "send 3"}));
    // A forgotten request is dropped once, and the next read asks afresh too.
    server.log.clear();
    server.pointer = {3, 3};
    reading.forget();
    reading.forget();
    EXPECT_EQ(reading.read(start + 70ms), (Point{3, 3}));
    EXPECT_EQ(server.log, (std::vector<std::string>{"drop 3", "send 4", "take 4", "send 5"}));
}

} // namespace
