#pragma once
// Helpers for tests of the hotkey recorder: a control made as its window
// would make it, and key events sent the way the X11 platform sends them.
#include <QString>
#include <QWidget>

#include "controls/hotkey/rk_hotkey.h"
#include "runtime/property_bag.h"
#include "support/test_services.h"

// An RKHotKey named `name`, loaded from `bag` at run time (or in a designer).
RKHotKey* makeHotKey(TestServices& t, const QString& name, const rt::PropertyBag& bag = {}, bool userMode = true,
                     QWidget* parent = nullptr);

// Sends key presses and releases whose modifiers are those held before the
// event, as X reports them (Qt adds or removes a modifier key's own flag).
// Steps: "+Ctrl" presses, "-Ctrl" releases, "r+A" / "r-A" are auto-repeats.
// Keys: Ctrl Shift Alt Win RWin Menu, letters, digits, F1-F24, Num0-Num9 (keypad),
// Exclam, Backspace, Escape, Delete, Insert, Left, Up, Space, Tab.
class KeyTyper {
public:
    explicit KeyTyper(QWidget* target) : target_(target) {}
    void step(const QString& step);
    void run(const QString& steps);

private:
    QWidget* target_;
    Qt::KeyboardModifiers held_;
};
