// The hotkeys of the real program under Xvfb and openbox: recorded in the
// hotkey window, switched on, pressed by xdotool while another window has the
// focus; refused when another client holds the combination; saved and loaded.
#include <gtest/gtest.h>

#include <QImage>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <fstream>
#include <sstream>

#include "harness/click_recorder.h"
#include "harness/hotkey_window.h"

#include "common/example_settings.h"

using namespace e2e;
using namespace std::chrono_literals;

namespace {

// A plain window of another client, to hold the focus while hotkeys are pressed.
class OtherWindow {
public:
    OtherWindow(const XSession& s) : display_(s.display())
    {
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 900, 600, 300, 250, 0, 0, 0xFFFFFF);
        XStoreName(display_, window_, "other client");
        XMapRaised(display_, window_);
        XSync(display_, False);
    }
    ~OtherWindow()
    {
        XDestroyWindow(display_, window_);
        XSync(display_, False);
    }
    unsigned long id() const { return window_; }

private:
    Display* display_;
    Window window_;
};

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string ExampleFile = ExampleSettingsIni;

class HotkeyTest : public ::testing::Test {
protected:
    XSession session{XSession::Options{.windowManager = true}};
    std::unique_ptr<RunningVorlin> vorlin;
    unsigned long hotkeyWindow = 0;

    void SetUp() override
    {
        ASSERT_TRUE(session.ok()) << "no X server";
        startVorlin();
    }

    void startVorlin()
    {
        vorlin = std::make_unique<RunningVorlin>(session);
        ASSERT_TRUE(vorlin->ok()) << "the main window did not appear";
    }

    void openHotkeyWindow()
    {
        vorlin->click(form1::HotkeyLink);
        const auto w = session.waitForWindow("设置热键", 10s);
        ASSERT_TRUE(w) << "the hotkey window did not appear";
        hotkeyWindow = *w;
        ASSERT_TRUE(waitFor([&] { return session.isViewable(hotkeyWindow); }, 5s));
        session.xdotool({"windowactivate", "--sync", std::to_string(hotkeyWindow)});
    }

    void click(Spot s) const { session.clickAt(hotkeyWindow, s.x, s.y); }

    void record(Spot box, const std::string& combination) const
    {
        click(box);
        session.pressKeys(combination);
    }

    // Gives the focus to another client's window and puts the pointer on it,
    // where the clicks land.
    void focusElsewhere(const OtherWindow& other) const
    {
        session.xdotool({"windowactivate", "--sync", std::to_string(other.id())});
        const Rect g = session.geometry(other.id());
        session.movePointer(g.x + g.width / 2, g.y + g.height / 2);
        ASSERT_EQ(session.xdotool({"getactivewindow"}).out, std::to_string(other.id()) + "\n");
    }

    // Presses the start hotkey until clicks arrive: the press can reach the
    // server before the program has made its grab.
    bool startByHotkey(const std::string& combination, const ClickRecorder& rec) const
    {
        return waitFor(
            [&] {
                session.pressKeys(combination);
                return waitFor([&] { return rec.pressCount() >= 20; }, 1s);
            },
            15s, 0ms);
    }

    QImage mark(Rect r) const
    {
        const Rect g = session.geometry(hotkeyWindow);
        return session.screenshot().copy(g.x + r.x, g.y + r.y, r.width, r.height);
    }
};

TEST_F(HotkeyTest, StartStopAndLockHotkeysWorkWhileAnotherWindowHasTheFocus)
{
    vorlin->type(form1::IntervalBox, "10");
    vorlin->type(form1::XBox, "200");
    vorlin->type(form1::YBox, "300");
    openHotkeyWindow();
    record(form3::Box1, "ctrl+F1");
    record(form3::Box2, "ctrl+F2");
    record(form3::Box3, "ctrl+F3");
    click(form3::Check1);
    click(form3::Check2);
    click(form3::Check3);

    OtherWindow other(session);
    focusElsewhere(other);
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    ASSERT_TRUE(startByHotkey("ctrl+F1", rec)) << "the start hotkey started no clicking";
    EXPECT_EQ(session.xdotool({"getactivewindow"}).out, std::to_string(other.id()) + "\n");

    session.pressKeys("ctrl+F2");
    ASSERT_TRUE(waitForQuiet(rec, 500ms, 5s)) << "the stop hotkey did not stop the clicks";

    const int clicks = rec.pressCount();
    session.pressKeys("ctrl+F3");
    EXPECT_TRUE(waitFor([&] { return session.pointer() == std::pair{200, 300}; }, 3s)) << "the lock hotkey pinned nothing";
    session.movePointer(700, 650);
    EXPECT_TRUE(waitFor([&] { return session.pointer() == std::pair{200, 300}; }, 3s)) << "the pin let go";
    EXPECT_EQ(rec.pressCount(), clicks) << "the lock hotkey started clicking";

    session.pressKeys("ctrl+F2");
    ASSERT_TRUE(waitFor(
        [&] {
            session.movePointer(710, 660);
            return waitFor([&] { return session.pointer() != std::pair{200, 300}; }, 300ms);
        },
        5s));
    EXPECT_TRUE(session.windowsTitled("错误").empty());
}

TEST_F(HotkeyTest, HotkeysWorkWithNumLockOn)
{
    vorlin->type(form1::IntervalBox, "10");
    session.pressKeys("Num_Lock");
    const unsigned numLock = XkbKeysymToModifiers(session.display(), XK_Num_Lock);
    ASSERT_NE(numLock, 0u);
    ASSERT_TRUE(waitFor(
        [&] {
            XkbStateRec state{};
            XkbGetState(session.display(), XkbUseCoreKbd, &state);
            return (state.locked_mods & numLock) != 0;
        },
        3s))
        << "Num Lock did not lock";

    openHotkeyWindow();
    record(form3::Box1, "ctrl+F1");
    record(form3::Box2, "ctrl+F2");
    click(form3::Check1);
    click(form3::Check2);
    OtherWindow other(session);
    focusElsewhere(other);
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    ASSERT_TRUE(startByHotkey("ctrl+F1", rec)) << "the start hotkey did nothing with Num Lock on";
    session.pressKeys("ctrl+F2");
    EXPECT_TRUE(waitForQuiet(rec, 500ms, 5s));
}

TEST_F(HotkeyTest, ACombinationAnotherClientHoldsIsRefusedAndTheBoxStaysCleared)
{
    openHotkeyWindow();
    record(form3::Box1, "ctrl+F4");
    record(form3::Box2, "F5");
    const QImage cleared = mark(form3::Check2Mark);
    click(form3::Check2); // a combination no one holds: ticked
    EXPECT_TRUE(waitFor([&] { return mark(form3::Check2Mark) != cleared; }, 3s)) << "a ticked box looks cleared";

    // Another client takes Ctrl+F4 on the root window, as a desktop would.
    Display* d = session.display();
    XGrabKey(d, XKeysymToKeycode(d, XK_F4), ControlMask, DefaultRootWindow(d), True, GrabModeAsync, GrabModeAsync);
    XSync(d, False);

    const QImage before = mark(form3::Check1Mark);
    click(form3::Check1);
    EXPECT_TRUE(vorlin->dismissMessage("错误")) << "no conflict message";
    session.movePointer(5, 5);
    EXPECT_TRUE(waitFor([&] { return mark(form3::Check1Mark) == before; }, 3s)) << "the box shows a refused hotkey as on";

    // The refused recording was cleared: ticking again finds nothing recorded.
    click(form3::Check1);
    EXPECT_TRUE(vorlin->dismissMessage("错误")) << "no message for a cleared recording";
    session.movePointer(5, 5);
    EXPECT_TRUE(waitFor([&] { return mark(form3::Check1Mark) == before; }, 3s));
    XUngrabKey(d, XKeysymToKeycode(d, XK_F4), ControlMask, DefaultRootWindow(d));
    XSync(d, False);
}

TEST_F(HotkeyTest, SaveWritesSettingIniAndARestartShowsTheCombinationsSwitchedOff)
{
    const std::string ini = session.folder() + "/setting.ini";
    openHotkeyWindow();
    record(form3::Box1, "ctrl+F1");
    record(form3::Box3, "alt+F3");
    click(form3::SaveButton);
    EXPECT_TRUE(waitFor([&] { return !session.isViewable(hotkeyWindow); }, 5s)) << "save did not hide the window";
    ASSERT_TRUE(waitFor([&] { return readFile(ini) == ExampleFile; }, 5s)) << readFile(ini);

    vorlin->process.kill();
    ASSERT_GE(vorlin->process.waitExit(5s), 0);
    startVorlin();
    vorlin->type(form1::IntervalBox, "10");
    openHotkeyWindow();

    // Loaded, but not switched on: the combination does nothing yet.
    OtherWindow other(session);
    focusElsewhere(other);
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    session.pressKeys("ctrl+F1");
    EXPECT_TRUE(waitForQuiet(rec, 700ms, 5s));
    EXPECT_EQ(rec.pressCount(), 0) << "a hotkey was live before its box was ticked";

    // Saving again writes the same texts and numbers: the window showed what was saved.
    session.xdotool({"windowactivate", "--sync", std::to_string(hotkeyWindow)});
    click(form3::SaveButton);
    EXPECT_TRUE(waitFor([&] { return !session.isViewable(hotkeyWindow); }, 5s));
    EXPECT_EQ(readFile(ini), ExampleFile);

    // Ticked, the loaded combination starts clicking.
    vorlin->click(form1::HotkeyLink);
    ASSERT_TRUE(waitFor([&] { return session.isViewable(hotkeyWindow); }, 5s));
    click(form3::Check1);
    focusElsewhere(other);
    rec.clear();
    EXPECT_TRUE(startByHotkey("ctrl+F1", rec)) << "the loaded combination did not work";
    EXPECT_TRUE(session.windowsTitled("错误").empty());
}

} // namespace
