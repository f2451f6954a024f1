// What the hotkeys cost: reading and writing the INI file, and the time from a
// hotkey press in another window to the first click of the real program under
// Xvfb. Prints a table; never fails on a figure.
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "harness/click_recorder.h"
#include "harness/hotkey_window.h"
#include "platform/ini_file_profile.h"

using namespace e2e;
using namespace std::chrono_literals;

namespace {

double microsecondsPer(int times, const std::function<void(int)>& step)
{
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < times; ++i)
        step(i);
    return double(clock.nsecsElapsed()) / 1000.0 / times;
}

void iniFigures()
{
    QTemporaryDir dir;
    platform::IniFileProfile ini;
    const QString small = dir.filePath("setting.ini");
    const double save = microsecondsPer(200, [&](int i) {
        for (int c = 1; c <= 3; ++c) {
            const QString name = QStringLiteral("RKHotKey%1").arg(c);
            ini.writeString("RKHotKey", name + "Text", QStringLiteral("Ctrl + F%1").arg(i % 12 + 1), small);
            ini.writeString("RKHotKey", name + "KeyCode", QString::number(112 + i % 12), small);
            ini.writeString("RKHotKey", name + "ModKeyCode", "2", small);
        }
    });
    const double load = microsecondsPer(2000, [&](int) {
        for (const char* key : {"RKHotKey3Text", "RKHotKey3KeyCode", "RKHotKey3ModKeyCode"})
            ini.getString("RKHotKey", key, "0", small);
    });
    const QString big = dir.filePath("big.ini");
    for (int i = 0; i < 500; ++i)
        ini.writeString(QStringLiteral("S%1").arg(i % 10), QStringLiteral("key%1").arg(i), "value", big);
    const double bigWrite = microsecondsPer(200, [&](int i) { ini.writeString("S9", "key499", QString::number(i), big); });
    const double bigRead = microsecondsPer(2000, [&](int) { ini.getString("S9", "key499", "", big); });

    std::printf("INI file (GBK, atomic replace)\n");
    std::printf("  save of three controls (9 writes, 10 lines)   %8.1f us\n", save);
    std::printf("  load of one control (3 reads)                 %8.1f us\n", load);
    std::printf("  one write into a 500-key file                 %8.1f us\n", bigWrite);
    std::printf("  one read from a 500-key file                  %8.1f us\n", bigRead);
}

void pressCombination(Display* d, KeySym modifier, KeySym key)
{
    const KeyCode m = XKeysymToKeycode(d, modifier), k = XKeysymToKeycode(d, key);
    XTestFakeKeyEvent(d, m, True, CurrentTime);
    XTestFakeKeyEvent(d, k, True, CurrentTime);
    XTestFakeKeyEvent(d, k, False, CurrentTime);
    XTestFakeKeyEvent(d, m, False, CurrentTime);
    XFlush(d);
}

void latencyFigures()
{
    XSession session{XSession::Options{.windowManager = true}};
    if (!session.ok()) {
        std::printf("hotkey latency: no X server\n");
        return;
    }
    RunningVorlin vorlin(session);
    if (!vorlin.ok()) {
        std::printf("hotkey latency: the program did not start\n");
        return;
    }
    vorlin.type(form1::IntervalBox, "1");
    vorlin.click(form1::HotkeyLink);
    const auto window = session.waitForWindow("设置热键", 10s);
    if (!window) {
        std::printf("hotkey latency: no hotkey window\n");
        return;
    }
    session.xdotool({"windowactivate", "--sync", std::to_string(*window)});
    const auto click = [&](Spot s) { session.clickAt(*window, s.x, s.y); };
    click(form3::Box1);
    session.pressKeys("ctrl+F1");
    click(form3::Box2);
    session.pressKeys("ctrl+F2");
    click(form3::Check1);
    click(form3::Check2);
    session.movePointer(5, 1000); // clicks land on the empty desktop

    ClickRecorder rec(session.displayName());
    Display* d = session.display();
    std::vector<double> ms;
    for (int i = 0; i < 40; ++i) {
        const int before = rec.pressCount();
        QElapsedTimer clock;
        clock.start();
        pressCombination(d, XK_Control_L, XK_F1);
        if (!waitFor([&] { return rec.pressCount() > before; }, 3s, 0ms))
            continue; // the grab was not there yet
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        pressCombination(d, XK_Control_L, XK_F2);
        int last = rec.pressCount();
        auto since = Clock::now();
        waitFor(
            [&] {
                if (rec.pressCount() != last) {
                    last = rec.pressCount();
                    since = Clock::now();
                }
                return Clock::now() - since >= 100ms;
            },
            3s);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("Hotkey under Xvfb (start hotkey in another window -> first click, interval 1 ms)\n");
    if (ms.empty()) {
        std::printf("  no press started clicking\n");
        return;
    }
    std::printf("  presses measured %zu, median %.2f ms, p90 %.2f ms, max %.2f ms\n", ms.size(), ms[ms.size() / 2],
                ms[std::min(ms.size() - 1, ms.size() * 9 / 10)], ms.back());
}

} // namespace

int main()
{
    iniFigures();
    latencyFigures();
    return 0;
}
