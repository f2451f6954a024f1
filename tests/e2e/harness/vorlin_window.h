#pragma once
// The main window as seen from outside: the pixel positions of its controls
// (client coordinates, from its design data) and the usual steps on them.
#include <string>

#include "harness/x_session.h"

namespace e2e {

struct Spot {
    int x, y;
};

namespace form1 {
inline constexpr Spot XBox{132, 90};
inline constexpr Spot YBox{204, 90};
inline constexpr Spot MoveButton{268, 92};
inline constexpr Spot PinPicture{155, 120};
inline constexpr Spot AboutPicture{295, 152};
inline constexpr Spot IntervalBox{132, 155};
inline constexpr Spot TopmostBox{127, 202};
inline constexpr Spot StartButton{96, 316};
inline constexpr Spot StopButton{200, 316};
inline constexpr Spot HotkeyLink{270, 328};
} // namespace form1

// Starts the program in the session and waits for its main window.
struct RunningVorlin {
    explicit RunningVorlin(const XSession& session);
    // The program started by the caller (other arguments or environment).
    RunningVorlin(const XSession& session, Process started);
    bool ok() const { return window != 0; }

    void click(Spot s) const { session.clickAt(window, s.x, s.y); }
    void type(Spot s, const std::string& text) const { session.typeInto(window, s.x, s.y, text); }
    // Waits for a message window with this title, then closes it with Enter.
    bool dismissMessage(const std::string& title) const;

    const XSession& session;
    Process process;
    unsigned long window = 0;
};

} // namespace e2e
