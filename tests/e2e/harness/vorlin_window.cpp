#include "harness/vorlin_window.h"

namespace e2e {

RunningVorlin::RunningVorlin(const XSession& s) : session(s), process(s.startVorlin())
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
    return waitFor([&] { return !session.isViewable(*box); }, 5s);
}

} // namespace e2e
