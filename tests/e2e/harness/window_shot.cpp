#include "harness/window_shot.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace e2e {

// The window with its frame, as the window manager reports the frame.
Rect framed(const XSession& s, unsigned long window)
{
    Rect r = s.geometry(window);
    Atom prop = XInternAtom(s.display(), "_NET_FRAME_EXTENTS", False);
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(s.display(), window, prop, 0, 4, False, XA_CARDINAL, &type, &format, &n, &after, &data) ==
            Success &&
        data && n == 4) {
        const auto* e = reinterpret_cast<const long*>(data); // left, right, top, bottom
        r = {r.x - int(e[0]), r.y - int(e[2]), r.width + int(e[0] + e[1]), r.height + int(e[2] + e[3])};
    }
    if (data)
        XFree(data);
    return r;
}

// Takes the window's picture once it has been painted and holds still.
QImage settledShot(const XSession& s, unsigned long window)
{
    QImage last;
    QImage shot;
    waitFor(
        [&] {
            const Rect r = framed(s, window);
            shot = s.screenshot().copy(r.x, r.y, r.width, r.height);
            const bool painted = !shot.isNull() && shot.pixel(0, 0) != shot.pixel(shot.width() / 2, shot.height() / 2);
            const bool still = shot == last;
            last = shot;
            return painted && still;
        },
        10s, 150ms);
    return shot;
}

} // namespace e2e
