// The real program under Xvfb and openbox, driven by xdotool, observed from outside.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>

#include "harness/click_recorder.h"
#include "harness/vorlin_window.h"

using namespace e2e;
using namespace std::chrono_literals;

namespace {

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
    // Pin onto the stop button itself, so that pressing stop never races the pin
    // pulling the pointer back.
    const Rect g = session.geometry(vorlin->window);
    const std::pair pin{g.x + form1::StopButton.x, g.y + form1::StopButton.y};
    vorlin->type(form1::XBox, std::to_string(pin.first));
    vorlin->type(form1::YBox, std::to_string(pin.second));
    vorlin->click(form1::PinPicture);
    session.movePointer(40, 50);
    EXPECT_TRUE(waitFor([&] { return session.pointer() == pin; }, 2s));
    session.movePointer(700, 600);
    EXPECT_TRUE(waitFor([&] { return session.pointer() == pin; }, 2s));

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

TEST_F(ClickerTest, CoordinatesBeyondTheScreenGoToItsNearestEdge)
{
    // The screen is 1280 x 1024; X carries positions as 16-bit numbers, where
    // 65636 would be 100 and 40000 a negative position.
    const struct {
        const char* x;
        const char* y;
        std::pair<int, int> at;
    } moves[] = {
        {"40000", "300", {1279, 300}},  {"65636", "70000", {1279, 1023}}, {"-40000", "-5", {0, 0}},
        {"100", "-70000", {100, 0}},    {"1280", "1024", {1279, 1023}},   {"-1", "512", {0, 512}},
    };
    for (const auto& m : moves) {
        vorlin->type(form1::XBox, m.x);
        vorlin->type(form1::YBox, m.y);
        vorlin->click(form1::MoveButton);
        EXPECT_TRUE(waitFor([&] { return session.pointer() == m.at; }, 2s))
            << m.x << ", " << m.y << " went to " << session.pointer().first << ", " << session.pointer().second;
    }

    vorlin->type(form1::XBox, "40000");
    vorlin->type(form1::YBox, "-40000");
    vorlin->click(form1::PinPicture);
    session.movePointer(640, 500);
    EXPECT_TRUE(waitFor([&] { return session.pointer() == std::pair{1279, 0}; }, 2s))
        << "the pin is at " << session.pointer().first << ", " << session.pointer().second;
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

// The windows the window manager keeps, bottom to top.
std::vector<unsigned long> stackingOrder(const XSession& s)
{
    std::vector<unsigned long> order;
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(s.display(), DefaultRootWindow(s.display()),
                           XInternAtom(s.display(), "_NET_CLIENT_LIST_STACKING", False), 0, 1024, False, XA_WINDOW,
                           &type, &format, &n, &after, &data) == Success &&
        data)
        order.assign(reinterpret_cast<const Window*>(data), reinterpret_cast<const Window*>(data) + n);
    if (data)
        XFree(data);
    return order;
}

TEST(TopmostWithoutWindowManager, AWindowManagerStartedLaterKeepsTheWindowAboveANewOne)
{
    XSession session; // no window manager yet
    ASSERT_TRUE(session.ok()) << "no X server";
    RunningVorlin vorlin(session);
    ASSERT_TRUE(vorlin.ok()) << "the main window did not appear";
    const auto above = [&] {
        const auto state = session.wmState(vorlin.window);
        return std::find(state.begin(), state.end(), "_NET_WM_STATE_ABOVE") != state.end();
    };
    vorlin.click(form1::TopmostBox);
    // Where a window manager that starts later reads the state of a window it takes over.
    ASSERT_TRUE(waitFor(above, 3s)) << "the window does not carry the state";

    ASSERT_TRUE(session.startWindowManager());
    Display* d = session.display();
    const Window other = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 400, 400, 0, 0, 0);
    XMapRaised(d, other);
    XFlush(d);
    const auto position = [](const std::vector<unsigned long>& order, unsigned long w) {
        return std::find(order.begin(), order.end(), w) - order.begin();
    };
    std::vector<unsigned long> order;
    ASSERT_TRUE(waitFor(
        [&] {
            order = stackingOrder(session);
            return position(order, other) < long(order.size()) && position(order, vorlin.window) < long(order.size());
        },
        10s))
        << "the window manager did not take both windows";
    EXPECT_GT(position(order, vorlin.window), position(order, other)) << "a new window covers Vorlin";
    EXPECT_TRUE(above());
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
