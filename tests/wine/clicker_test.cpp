// vorlin.exe under Wine, driven from outside: its clicks counted by the click
// target (they go through Wine's own input queue, not through the X server),
// started and stopped by button, by hotkey and by command; the pin and the
// move-once; always on top; the single instance.
#include <algorithm>

#include "harness/hotkey_window.h"
#include "harness/wine_test.h"

using namespace e2e;
using namespace e2e::wine;
using namespace std::chrono_literals;

namespace {

// Clear of the main window, which opens in the middle of the 1280 x 1024 screen.
constexpr Rect TargetPlace{860, 560, 400, 400};

bool overlap(Rect a, Rect b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

class ClickerTest : public WineTest {
protected:
    std::unique_ptr<ClickTarget> target;

    void SetUp() override
    {
        WineTest::SetUp();
        if (HasFatalFailure())
            return;
        target = std::make_unique<ClickTarget>(*wine, TargetPlace);
        ASSERT_TRUE(target->ok()) << "the click target did not show";
        ASSERT_FALSE(overlap(x().geometry(vorlin->window), target->events().window)) << "the target covers Vorlin";
    }

    void TearDown() override
    {
        target.reset();
        WineTest::TearDown();
    }

    void pointAtTarget() const
    {
        const auto [cx, cy] = target->centre();
        x().movePointer(cx, cy);
    }

    bool clicksArrive(int atLeast, std::chrono::milliseconds timeout = 30s) const
    {
        const int before = target->events().downs;
        return waitFor([&] { return target->events().downs >= before + atLeast; }, timeout, 50ms);
    }
};

TEST_F(ClickerTest, ButtonsAndTheStopCommandStartAndStopClicksOnTheTarget)
{
    vorlin->type(form1::IntervalBox, "10");
    vorlin->click(form1::StartButton);
    pointAtTarget();
    ASSERT_TRUE(clicksArrive(50)) << "no clicks reached the target: " << target->events().downs;
    vorlin->click(form1::StopButton);
    ASSERT_TRUE(target->waitForQuiet(1s, 10s)) << "clicks went on after stop";
    const auto stopped = target->events();
    EXPECT_EQ(stopped.ups, stopped.downs) << "a press came without its release";
    pointAtTarget();
    EXPECT_FALSE(waitFor([&] { return target->events().downs > stopped.downs; }, 1s)) << "clicking resumed";

    vorlin->click(form1::StartButton);
    pointAtTarget();
    ASSERT_TRUE(clicksArrive(20)) << "the second start clicked nothing";
    EXPECT_EQ(wine->vorlin({"--stop"}).exitCode, 0);
    EXPECT_TRUE(target->waitForQuiet(1s, 10s)) << "vorlin.exe --stop did not reach the running instance";
}

TEST_F(ClickerTest, HotkeysStartAndStopWhileTheTargetHasTheFocus)
{
    vorlin->type(form1::IntervalBox, "10");
    const unsigned long hotkeyWindow = openHotkeyWindow(*wine, *vorlin);
    ASSERT_NE(hotkeyWindow, 0u) << "the hotkey window did not appear";
    const auto click = [&](Spot s) { x().clickAt(hotkeyWindow, s.x, s.y); };
    click(form3::Box1);
    x().pressKeys("ctrl+F1");
    click(form3::Box2);
    x().pressKeys("ctrl+F2");
    click(form3::Check1);
    click(form3::Check2);

    ASSERT_TRUE(target->focus()) << "the target did not take the focus";
    // Pressed again until clicks come: the first press can beat the registration.
    const bool started = waitFor(
        [&] {
            x().pressKeys("ctrl+F1");
            return clicksArrive(20, 3s);
        },
        60s, 0ms);
    ASSERT_TRUE(started) << "the start hotkey started no clicking";
    EXPECT_TRUE(target->events().focused) << "the target lost the focus";
    x().pressKeys("ctrl+F2");
    EXPECT_TRUE(target->waitForQuiet(1s, 10s)) << "the stop hotkey did not stop the clicks";
    EXPECT_TRUE(x().windowsTitled("错误").empty());
}

TEST_F(ClickerTest, MoveOnceAndThePinLandWhereTyped)
{
    // The pointer is moved away onto a Wine window too: Wine learns where the
    // pointer is only from its own windows, and takes a move to where it last
    // saw it for no move at all.
    const Rect t = target->events().window;
    const std::pair<int, int> once{t.x + 37, t.y + 41}, pin{t.x + 101, t.y + 77}, away{t.x + 300, t.y + 250};
    vorlin->type(form1::XBox, std::to_string(once.first));
    vorlin->type(form1::YBox, std::to_string(once.second));
    vorlin->click(form1::MoveButton);
    EXPECT_TRUE(waitFor([&] { return x().pointer() == once; }, 5s)) << "move-once went elsewhere";
    x().movePointer(away.first, away.second);
    EXPECT_TRUE(pointerStaysAt(x(), away, 500ms)) << "move-once pinned the pointer";

    vorlin->type(form1::XBox, std::to_string(pin.first));
    vorlin->type(form1::YBox, std::to_string(pin.second));
    vorlin->click(form1::PinPicture);
    x().movePointer(away.first, away.second);
    ASSERT_TRUE(waitFor([&] { return x().pointer() == pin; }, 5s)) << "the pin did not hold the pointer";

    // Clicks made while pinned land on the pinned point, as Windows sees it.
    EXPECT_EQ(wine->vorlin({"--interval", "10", "--start"}).exitCode, 0);
    ASSERT_TRUE(clicksArrive(20)) << "--start clicked nothing";
    EXPECT_EQ(wine->vorlin({"--stop"}).exitCode, 0);
    EXPECT_TRUE(target->waitForQuiet(1s, 10s)) << "--stop did not stop the clicks";
    const auto at = target->events().downsAt;
    EXPECT_EQ(std::count(at.begin(), at.end(), pin), static_cast<long>(at.size())) << "a click landed off the pin";
    x().movePointer(away.first, away.second);
    EXPECT_TRUE(pointerStaysAt(x(), away, 500ms)) << "the pin outlived --stop";
}

TEST_F(ClickerTest, AlwaysOnTopReachesTheWindow)
{
    // Seen from both sides: the window's topmost style inside Wine, and the
    // window manager's state on the X window.
    const auto topmost = [&] { return wine->run(VORLIN_CLICK_TARGET, {"--topmost", "Vorlin"}).exitCode; };
    const auto above = [&] {
        const auto state = x().wmState(vorlin->window);
        return std::find(state.begin(), state.end(), "_NET_WM_STATE_ABOVE") != state.end();
    };
    ASSERT_EQ(topmost(), 0);
    ASSERT_FALSE(above());
    vorlin->click(form1::TopmostBox);
    EXPECT_TRUE(waitFor([&] { return topmost() == 1; }, 20s, 100ms)) << "the window is not topmost";
    EXPECT_TRUE(waitFor(above, 5s)) << "the window manager was not told";
    vorlin->click(form1::TopmostBox);
    EXPECT_TRUE(waitFor([&] { return topmost() == 0; }, 20s, 100ms)) << "the window stayed topmost";
    EXPECT_TRUE(waitFor([&] { return !above(); }, 5s));
}

TEST_F(ClickerTest, ASecondStartShowsTheAlreadyRunningMessage)
{
    Process second = wine->start(wine->vorlinExe());
    ASSERT_TRUE(x().waitForWindow("请勿重复运行", 60s)) << "a second start was not refused";
    EXPECT_TRUE(vorlin->dismissMessage("请勿重复运行"));
    EXPECT_EQ(second.waitExit(30s), 0);
    int mainWindows = 0;
    for (unsigned long w : x().windowsTitled("Vorlin"))
        mainWindows += x().isViewable(w) ? 1 : 0;
    EXPECT_EQ(mainWindows, 1);
    EXPECT_TRUE(vorlin->process.running());
}

} // namespace
