#include <QImage>

#include "harness/x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <unistd.h>

namespace e2e {
namespace fs = std::filesystem;

namespace {

// Windows come and go while the harness looks at them (a message box closes);
// a request on a vanished window is not a failure of the test.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

std::string makeTempFolder()
{
    std::string templ = (fs::temp_directory_path() / "vorlin-e2e-XXXXXX").string();
    if (!mkdtemp(templ.data()))
        return {};
    return templ;
}

std::string readDisplayNumber(int fd, std::chrono::milliseconds timeout)
{
    std::string got;
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, 50) > 0) {
            char c = 0;
            if (read(fd, &c, 1) != 1)
                break;
            if (c == '\n')
                return got;
            got += c;
        }
    }
    return {};
}

std::string windowTitle(Display* d, Window w)
{
    Atom netWmName = XInternAtom(d, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d, w, netWmName, 0, 1024, False, utf8, &type, &format, &n, &after, &data) == Success && data) {
        title.assign(reinterpret_cast<char*>(data), n);
        XFree(data);
        return title;
    }
    char* name = nullptr;
    if (XFetchName(d, w, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

void collect(Display* d, Window w, const std::string& title, std::vector<unsigned long>& out, int depth)
{
    if (depth > 3)
        return;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &n))
        return;
    for (unsigned int i = 0; i < n; ++i) {
        if (windowTitle(d, children[i]) == title)
            out.push_back(children[i]);
        else
            collect(d, children[i], title, out, depth + 1);
    }
    if (children)
        XFree(children);
}

} // namespace

XSession::XSession(Options options) : options_(options)
{
    folder_ = makeTempFolder();
    int fds[2];
    if (folder_.empty() || pipe(fds) != 0)
        return;
    const std::string screen = std::to_string(options.width) + "x" + std::to_string(options.height) + "x24";
    xvfb_ = Process({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp",
                     "+extension", "RECORD", "-ac"},
                    {}, fds[1]);
    close(fds[1]);
    const std::string number = readDisplayNumber(fds[0], 20s);
    close(fds[0]);
    if (number.empty())
        return;
    displayName_ = ":" + number;
    display_ = XOpenDisplay(displayName_.c_str());
    if (!display_)
        return;
    XSetErrorHandler(ignoreXErrors);
    fs::copy_file(VORLIN_BINARY, fs::path(folder_) / "vorlin", fs::copy_options::overwrite_existing);
    if (options.windowManager && !startWindowManager()) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

bool XSession::startWindowManager()
{
    wm_ = Process({"openbox", "--sm-disable"}, environment());
    // openbox announces itself on the root window once it manages the screen.
    Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
    return waitFor(
        [&] {
            Atom type = 0;
            int format = 0;
            unsigned long n = 0, after = 0;
            unsigned char* data = nullptr;
            XGetWindowProperty(display_, DefaultRootWindow(display_), check, 0, 1, False, XA_WINDOW, &type, &format,
                               &n, &after, &data);
            if (data)
                XFree(data);
            return n == 1;
        },
        20s, 50ms);
}

XSession::~XSession()
{
    if (display_)
        XCloseDisplay(display_);
    wm_.kill();
    xvfb_.kill();
    if (!folder_.empty() && !std::getenv("VORLIN_E2E_KEEP")) {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
}

std::map<std::string, std::string> XSession::environment() const
{
    std::map<std::string, std::string> env{{"DISPLAY", displayName_},
                                           {"HOME", folder_},
                                           {"XDG_RUNTIME_DIR", folder_},
                                           {"XDG_CONFIG_HOME", folder_ + "/.config"},
                                           {"QT_QPA_PLATFORM", "xcb"},
                                           {"WAYLAND_DISPLAY", ""},
                                           // never a real virtual pointer beside the test's own display
                                           {"VORLIN_UINPUT", ""}};
    for (const auto& [name, value] : options_.programEnvironment)
        env.insert_or_assign(name, value);
    return env;
}

Process XSession::startVorlin() const { return Process({folder_ + "/vorlin"}, environment()); }

RunResult XSession::xdotool(const std::vector<std::string>& args) const
{
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return run(argv, environment());
}

std::vector<unsigned long> XSession::windowsTitled(const std::string& title) const
{
    std::vector<unsigned long> out;
    collect(display_, DefaultRootWindow(display_), title, out, 0);
    return out;
}

std::optional<unsigned long> XSession::waitForWindow(const std::string& title, std::chrono::milliseconds timeout) const
{
    std::optional<unsigned long> found;
    waitFor(
        [&] {
            for (unsigned long w : windowsTitled(title))
                if (isViewable(w)) {
                    found = w;
                    return true;
                }
            return false;
        },
        timeout, 20ms);
    return found;
}

Rect XSession::geometry(unsigned long window) const
{
    XWindowAttributes a{};
    XGetWindowAttributes(display_, window, &a);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return {x, y, a.width, a.height};
}

bool XSession::isViewable(unsigned long window) const
{
    XWindowAttributes a{};
    return XGetWindowAttributes(display_, window, &a) && a.map_state == IsViewable;
}

unsigned long XSession::activeWindow() const
{
    Atom prop = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    unsigned long active = 0;
    if (XGetWindowProperty(display_, DefaultRootWindow(display_), prop, 0, 1, False, XA_WINDOW, &type, &format, &n,
                           &after, &data) == Success && data) {
        if (n == 1)
            active = *reinterpret_cast<unsigned long*>(data);
        XFree(data);
    }
    return active;
}

std::vector<std::string> XSession::wmState(unsigned long window) const
{
    std::vector<std::string> names;
    Atom prop = XInternAtom(display_, "_NET_WM_STATE", False);
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, prop, 0, 64, False, XA_ATOM, &type, &format, &n, &after, &data) == Success &&
        data) {
        auto* atoms = reinterpret_cast<Atom*>(data);
        for (unsigned long i = 0; i < n; ++i) {
            char* name = XGetAtomName(display_, atoms[i]);
            names.emplace_back(name ? name : "");
            if (name)
                XFree(name);
        }
        XFree(data);
    }
    return names;
}

std::pair<int, int> XSession::pointer() const
{
    Window root = 0, child = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned int mask = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rx, &ry, &wx, &wy, &mask);
    return {rx, ry};
}

void XSession::movePointer(int x, int y) const
{
    // Not xdotool's --sync: it waits for ever when the pointer is already there.
    xdotool({"mousemove", std::to_string(x), std::to_string(y)});
    waitFor([&] { return pointer() == std::pair{x, y}; }, 2s);
}

void XSession::clickAt(unsigned long window, int x, int y) const
{
    const Rect g = geometry(window);
    movePointer(g.x + x, g.y + y);
    xdotool({"click", "1"});
}

void XSession::typeInto(unsigned long window, int x, int y, const std::string& text) const
{
    clickAt(window, x, y);
    xdotool({"key", "ctrl+a", "BackSpace"});
    if (!text.empty())
        xdotool({"type", "--delay", "20", "--", text}); // "--": a text may start with a minus
}

void XSession::pressKeys(const std::string& combination) const { xdotool({"key", combination}); }

QImage XSession::screenshot() const
{
    Window root = DefaultRootWindow(display_);
    XWindowAttributes a{};
    XGetWindowAttributes(display_, root, &a);
    XImage* xi = XGetImage(display_, root, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!xi)
        return {};
    QImage img(a.width, a.height, QImage::Format_RGB32);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            img.setPixel(x, y, static_cast<QRgb>(XGetPixel(xi, x, y)) | 0xFF000000u);
    XDestroyImage(xi);
    return img;
}

bool pointerStaysAt(const XSession& s, std::pair<int, int> where, std::chrono::milliseconds span)
{
    const auto until = Clock::now() + span;
    while (Clock::now() < until)
        if (s.pointer() != where)
            return false;
    return true;
}

} // namespace e2e
