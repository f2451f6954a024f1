#include "harness/vorlin_window.h"

namespace e2e {

RunningVorlin::RunningVorlin(const XSession& s) : RunningVorlin(s, s.startVorlin()) {}

RunningVorlin::RunningVorlin(const XSession& s, Process started) : session(s), process(std::move(started))
{
    if (auto w = session.waitForWindow("Vorlin", 15s))
        window = *w;
}

bool RunningVorlin::dismissMessage(const std::string& title) const
{
    const auto box = session.waitForWindow(title, 10s);
    if (!box)
        return false;
    session.xdotool({"windowactivate", "--sync", std::to_string(*box)});
    session.xdotool({"key", "Return"});
    if (!waitFor([&] { return !session.isViewable(*box); }, 5s))
        return false;
    // Input reaches the main window again only once its modal loop has ended
    // and the window manager has given it back the focus.
    waitFor([&] { return session.activeWindow() == window; }, 3s);
    return true;
}

} // namespace e2e
