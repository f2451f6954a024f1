// The hotkeys of the real program under Xvfb and openbox: recorded in the
// hotkey window, switched on, pressed by xdotool while another window has the
// focus; refused when another client holds the combination; saved and loaded.
#include <gtest/gtest.h>

#include <QImage>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>

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

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

const std::string ExampleFile = ExampleSettingsIni;

bool grabRefused = false;
int noteRefusedGrab(Display*, XErrorEvent* e)
{
    if (e->error_code == BadAccess)
        grabRefused = true;
    return 0;
}

// Whether another X client can grab the combination on the root window now,
// as a desktop taking a shortcut would; a grab it gets is let go at once.
bool anotherClientCanGrab(Display* d, KeySym key, unsigned int modifiers)
{
    const KeyCode keycode = XKeysymToKeycode(d, key);
    const Window root = DefaultRootWindow(d);
    grabRefused = false;
    XSync(d, False);
    const auto previous = XSetErrorHandler(noteRefusedGrab);
    XGrabKey(d, keycode, modifiers, root, True, GrabModeAsync, GrabModeAsync);
    XSync(d, False);
    XSetErrorHandler(previous);
    if (!grabRefused) {
        XUngrabKey(d, keycode, modifiers, root);
        XSync(d, False);
    }
    return !grabRefused;
}

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

    void restartVorlin()
    {
        vorlin->process.kill();
        ASSERT_GE(vorlin->process.waitExit(5s), 0);
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

    bool numLockOn() const
    {
        XkbStateRec state{};
        XkbGetState(session.display(), XkbUseCoreKbd, &state);
        return (state.locked_mods & XkbKeysymToModifiers(session.display(), XK_Num_Lock)) != 0;
    }

    // Presses and releases the key that carries the keysym, with no modifier
    // added: xdotool would add Shift to reach a keypad digit with Num Lock off.
    void tapKeyOf(KeySym keysym) const
    {
        Display* d = session.display();
        const KeyCode keycode = XKeysymToKeycode(d, keysym);
        XTestFakeKeyEvent(d, keycode, True, CurrentTime);
        XTestFakeKeyEvent(d, keycode, False, CurrentTime);
        XSync(d, False);
    }

    void setNumLock(bool on) const
    {
        if (numLockOn() != on)
            tapKeyOf(XK_Num_Lock);
        ASSERT_TRUE(waitFor([&] { return numLockOn() == on; }, 3s)) << "Num Lock did not switch";
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

// Holding a hotkey whose handler brings up a message gives one box of it, not one per press.
TEST_F(HotkeyTest, AHeldHotkeyBringsUpOneBoxOfItsMessage)
{
    vorlin->type(form1::IntervalBox, "abc");
    openHotkeyWindow();
    record(form3::Box1, "ctrl+F1");
    record(form3::Box3, "ctrl+F3");
    click(form3::Check1);
    click(form3::Check3);
    OtherWindow other(session);
    focusElsewhere(other);
    session.xdotool({"key", "--repeat", "20", "--delay", "20", "ctrl+F1"});
    // The presses are handled in order: once the lock hotkey's own message
    // (no coordinates typed) is up, so are the start hotkey's.
    session.pressKeys("ctrl+F3");
    ASSERT_TRUE(session.waitForWindow("错误", 10s)) << "the lock hotkey brought up no message";
    int boxes = 0;
    for (unsigned long w : session.windowsTitled("范围错误"))
        boxes += session.isViewable(w) ? 1 : 0;
    EXPECT_EQ(boxes, 1);
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

TEST_F(HotkeyTest, ASpaceTypedRightAfterOpeningPressesTheWindowsFirstButton)
{
    // The main window opens on its start button: with no interval typed, it asks for one.
    ASSERT_TRUE(waitFor([&] { return session.activeWindow() == vorlin->window; }, 5s));
    session.pressKeys("space");
    EXPECT_TRUE(vorlin->dismissMessage("错误")) << "the space did not press the start button";

    // The hotkey window opens on its save button: the space saves and hides it, and
    // switches no hotkey (which, with nothing recorded, would show a message).
    openHotkeyWindow();
    ASSERT_TRUE(waitFor([&] { return session.activeWindow() == hotkeyWindow; }, 5s));
    session.pressKeys("space");
    EXPECT_TRUE(waitFor([&] { return !session.isViewable(hotkeyWindow); }, 5s))
        << "the space did not press the save button";
    EXPECT_TRUE(waitFor([&] { return !readFile(session.folder() + "/setting.ini").empty(); }, 5s));
    EXPECT_TRUE(session.windowsTitled("错误").empty()) << "the space switched a hotkey";
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

// The keys a hotkey fires for are those that give its key number at that
// moment: both Enter keys; the navigation keys with their keypad twins while
// Num Lock is off; the keypad digits and decimal only while it is on. The lock
// hotkey shows a press: it puts the pointer on (200, 300).
TEST_F(HotkeyTest, KeypadKeysFireAsTheNumberTheyGiveUnderNumLock)
{
    struct Press {
        KeySym key; // a keysym on the key pressed, whatever Num Lock makes of it
        bool numLock;
        bool fires;
    };
    struct Case {
        const char* name;
        KeySym recorded;
        bool numLockWhileRecording;
        std::vector<Press> presses; // the first fires, so the grab is in place for the rest
    };
    const Case cases[] = {
        {"Enter", XK_Return, false, {{XK_Return, false, true}, {XK_KP_Enter, false, true}, {XK_KP_Enter, true, true}}},
        {"keypad Enter", XK_KP_Enter, true, {{XK_KP_Enter, true, true}, {XK_Return, false, true}}},
        {"Home", XK_Home, false, {{XK_Home, true, true}, {XK_KP_Home, false, true}, {XK_KP_Home, true, false}}},
        {"Num 7", XK_KP_Home, true, {{XK_KP_Home, true, true}, {XK_KP_Home, false, false}, {XK_7, false, false}}},
        {"Num .", XK_KP_Delete, true, {{XK_KP_Delete, true, true}, {XK_KP_Delete, false, false}, {XK_Delete, true, false}}},
        {"Delete", XK_Delete, true, {{XK_KP_Delete, false, true}, {XK_KP_Delete, true, false}}},
        {"Insert", XK_Insert, false, {{XK_KP_Insert, false, true}, {XK_KP_Insert, true, false}}},
        {"Left", XK_Left, false, {{XK_KP_Left, false, true}, {XK_KP_Left, true, false}}},
        {"Page Down", XK_Next, false, {{XK_KP_Next, false, true}, {XK_KP_Next, true, false}}},
    };
    const std::pair<int, int> pinned{200, 300}, away{700, 650};
    vorlin->type(form1::XBox, "200");
    vorlin->type(form1::YBox, "300");
    openHotkeyWindow();
    record(form3::Box2, "ctrl+F2");
    click(form3::Check2);
    OtherWindow other(session);
    bool switchedOn = false;

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session.xdotool({"windowactivate", "--sync", std::to_string(hotkeyWindow)});
        if (switchedOn)
            click(form3::Check3); // off, so the new recording is made with no grab held
        setNumLock(c.numLockWhileRecording);
        click(form3::Box3);
        tapKeyOf(c.recorded);
        click(form3::Check3);
        switchedOn = true;
        focusElsewhere(other);

        for (const Press& p : c.presses) {
            SCOPED_TRACE(std::string(XKeysymToString(p.key)) + (p.numLock ? " with Num Lock on" : " with Num Lock off"));
            setNumLock(p.numLock);
            session.movePointer(away.first, away.second);
            if (p.fires) {
                // Pressed again until it works: the first press can come before the grab.
                EXPECT_TRUE(waitFor(
                    [&] {
                        tapKeyOf(p.key);
                        return waitFor([&] { return session.pointer() == pinned; }, 1s);
                    },
                    6s, 0ms))
                    << "the hotkey did not fire";
            } else {
                tapKeyOf(p.key);
                EXPECT_FALSE(waitFor([&] { return session.pointer() == pinned; }, 700ms)) << "the hotkey fired";
            }
            if (session.pointer() == pinned) {
                session.pressKeys("ctrl+F2");
                ASSERT_TRUE(waitFor(
                    [&] {
                        session.movePointer(away.first, away.second);
                        return waitFor([&] { return session.pointer() != pinned; }, 300ms);
                    },
                    5s))
                    << "the stop hotkey did not end the pin";
            }
        }
    }
    EXPECT_TRUE(session.windowsTitled("错误").empty());
}

TEST_F(HotkeyTest, SwitchingOffOrRecordingAnotherCombinationReleasesTheGrab)
{
    Display* d = session.display();
    openHotkeyWindow();
    const QImage cleared = mark(form3::Check1Mark);
    record(form3::Box1, "ctrl+F6");
    click(form3::Check1);
    ASSERT_TRUE(waitFor([&] { return mark(form3::Check1Mark) != cleared; }, 3s)) << "the hotkey did not switch on";
    EXPECT_FALSE(anotherClientCanGrab(d, XK_F6, ControlMask)) << "the program holds no grab";

    click(form3::Check1);
    EXPECT_TRUE(waitFor([&] { return anotherClientCanGrab(d, XK_F6, ControlMask); }, 3s)) << "switched off, still grabbed";

    click(form3::Check1);
    ASSERT_TRUE(waitFor([&] { return mark(form3::Check1Mark) != cleared; }, 3s)) << "the hotkey did not switch on again";
    EXPECT_FALSE(anotherClientCanGrab(d, XK_F6, ControlMask));
    record(form3::Box1, "ctrl+F7");
    EXPECT_TRUE(waitFor([&] { return anotherClientCanGrab(d, XK_F6, ControlMask); }, 3s))
        << "a new recording kept the old grab";
    EXPECT_TRUE(anotherClientCanGrab(d, XK_F7, ControlMask)) << "a recording alone grabbed";
}

TEST_F(HotkeyTest, TheSameCombinationInTwoBoxesIsRefusedToTheSecond)
{
    vorlin->type(form1::IntervalBox, "10");
    openHotkeyWindow();
    const QImage cleared1 = mark(form3::Check1Mark), cleared = mark(form3::Check2Mark);
    record(form3::Box1, "ctrl+F8");
    record(form3::Box2, "ctrl+F8");
    click(form3::Check1);
    ASSERT_TRUE(waitFor([&] { return mark(form3::Check1Mark) != cleared1; }, 3s)) << "the first box did not switch on";
    click(form3::Check2);
    EXPECT_TRUE(vorlin->dismissMessage("错误")) << "no conflict message";
    session.movePointer(5, 5);
    EXPECT_TRUE(waitFor([&] { return mark(form3::Check2Mark) == cleared; }, 3s)) << "the second box shows it on";

    // The first box keeps its hotkey.
    OtherWindow other(session);
    focusElsewhere(other);
    ClickRecorder rec(session.displayName());
    ASSERT_TRUE(rec.ok());
    EXPECT_TRUE(startByHotkey("ctrl+F8", rec)) << "the first box lost its hotkey";
}

TEST_F(HotkeyTest, ASaveThatCannotWriteTellsWhyAndLeavesTheFileAndTheWindowAsTheyWere)
{
    const std::string ini = session.folder() + "/setting.ini";
    const std::string old = ExampleFile + "[Other]\r\nkeep=1\r\n";
    writeFile(ini, old); // read when the hotkey window first opens
    openHotkeyWindow();
    record(form3::Box2, "ctrl+F5");

    // Under a file-size limit smaller than the file every write of it fails.
    const std::string pid = std::to_string(vorlin->process.pid());
    ASSERT_EQ(run({"prlimit", "--pid", pid, "--fsize=64:"}).exitCode, 0);
    click(form3::SaveButton);
    EXPECT_TRUE(vorlin->dismissMessage("错误")) << "no message about the failed save";
    EXPECT_TRUE(session.isViewable(hotkeyWindow)) << "the window closed over recordings that were not saved";
    EXPECT_EQ(readFile(ini), old);

    // With room again, the recordings still in the window are saved.
    ASSERT_EQ(run({"prlimit", "--pid", pid, "--fsize=unlimited:"}).exitCode, 0);
    session.xdotool({"windowactivate", "--sync", std::to_string(hotkeyWindow)});
    click(form3::SaveButton);
    EXPECT_TRUE(waitFor([&] { return !session.isViewable(hotkeyWindow); }, 5s)) << "save did not hide the window";
    const std::string saved = readFile(ini);
    EXPECT_NE(saved.find("RKHotKey2KeyCode=116\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("[Other]\r\nkeep=1\r\n"), std::string::npos) << saved;
}

// The program's folder open to every user, with a setting.ini in it (planted
// there by anyone): it is not read, and a save there is refused with a reason.
TEST_F(HotkeyTest, AFolderOthersMayWriteIsNeitherReadNorSavedInto)
{
    const std::string ini = session.folder() + "/setting.ini";
    writeFile(ini, ExampleFile);
    ASSERT_EQ(::chmod(session.folder().c_str(), 0777), 0);
    openHotkeyWindow();
    click(form3::Check1); // with Ctrl+F1 read from the file this would switch it on
    EXPECT_TRUE(vorlin->dismissMessage("错误")) << "the planted combination was read";
    session.xdotool({"windowactivate", "--sync", std::to_string(hotkeyWindow)});
    record(form3::Box2, "ctrl+F5");
    click(form3::SaveButton);
    EXPECT_TRUE(vorlin->dismissMessage("错误")) << "no message about the refused folder";
    EXPECT_TRUE(session.isViewable(hotkeyWindow));
    EXPECT_EQ(readFile(ini), ExampleFile);

    // The folder private again, the same save goes through.
    ASSERT_EQ(::chmod(session.folder().c_str(), 0700), 0);
    session.xdotool({"windowactivate", "--sync", std::to_string(hotkeyWindow)});
    click(form3::SaveButton);
    EXPECT_TRUE(waitFor([&] { return !session.isViewable(hotkeyWindow); }, 5s)) << "save did not hide the window";
    EXPECT_NE(readFile(ini).find("RKHotKey2KeyCode=116\r\n"), std::string::npos) << readFile(ini);
}

// A setting.ini that would block or flood the program: the hotkey window
// still opens, a save says it cannot, and the file stays what it was.
TEST_F(HotkeyTest, ASettingFileThatIsNoPlainFileIsRefusedWithoutHanging)
{
    namespace fs = std::filesystem;
    const std::string ini = session.folder() + "/setting.ini";
    struct Case {
        const char* name;
        std::function<bool()> make;
        fs::file_type type;
    };
    const Case cases[] = {
        {"FIFO", [&] { return ::mkfifo(ini.c_str(), 0644) == 0; }, fs::file_type::fifo},
        {"link to /dev/zero", [&] { return ::symlink("/dev/zero", ini.c_str()) == 0; }, fs::file_type::symlink},
        // The save's keys would grow it past the 1 MiB the program reads.
        {"file at the reading cap", [&] {
             const std::string head = "[RKHotKey]\r\n;";
             writeFile(ini, head + std::string((1 << 20) - head.size() - 2, ' ') + "\r\n");
             return fs::file_size(ini) == (1 << 20);
         }, fs::file_type::regular},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(ini);
        ASSERT_TRUE(c.make());
        restartVorlin();
        openHotkeyWindow();
        record(form3::Box1, "ctrl+F6");
        click(form3::SaveButton);
        EXPECT_TRUE(vorlin->dismissMessage("错误")) << "no message about the refused save";
        EXPECT_TRUE(session.isViewable(hotkeyWindow));
        EXPECT_EQ(fs::symlink_status(ini).type(), c.type);
    }
}

} // namespace
