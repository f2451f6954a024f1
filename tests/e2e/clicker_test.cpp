// The real program under Xvfb and openbox, driven by xdotool, observed from outside.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness/click_recorder.h"
#include "harness/vorlin_window.h"

using namespace e2e;
using namespace std::chrono_literals;

namespace {

// Waits until no press has arrived for `quiet`; false if presses keep coming until the deadline.
bool waitForQuiet(const ClickRecorder& rec, std::chrono::milliseconds quiet, std::chrono::milliseconds timeout)
{
    int last = rec.pressCount();
    auto since = Clock::now();
    return waitFor(
        [&] {
            const int now = rec.pressCount();
            if (now != last) {
                last = now;
                since = Clock::now();
            }
            return Clock::now() - since >= quiet;
        },
        timeout);
}

bool pointerStaysAt(const XSession& s, std::pair<int, int> where, std::chrono::milliseconds span)
{
    const auto until = Clock::now() + span;
    while (Clock::now() < until)
        if (s.pointer() != where)
            return false;
    return true;
}

class ClickerTest : public ::testing::Test {
protected:
    XSession session{XSession::Options{.windowManager = true}};
    std::unique_ptr<RunningVorlin> vorlin;

    void SetUp() override
    {
        ASSERT_TRUE(session.ok()) << "no X server";
        vorlin = std::make_unique<RunningVorlin>(session);
        ASSERT_TRUE(vorlin->ok()) << "the main window did not appear";
    }
};

TEST_F(ClickerTest, ClicksAboutAHundredTimesASecondAt10msUntilStopped)
{
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    vorlin->type(form1::IntervalBox, "10");
    vorlin->click(form1::StartButton);
    ASSERT_TRUE(waitFor([&] { return rec.pressCount() >= 150; }, 10s)) << rec.pressCount();
    const auto presses = rec.presses();
    // Skip the start button's own click; measure over the next hundred.
    const double spanMs = double(presses[120] - presses[20]);
    const double perSecond = 100.0 * 1000.0 / spanMs;
    EXPECT_GT(perSecond, 60.0);
    EXPECT_LT(perSecond, 140.0);
    EXPECT_GE(rec.releaseCount(), rec.pressCount() - 1); // each press has its release

    vorlin->click(form1::StopButton);
    ASSERT_TRUE(waitForQuiet(rec, 500ms, 5s)) << "clicks went on after stop";
}

TEST_F(ClickerTest, AtOneMillisecondBatchedClicksArriveWholeAndStopEndsThem)
{
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    vorlin->type(form1::IntervalBox, "1");
    vorlin->click(form1::StartButton);
    session.movePointer(5, 1000); // the clicks land on the desktop
    ASSERT_TRUE(waitFor([&] { return rec.pressCount() >= 1000; }, 20s)) << rec.pressCount();
    vorlin->click(form1::StopButton);
    ASSERT_TRUE(waitForQuiet(rec, 500ms, 5s)) << "clicks went on after stop";
    EXPECT_EQ(rec.releaseCount(), rec.pressCount()); // nothing left half sent
}

TEST_F(ClickerTest, EmptyIntervalAndNonNumberOpenTheirMessages)
{
    vorlin->click(form1::StartButton);
    EXPECT_TRUE(vorlin->dismissMessage("错误"));
    vorlin->type(form1::IntervalBox, "abc");
    vorlin->click(form1::StartButton);
    EXPECT_TRUE(vorlin->dismissMessage("范围错误"));
}

TEST_F(ClickerTest, PinHoldsThePointerUntilStop)
{
    vorlin->type(form1::XBox, "200");
    vorlin->type(form1::YBox, "300");
    vorlin->click(form1::PinPicture);
    session.movePointer(40, 50);
    EXPECT_TRUE(waitFor([&] { return session.pointer() == std::pair{200, 300}; }, 2s));
    session.movePointer(700, 600);
    EXPECT_TRUE(waitFor([&] { return session.pointer() == std::pair{200, 300}; }, 2s));

    vorlin->click(form1::StopButton);
    session.movePointer(41, 51);
    EXPECT_TRUE(pointerStaysAt(session, {41, 51}, 400ms)) << "the pin outlived stop";
}

TEST_F(ClickerTest, MoveOnceMovesThePointerOnce)
{
    vorlin->type(form1::XBox, "321");
    vorlin->type(form1::YBox, "123");
    vorlin->click(form1::MoveButton);
    EXPECT_TRUE(waitFor([&] { return session.pointer() == std::pair{321, 123}; }, 2s));
    session.movePointer(10, 10);
    EXPECT_TRUE(pointerStaysAt(session, {10, 10}, 400ms)) << "move-once pinned the pointer";
}

TEST_F(ClickerTest, Check2MakesTheWindowTopmost)
{
    const auto above = [&] {
        const auto state = session.wmState(vorlin->window);
        return std::find(state.begin(), state.end(), "_NET_WM_STATE_ABOVE") != state.end();
    };
    ASSERT_FALSE(above());
    vorlin->click(form1::TopmostBox);
    EXPECT_TRUE(waitFor(above, 3s));
    vorlin->click(form1::TopmostBox);
    EXPECT_TRUE(waitFor([&] { return !above(); }, 3s));
}

TEST_F(ClickerTest, SecondStartShowsTheMessageAndLeavesOneInstance)
{
    Process second = session.startVorlin();
    EXPECT_TRUE(vorlin->dismissMessage("请勿重复运行"));
    EXPECT_EQ(second.waitExit(5s), 0);
    EXPECT_EQ(session.windowsTitled("Vorlin").size(), 1u);
    EXPECT_TRUE(vorlin->process.running());
}

} // namespace

namespace {

TEST(NoDisplay, StartEndsWithAnErrorInsteadOfHanging)
{
    EXPECT_EQ(run({VORLIN_BINARY}, {{"DISPLAY", ""}}, 10s).exitCode, 1);
    EXPECT_EQ(run({VORLIN_BINARY}, {{"DISPLAY", ":987"}}, 10s).exitCode, 1);
}

} // namespace
