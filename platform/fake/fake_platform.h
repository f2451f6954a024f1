#pragma once
// The fake backend: every service records what it was asked and answers from
// values a test sets. FakePlatform owns a Platform filled with fakes and keeps
// typed pointers to them for inspection.
#include <QString>
#include <utility>
#include <vector>

#include "platform/fake/fake_hotkeys.h"
#include "platform/fake/fake_profiles.h"
#include "platform/fake/fake_shell.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/single_instance.h"
#include "platform/ticker.h"
#include "platform/window_order.h"

class QWidget;

namespace platform::fake {

class FakeInput : public Input {
public:
    void leftClick() override { ++clicks; }
    Point cursorPos() override { return cursor; }
    void setCursorPos(Point p) override { cursor = p; moves.push_back(p); }

    int clicks = 0;
    Point cursor;
    std::vector<Point> moves;
};

class FakeWindowOrder : public WindowOrder {
public:
    void setTopmost(QWidget& window, bool topmost) override { calls.emplace_back(&window, topmost); }
    std::vector<std::pair<QWidget*, bool>> calls;
};

class FakeSingleInstance : public SingleInstance {
public:
    bool anotherInstanceRunning() override { ++checks; return otherRunning; }
    bool otherRunning = false;
    int checks = 0;
};

// Ticks only when the test says so.
class FakeTicker : public Ticker {
public:
    void start(int intervalMs) override { interval = intervalMs; running = true; ++starts; }
    void stop() override { running = false; }
    bool active() const override { return running; }
    void fire(int times = 1) { for (int i = 0; i < times && running; ++i) if (onTick) onTick(); }

    int interval = 0;
    bool running = false;
    int starts = 0;
};

class FakePlatform {
public:
    FakePlatform();
    ~FakePlatform();

    Platform platform;
    FakeInput* input;
    FakeWindowOrder* windowOrder;
    FakeSingleInstance* singleInstance;
    FakeShell* shell;
    FakeHotkeys* hotkeys;
    FakeKeyNames* keyNames;
    FakeIniProfile* ini;
    FakeSettingsStore* settings;
    std::vector<FakeTicker*> tickers; // every ticker made, in order
};

} // namespace platform::fake
