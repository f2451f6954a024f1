#include "harness/wine_session.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "harness/hotkey_window.h"

namespace e2e::wine {
namespace fs = std::filesystem;

std::string windowsPath(const std::string& linuxPath)
{
    std::string path = "Z:" + linuxPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

namespace {

std::string missing(const char* path, const char* what)
{
    return fs::exists(path) ? std::string{} : std::string(what) + " not found: " + path + "\n";
}

} // namespace

WineSession::WineSession()
{
    error_ = missing(VORLIN_WINE, "wine (Debian: wine64, bash scripts/deps.sh)") +
             missing(VORLIN_WINESERVER, "wineserver") +
             missing(VORLIN_EXE, "vorlin.exe (bash scripts/build-windows.sh)") +
             missing(VORLIN_CLICK_TARGET, "the click target (needs x86_64-w64-mingw32-g++-posix)");
    if (!error_.empty())
        return;
    x_ = std::make_unique<XSession>(XSession::Options{.windowManager = true});
    if (!x_->ok()) {
        error_ = "no X server with a window manager";
        return;
    }
    prefix_ = folder() + "/wineprefix";
    const RunResult made = e2e::run({"bash", VORLIN_WINE_PREFIX_SCRIPT, prefix_}, x_->environment(), 300s);
    if (made.exitCode != 0) {
        error_ = "no Wine prefix: " + made.err;
        return;
    }
    // One server for the whole run: every program of the test starts against it at once.
    wineserver_ = Process({VORLIN_WINESERVER, "--foreground", "--persistent"}, environment());
    fs::copy_file(VORLIN_EXE, vorlinExe(), fs::copy_options::overwrite_existing);
}

WineSession::~WineSession()
{
    if (!prefix_.empty()) {
        e2e::run({VORLIN_WINESERVER, "--kill"}, environment());
        wineserver_.waitExit(10s);
    }
}

std::map<std::string, std::string> WineSession::environment() const
{
    auto env = x_->environment();
    env["WINEPREFIX"] = prefix_;
    env["WINEDEBUG"] = "-all";
    // No Mono or Gecko installers; no menu entries on the host for the installer's Start-menu entry.
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml=;winemenubuilder.exe=d";
    return env;
}

Process WineSession::start(const std::string& exe, const std::vector<std::string>& args) const
{
    std::vector<std::string> argv{VORLIN_WINE, exe};
    argv.insert(argv.end(), args.begin(), args.end());
    return Process(argv, environment());
}

RunResult WineSession::run(const std::string& exe, const std::vector<std::string>& args,
                           std::chrono::milliseconds timeout) const
{
    std::vector<std::string> argv{VORLIN_WINE, exe};
    argv.insert(argv.end(), args.begin(), args.end());
    return e2e::run(argv, environment(), timeout);
}

bool WineSession::setRegistry(const std::string& key, const std::string& name, const std::string& value) const
{
    std::vector<std::string> args{"add", key};
    if (name.empty())
        args.push_back("/ve");
    else
        args.insert(args.end(), {"/v", name});
    args.insert(args.end(), {"/d", value, "/f"});
    return run("reg", args).exitCode == 0;
}

std::optional<std::string> WineSession::registryValue(const std::string& key, const std::string& name) const
{
    // reg prints "    <name>    <type>    <value>" under the key's line.
    const RunResult r = run("reg", {"query", key, "/v", name});
    std::istringstream lines(r.out);
    for (std::string line; r.exitCode == 0 && std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string lead = "    " + name + "    ";
        if (line.rfind(lead, 0) != 0)
            continue;
        const size_t value = line.find("    ", lead.size());
        return value == std::string::npos ? std::string{} : line.substr(value + 4);
    }
    return std::nullopt;
}

std::unique_ptr<RunningVorlin> startVorlin(const WineSession& wine, const std::string& exe,
                                           const std::vector<std::string>& args)
{
    Process process = wine.start(exe.empty() ? wine.vorlinExe() : exe, args);
    // A first start under Wine on a busy machine takes a while.
    const auto window = wine.x().waitForWindow("Vorlin", 90s);
    if (window)
        waitUntilWineAgrees(wine, "Vorlin", *window);
    return std::make_unique<RunningVorlin>(wine.x(), std::move(process));
}

bool waitUntilWineAgrees(const WineSession& wine, const std::string& title, unsigned long xWindow)
{
    const std::string file = wine.folder() + "/client-area.txt";
    return waitFor(
        [&] {
            if (wine.run(VORLIN_CLICK_TARGET, {"--client", title, windowsPath(file)}).exitCode != 0)
                return false;
            std::ifstream in(file);
            std::string what;
            int left = 0, top = 0, right = 0, bottom = 0;
            in >> what >> left >> top >> right >> bottom;
            const Rect x = wine.x().geometry(xWindow);
            return left == x.x && top == x.y && right - left == x.width && bottom - top == x.height;
        },
        30s, 200ms);
}

unsigned long openHotkeyWindow(const WineSession& wine, const RunningVorlin& vorlin)
{
    vorlin.click(form1::HotkeyLink);
    const auto w = wine.x().waitForWindow("设置热键", 30s);
    if (!w)
        return 0;
    wine.x().xdotool({"windowactivate", "--sync", std::to_string(*w)});
    waitUntilWineAgrees(wine, "设置热键", *w);
    return *w;
}

bool saveExampleHotkeys(const WineSession& wine, const RunningVorlin& vorlin)
{
    const unsigned long hotkeyWindow = openHotkeyWindow(wine, vorlin);
    if (hotkeyWindow == 0)
        return false;
    const auto click = [&](Spot s) { wine.x().clickAt(hotkeyWindow, s.x, s.y); };
    click(form3::Box1);
    wine.x().pressKeys("ctrl+F1");
    click(form3::Box3);
    wine.x().pressKeys("alt+F3");
    click(form3::SaveButton);
    return waitFor([&] { return !wine.x().isViewable(hotkeyWindow); }, 10s);
}

void endVorlin(const WineSession& wine, std::unique_ptr<RunningVorlin>& vorlin)
{
    if (!vorlin)
        return;
    wine.vorlin({"--quit"});
    if (vorlin->process.waitExit(15s) < 0) {
        vorlin->process.kill(9);
        vorlin->process.waitExit(5s);
    }
    waitFor(
        [&] {
            for (unsigned long w : wine.x().windowsTitled("Vorlin"))
                if (wine.x().isViewable(w))
                    return false;
            return true;
        },
        10s, 50ms);
    vorlin.reset();
    std::error_code ec;
    fs::remove(wine.folder() + "/setting.ini", ec);
}

ClickTarget::ClickTarget(const WineSession& wine, Rect where) : wine_(wine)
{
    static std::atomic<int> serial{0};
    eventsFile_ = wine.folder() + "/target-" + std::to_string(++serial) + ".log";
    process_ = wine.start(VORLIN_CLICK_TARGET,
                          {windowsPath(eventsFile_), std::to_string(where.x), std::to_string(where.y),
                           std::to_string(where.width), std::to_string(where.height)});
    const auto w = wine.x().waitForWindow("Click target", 60s);
    if (w && waitFor([&] { return events().window.width > 0; }, 10s))
        xWindow_ = *w;
}

ClickTarget::~ClickTarget()
{
    process_.kill(9);
    process_.waitExit(5s);
    if (xWindow_)
        waitFor([&] { return !wine_.x().isViewable(xWindow_); }, 5s, 50ms);
}

ClickTarget::Events ClickTarget::events() const
{
    Events e;
    std::ifstream in(eventsFile_);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string what;
        fields >> what;
        if (what == "down") {
            int x = 0, y = 0;
            fields >> x >> y;
            ++e.downs;
            e.downsAt.emplace_back(x, y);
        } else if (what == "up") {
            ++e.ups;
        } else if (what == "focus") {
            fields >> e.focused;
        } else if (what == "window") {
            int left = 0, top = 0, right = 0, bottom = 0;
            fields >> left >> top >> right >> bottom;
            e.window = {left, top, right - left, bottom - top};
        }
    }
    return e;
}

std::pair<int, int> ClickTarget::centre() const
{
    const Rect r = events().window;
    return {r.x + r.width / 2, r.y + r.height / 2};
}

bool ClickTarget::focus() const
{
    const auto [x, y] = centre();
    wine_.x().movePointer(x, y);
    wine_.x().xdotool({"click", "1"});
    return waitFor([&] { return events().focused; }, 10s);
}

bool ClickTarget::waitForQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds timeout) const
{
    int last = events().downs;
    auto since = Clock::now();
    return waitFor(
        [&] {
            const int now = events().downs;
            if (now != last) {
                last = now;
                since = Clock::now();
            }
            return Clock::now() - since >= quiet;
        },
        timeout, 50ms);
}

} // namespace e2e::wine
