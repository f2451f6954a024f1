// The Windows backend's clicks timer, hotkeys and key names, against the real
// calls (on Windows or under Wine).
#include <gtest/gtest.h>
#include <windows.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>

#include "platform/win32/named_mutex_instance.h"
#include "platform/win32/user_identity.h"
#include "platform/win32/waitable_timer_ticker.h"
#include "platform/win32/win32_hotkeys.h"
#include "platform/win32/win32_key_names.h"

// Key names in failure messages as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

using platform::Registration;
using platform::Ticker;
using platform::win32::NamedMutexInstance;
using platform::win32::WaitableTimerTicker;
using platform::win32::Win32Hotkeys;
using platform::win32::Win32KeyNames;

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

TEST(WaitableTimerTicker, AStallReleasesTheCatchUpBoundInOneGo)
{
    WaitableTimerTicker ticker;
    int ticks = 0;
    ticker.onTick = [&] {
        // The burst of one wake-up runs in one go; what is posted now runs after it.
        if (++ticks == 1)
            QTimer::singleShot(0, [&] { ticker.stop(); });
    };
    ticker.start(1);
    Sleep(400); // the GUI thread is blocked: 400 deadlines pass
    ASSERT_TRUE(spinUntil([&] { return !ticker.active(); }, 5000));
    EXPECT_EQ(ticks, Ticker::maxCatchUpTicks(1));
}

TEST(WaitableTimerTicker, StopDropsWhatIsPendingAndRestartWaitsAFullInterval)
{
    WaitableTimerTicker ticker;
    int ticks = 0;
    ticker.onTick = [&] { ++ticks; };
    ticker.start(1);
    ASSERT_TRUE(spinUntil([&] { return ticks >= 5; }, 5000));
    Sleep(20);
    ticker.stop();
    const int atStop = ticks;
    spinUntil([] { return false; }, 50);
    EXPECT_EQ(ticks, atStop);
    EXPECT_FALSE(ticker.active());

    ticks = 0;
    ticker.start(200);
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(spinUntil([&] { return ticks >= 1; }, 5000));
    EXPECT_GE(t.elapsed(), 190);
}

TEST(WaitableTimerTicker, StoppingFromATickEndsTheBurst)
{
    WaitableTimerTicker ticker;
    int ticks = 0;
    ticker.onTick = [&] {
        ++ticks;
        ticker.stop();
    };
    ticker.start(1);
    Sleep(30);
    spinUntil([&] { return ticks > 0; }, 5000);
    spinUntil([] { return false; }, 50);
    EXPECT_EQ(ticks, 1);
}

TEST(NamedMutexInstance, ALaterStartSeesTheRunningOneUntilItEnds)
{
    const QString sid = platform::win32::currentUserSid();
    ASSERT_TRUE(sid.startsWith("S-1-")) << sid.toStdString();
    const QString name = NamedMutexInstance::nameFor(sid) + QStringLiteral("-test-%1").arg(GetCurrentProcessId());
    EXPECT_TRUE(name.startsWith("Local\\Vorlin-S-1-"));
    auto running = std::make_unique<NamedMutexInstance>(name);
    EXPECT_FALSE(running->anotherInstanceRunning());
    EXPECT_FALSE(running->anotherInstanceRunning()); // it holds the name itself
    EXPECT_TRUE(NamedMutexInstance(name).anotherInstanceRunning());
    running.reset();
    EXPECT_FALSE(NamedMutexInstance(name).anotherInstanceRunning());
    EXPECT_TRUE(platform::win32::processRunsAsThisUser(GetCurrentProcessId()));
}

// The message window of the one registration, as the system knows it.
HWND hotkeyWindow() { return FindWindowExW(HWND_MESSAGE, nullptr, L"VorlinHotkeyWindow", nullptr); }

TEST(Win32Hotkeys, ACombinationHeldByAnotherOwnerIsTakenUntilReleased)
{
    Win32Hotkeys hotkeys;
    int first = 0, second = 0;
    const int mods = platform::ModCtrl | platform::ModAlt;
    ASSERT_EQ(hotkeys.registerHotkey(&first, VK_F9, mods, [&] { ++first; }), Registration::Registered);
    EXPECT_EQ(hotkeys.registerHotkey(&second, VK_F9, mods, [&] { ++second; }), Registration::Taken);
    EXPECT_EQ(hotkeys.registerHotkey(&second, VK_F9, mods | 0x4000, [] {}), Registration::Unavailable); // no flag added
    hotkeys.unregisterHotkey(&first);
    EXPECT_EQ(hotkeys.registerHotkey(&second, VK_F9, mods, [&] { ++second; }), Registration::Registered);
}

TEST(Win32Hotkeys, APressReachesItsOwnerThroughTheEventLoopAndNoneAfterUnregistering)
{
    Win32Hotkeys hotkeys;
    int presses = 0;
    ASSERT_EQ(hotkeys.registerHotkey(&presses, VK_F10, platform::ModShift, [&] { ++presses; }), Registration::Registered);
    const HWND window = hotkeyWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_HOTKEY, 1, MAKELPARAM(MOD_SHIFT, VK_F10));
    PostMessageW(window, WM_HOTKEY, 1, MAKELPARAM(MOD_SHIFT, VK_F10)); // an auto-repeat
    EXPECT_EQ(presses, 0);
    EXPECT_TRUE(spinUntil([&] { return presses == 2; }, 5000));

    PostMessageW(window, WM_HOTKEY, 1, MAKELPARAM(MOD_SHIFT, VK_F10));
    hotkeys.unregisterHotkey(&presses);
    spinUntil([] { return false; }, 50);
    EXPECT_EQ(presses, 2);
    EXPECT_EQ(hotkeyWindow(), nullptr);
}

TEST(Win32KeyNames, ExtendedKeysAreNamedApartFromTheKeysSharingTheirScanCode)
{
    const Win32KeyNames names;
    EXPECT_EQ(names.keyName('A'), "A");
    EXPECT_EQ(names.keyName(VK_F1), "F1");
    EXPECT_EQ(names.keyName(0), "");
    // Each extended key and its twin without the flag.
    const std::pair<int, int> twins[] = {
        {VK_UP, VK_NUMPAD8},   {VK_DOWN, VK_NUMPAD2},  {VK_LEFT, VK_NUMPAD4}, {VK_RIGHT, VK_NUMPAD6},
        {VK_INSERT, VK_NUMPAD0}, {VK_DELETE, VK_DECIMAL}, {VK_HOME, VK_NUMPAD7}, {VK_END, VK_NUMPAD1},
        {VK_PRIOR, VK_NUMPAD9}, {VK_NEXT, VK_NUMPAD3},  {VK_DIVIDE, VK_OEM_2},
    };
    for (const auto& [extended, twin] : twins) {
        EXPECT_FALSE(names.keyName(extended).isEmpty()) << extended;
        EXPECT_NE(names.keyName(extended), names.keyName(twin)) << extended << " and " << twin;
    }
    // The argument: the scan code in bits 16 to 23, the extended-key flag in bit 24.
    EXPECT_EQ(Win32KeyNames::keyNameArgument(VK_UP, 0x48), 0x01480000L);
    EXPECT_EQ(Win32KeyNames::keyNameArgument(VK_NUMPAD8, 0x48), 0x00480000L);
    EXPECT_EQ(Win32KeyNames::keyNameArgument('A', 0x1E), 0x001E0000L);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
