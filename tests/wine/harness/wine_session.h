#pragma once
// The Windows build under Wine, seen from outside: an Xvfb session with
// openbox, a scratch Wine prefix (made once per test program, its wineserver
// kept up for the whole run), vorlin.exe copied into the session folder (its
// setting.ini lands there), and the click target, a plain Windows program that
// counts the button messages it receives.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "harness/vorlin_window.h"

namespace e2e::wine {

// The Windows path Wine gives a Linux path (drive Z: is the root).
std::string windowsPath(const std::string& linuxPath);

class WineSession {
public:
    WineSession();
    ~WineSession(); // ends the wineserver, and with it every program of the prefix

    // Empty when all is set up; else what is missing, for the test's failure.
    const std::string& error() const { return error_; }
    const XSession& x() const { return *x_; }
    const std::string& folder() const { return x_->folder(); }
    // The prefix's drive C: as a Linux path.
    std::string driveC() const { return prefix_ + "/drive_c"; }
    std::string vorlinExe() const { return folder() + "/vorlin.exe"; }
    std::map<std::string, std::string> environment() const;

    // Starts a Windows program (its Linux path) under Wine.
    Process start(const std::string& exe, const std::vector<std::string>& args = {}) const;
    RunResult run(const std::string& exe, const std::vector<std::string>& args,
                  std::chrono::milliseconds timeout = 60s) const;
    // Runs vorlin.exe with command-line arguments, for the running instance.
    RunResult vorlin(const std::vector<std::string>& args) const { return run(vorlinExe(), args); }
    // Sets a string value in the prefix's registry ("HKLM\\Software\\..." key, "" for the default value).
    bool setRegistry(const std::string& key, const std::string& name, const std::string& value) const;
    // A value as the registry shows it (numbers as 0x...); nothing when the key or value is missing.
    std::optional<std::string> registryValue(const std::string& key, const std::string& name) const;

private:
    std::string error_;
    std::unique_ptr<XSession> x_;
    std::string prefix_;
    Process wineserver_;
};

// vorlin.exe started in the session (or another program that starts it, such
// as "start" with a shortcut), its main window found (RunningVorlin's steps
// then work on it as on the Linux build).
std::unique_ptr<RunningVorlin> startVorlin(const WineSession& wine, const std::string& exe = {},
                                           const std::vector<std::string>& args = {});
// Waits until Wine puts the window where the X server has it: after a window
// manager moves a new window, Wine learns of it a little later, and until then
// a click meets the wrong spot of it.
bool waitUntilWineAgrees(const WineSession& wine, const std::string& title, unsigned long xWindow);
// Opens the hotkey window from the main window, in front and in place; 0 when it did not appear.
unsigned long openHotkeyWindow(const WineSession& wine, const RunningVorlin& vorlin);
// Records ctrl+F1 (start) and alt+F3 (pin) in the hotkey window and saves, so
// that setting.ini becomes ExampleSettingsIni; true once the window has closed.
bool saveExampleHotkeys(const WineSession& wine, const RunningVorlin& vorlin);
// Quits it (killed if it will not) and waits until its windows are gone.
void endVorlin(const WineSession& wine, std::unique_ptr<RunningVorlin>& vorlin);

// The click target's window, at a given place, and what it has reported.
class ClickTarget {
public:
    struct Events {
        int downs = 0;
        int ups = 0;
        Rect window; // client area, screen pixels
        bool focused = false;
        std::vector<std::pair<int, int>> downsAt;
    };

    ClickTarget(const WineSession& wine, Rect where);
    ~ClickTarget();
    // Its window is up and has reported where it is.
    bool ok() const { return xWindow_ != 0; }
    Events events() const;
    unsigned long xWindow() const { return xWindow_; }
    std::pair<int, int> centre() const;
    // Gives it the focus by clicking it; true once it reports the focus.
    bool focus() const;
    // Waits until no press has arrived for `quiet`; false if they keep coming until the deadline.
    bool waitForQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout) const;

private:
    const WineSession& wine_;
    std::string eventsFile_;
    Process process_;
    unsigned long xWindow_ = 0;
};

} // namespace e2e::wine
