// The time from a real mouse press on the start button to the first click of
// the real program under Xvfb: an XTest press and release injected over the
// button, the clicks seen through XRecord, with openbox and without a window
// manager. Prints the median and p90; never fails on a figure.
#include <QElapsedTimer>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "harness/click_recorder.h"
#include "harness/vorlin_window.h"

using namespace e2e;
using namespace std::chrono_literals;

namespace {

void pressAndRelease(Display* d)
{
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XFlush(d);
}

// Measures in a session of its own, with or without a window manager.
void measure(bool windowManager)
{
    constexpr int Runs = 40;
    const char* setting = windowManager ? "with openbox" : "without a window manager";
    XSession session{XSession::Options{.windowManager = windowManager}};
    if (!session.ok()) {
        std::printf("start button latency %s: no X server\n", setting);
        return;
    }
    RunningVorlin vorlin(session);
    if (!vorlin.ok()) {
        std::printf("start button latency %s: the program did not start\n", setting);
        return;
    }
    vorlin.type(form1::IntervalBox, "1");
    const e2e::Rect g = session.geometry(vorlin.window);
    ClickRecorder rec(session.displayName());
    Display* d = session.display();

    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        session.movePointer(g.x + form1::StartButton.x, g.y + form1::StartButton.y);
        const int before = rec.pressCount();
        QElapsedTimer clock;
        clock.start();
        pressAndRelease(d);
        // The injected press is recorded too; the next one is the program's.
        if (waitFor([&] { return rec.pressCount() > before + 1; }, 3s, 0ms))
            ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        session.movePointer(g.x + form1::StopButton.x, g.y + form1::StopButton.y);
        pressAndRelease(d);
        waitForQuiet(rec, 100ms, 3s);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("  %-26s ", setting);
    if (ms.empty()) {
        std::printf("no press started clicking\n");
        return;
    }
    std::printf("presses measured %zu of %d, median %.2f ms, p90 %.2f ms, max %.2f ms\n", ms.size(), Runs,
                ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 9 / 10)], ms.back());
}

} // namespace

int main()
{
    std::printf("Start button under Xvfb (XTest press and release on it -> first click, interval 1 ms)\n");
    // A window manager may see a press on a window before the program does.
    measure(true);
    measure(false);
    return 0;
}
