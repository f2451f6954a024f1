#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "harness/process.h"

typedef struct _XDisplay Display;
class QImage;

namespace e2e {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// An Xvfb server of the test's own (a free display found through -displayfd),
// optionally with openbox as the window manager, and a temporary folder for the
// program (its binary is copied there, so setting.ini lands there) and its HOME.
// The test fails if the server cannot be had; it never skips.
class XSession {
public:
    struct Options {
        bool windowManager = false;
        int width = 1280;
        int height = 1024;
        // Added to the programs' environment, for example QT_SCALE_FACTOR.
        std::map<std::string, std::string> programEnvironment = {};
    };
    explicit XSession(Options options);
    XSession() : XSession(Options{}) {}
    ~XSession();

    bool ok() const { return display_ != nullptr; }
    // Starts openbox (once; the option does it at the start) and waits until it manages the screen.
    bool startWindowManager();
    const std::string& displayName() const { return displayName_; }
    const std::string& folder() const { return folder_; }   // the program folder and HOME
    Display* display() const { return display_; }
    pid_t serverPid() const { return xvfb_.pid(); } // to freeze the X server (SIGSTOP) and thaw it
    std::map<std::string, std::string> environment() const; // DISPLAY, HOME and the rest for children

    // Starts the real program from the session's folder.
    Process startVorlin() const;
    // Runs xdotool with the given arguments; its output.
    RunResult xdotool(const std::vector<std::string>& args) const;

    // Top-level windows (the client windows, also under a window manager) whose title is exactly `title`.
    std::vector<unsigned long> windowsTitled(const std::string& title) const;
    std::optional<unsigned long> waitForWindow(const std::string& title, std::chrono::milliseconds timeout = 10s) const;
    Rect geometry(unsigned long window) const; // in root coordinates
    bool isViewable(unsigned long window) const;
    // The window manager's active window (its client window), 0 when none.
    unsigned long activeWindow() const;
    // The _NET_WM_STATE atoms of a window by name ("_NET_WM_STATE_ABOVE"...).
    std::vector<std::string> wmState(unsigned long window) const;

    std::pair<int, int> pointer() const;
    void movePointer(int x, int y) const;
    // Clicks the left button at a point inside a window (window coordinates).
    void clickAt(unsigned long window, int x, int y) const;
    // Clicks into a box at a point of the window and types the text, replacing what it held.
    void typeInto(unsigned long window, int x, int y, const std::string& text) const;
    void pressKeys(const std::string& combination) const; // xdotool key syntax: "ctrl+F1"

    QImage screenshot() const;

private:
    Options options_;
    Process xvfb_;
    Process wm_;
    std::string displayName_;
    std::string folder_;
    Display* display_ = nullptr;
};

// Whether the pointer stays at `where` for the whole span.
bool pointerStaysAt(const XSession& s, std::pair<int, int> where, std::chrono::milliseconds span);

} // namespace e2e
