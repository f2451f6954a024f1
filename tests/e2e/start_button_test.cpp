// The main window's start button seen from outside under Xvfb and openbox: its
// silver face in the normal, hot, pressed, focused and disabled states (screen
// pixels against the face's own colours), and the mouse and the keyboard
// (Tab to it, then space) starting and stopping the clicking.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <iomanip>
#include <ostream>

#include "harness/click_recorder.h"
#include "harness/screen_pixel.h"
#include "harness/vorlin_window.h"

using namespace e2e;
using namespace std::chrono_literals;

namespace {

// The start button: 65 × 41 pixels at (64, 296) of the client area.
constexpr Spot ButtonTopLeft{64, 296};
constexpr Spot FramePixel{ButtonTopLeft.x + 32, ButtonTopLeft.y};     // middle of the outer frame's top
constexpr Spot InnerPixel{ButtonTopLeft.x + 32, ButtonTopLeft.y + 1}; // the inner frame below it
constexpr Spot FacePixel{ButtonTopLeft.x + 8, ButtonTopLeft.y + 5};   // the face, clear of the caption
// A label: the synthesised clicks land there harmlessly and keep the window active.
constexpr Spot QuietSpot{20, 160};

struct Face {
    uint32_t frame, inner, face;
};

std::ostream& operator<<(std::ostream& os, const Face& f)
{
    return os << std::hex << std::setfill('0') << "frame " << std::setw(6) << f.frame << ", inner " << std::setw(6)
              << f.inner << ", face " << std::setw(6) << f.face;
}

uint32_t red(uint32_t rgb) { return rgb >> 16; }
uint32_t green(uint32_t rgb) { return (rgb >> 8) & 0xFF; }
uint32_t blue(uint32_t rgb) { return rgb & 0xFF; }

// The looks, each from the button's own colours (face 0xE3E3E3).
bool isNormal(const Face& f)
{
    const bool grey = red(f.face) == green(f.face) && green(f.face) == blue(f.face);
    return f.frame == rgbWord(0x70, 0x70, 0x70) && f.inner == 0xFFFFFF && grey && red(f.face) >= 0xE3 &&
           red(f.face) <= 0xF0;
}
bool isFocused(const Face& f) { return f.frame == rgbWord(0x32, 0x75, 0xA7) && f.inner == rgbWord(0x48, 0xD8, 0xFB); }
bool isHot(const Face& f)
{
    // A pale blue gradient from 0xE4F7FF to 0xDAF3FF over the upper half.
    return f.frame == rgbWord(0x32, 0x75, 0xA7) && f.inner == 0xFFFFFF && blue(f.face) == 0xFF &&
           red(f.face) >= 0xDA && red(f.face) <= 0xE4 && green(f.face) >= 0xF3 && green(f.face) <= 0xF7;
}
bool isDown(const Face& f) { return f.frame == rgbWord(0x1D, 0x41, 0x5C) && f.face == rgbWord(0xC2, 0xE4, 0xF6); }
bool isDisabled(const Face& f)
{
    return f.frame == rgbWord(0xA3, 0xA3, 0xA3) && f.inner == 0xFFFFFF && f.face == rgbWord(0xEB, 0xEB, 0xEB);
}

class StartButtonTest : public ::testing::Test {
protected:
    XSession session{XSession::Options{.windowManager = true}};
    std::unique_ptr<RunningVorlin> vorlin;
    e2e::Rect g;

    void SetUp() override
    {
        ASSERT_TRUE(session.ok()) << "no X server";
        vorlin = std::make_unique<RunningVorlin>(session);
        ASSERT_TRUE(vorlin->ok()) << "the main window did not appear";
        g = session.geometry(vorlin->window);
    }

    uint32_t pixel(Spot s) const { return screenPixel(session.display(), g.x + s.x, g.y + s.y); }
    Face face() const { return {pixel(FramePixel), pixel(InnerPixel), pixel(FacePixel)}; }
    void pointAt(Spot s) const { session.movePointer(g.x + s.x, g.y + s.y); }

    // Waits for the look; on failure says what the button showed instead.
    ::testing::AssertionResult shows(bool (*look)(const Face&), const char* name) const
    {
        if (waitFor([&] { return look(face()); }, 5s))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "not " << name << ": " << face();
    }

    // Mean milliseconds between the recorded presses, once there are `n` of them.
    static double meanPeriod(const ClickRecorder& rec, size_t n)
    {
        if (!waitFor([&] { return rec.presses().size() >= n; }, 10s))
            return -1;
        const auto p = rec.presses();
        return double(p[n - 1] - p[1]) / double(n - 2); // the first may be the button's own press
    }
};

} // namespace

TEST_F(StartButtonTest, FacesFollowThePointerAndTheMouseStartsAndStopsTheClicking)
{
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    vorlin->type(form1::IntervalBox, "100"); // the focus goes to the box
    EXPECT_TRUE(shows(isNormal, "normal"));

    pointAt(form1::StartButton);
    EXPECT_TRUE(shows(isHot, "hot"));
    session.movePointer(5, 1000);
    EXPECT_TRUE(shows(isNormal, "normal after the pointer left"));
    pointAt(QuietSpot); // into the window, then over the button, as a hand moves it
    pointAt(form1::StartButton);
    EXPECT_TRUE(shows(isHot, "hot again"));

    session.xdotool({"mousedown", "1"});
    EXPECT_TRUE(shows(isDown, "pressed"));
    rec.clear();
    session.xdotool({"mouseup", "1"});
    EXPECT_TRUE(shows(isDisabled, "disabled while clicking"));
    const double period = meanPeriod(rec, 8);
    EXPECT_GT(period, 50.0) << rec.pressCount();
    EXPECT_LT(period, 300.0) << rec.pressCount();

    vorlin->click(form1::StopButton);
    EXPECT_TRUE(waitForQuiet(rec, 500ms, 5s)) << "clicks went on after stop";
    EXPECT_TRUE(shows(isNormal, "normal after stop")); // the stop button took the focus
}

TEST_F(StartButtonTest, TabThenSpaceStartsTheClickingAndSpaceOnTheNextButtonStopsIt)
{
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    vorlin->type(form1::IntervalBox, "100");
    pointAt(QuietSpot);
    // From the interval box: the always-on-top box, then round to the start button.
    session.pressKeys("Tab");
    session.pressKeys("Tab");
    ASSERT_TRUE(shows(isFocused, "focused"));

    rec.clear();
    session.pressKeys("space");
    EXPECT_TRUE(shows(isDisabled, "disabled while clicking"));
    const double period = meanPeriod(rec, 8);
    EXPECT_GT(period, 50.0) << rec.pressCount();
    EXPECT_LT(period, 300.0) << rec.pressCount();

    // The disabled button handed the focus on to the stop button.
    session.pressKeys("space");
    EXPECT_TRUE(waitForQuiet(rec, 500ms, 5s)) << "clicks went on after stop";
    EXPECT_TRUE(shows(isNormal, "normal after stop"));
}

// The window coming back under a pointer that rested on the start button shows
// the button hot: after the button's own message box closed with the pointer
// moved onto it meanwhile, and after another window had the focus for a while.
TEST_F(StartButtonTest, TheButtonUnderARestingPointerIsHotWhenItsWindowComesBack)
{
    for (const bool messageBox : {true, false}) {
        SCOPED_TRACE(messageBox ? "message box" : "another window");
        if (messageBox) {
            vorlin->click(form1::IntervalBox); // empty: the start button answers with a message
            session.pressKeys("Tab");
            session.pressKeys("Tab");
            pointAt(QuietSpot);
            session.pressKeys("Return");
            ASSERT_TRUE(session.waitForWindow("错误"));
            pointAt(form1::StartButton);
            ASSERT_TRUE(vorlin->dismissMessage("错误"));
        } else {
            pointAt(form1::StartButton);
            ASSERT_TRUE(shows(isHot, "hot"));
            Display* d = session.display();
            const Window other = XCreateSimpleWindow(d, DefaultRootWindow(d), 900, 10, 200, 100, 0, 0, 0xFFFFFF);
            XMapWindow(d, other);
            XFlush(d);
            ASSERT_TRUE(waitFor([&] { return session.activeWindow() == other; }, 5s));
            session.xdotool({"windowactivate", "--sync", std::to_string(vorlin->window)});
            XDestroyWindow(d, other);
            XFlush(d);
        }
        EXPECT_TRUE(shows(isHot, "hot"));
        pointAt(QuietSpot);
        EXPECT_TRUE(shows(isFocused, "focused, the pointer gone"));
    }
}

// Disabled under the pointer that clicked it, the start button is hot again
// when a stop enables it under that pointer.
TEST_F(StartButtonTest, EnabledAgainUnderARestingPointerTheStartButtonIsHot)
{
    vorlin->type(form1::IntervalBox, "5000"); // no click of its own lands before the stop
    pointAt(form1::StartButton);
    session.xdotool({"click", "1"});
    ASSERT_TRUE(shows(isDisabled, "disabled while clicking"));
    EXPECT_EQ(run({session.folder() + "/vorlin", "--stop"}, session.environment()).exitCode, 0);
    EXPECT_TRUE(shows(isHot, "hot"));
}
