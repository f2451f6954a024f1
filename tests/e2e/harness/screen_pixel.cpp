#include "harness/screen_pixel.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace e2e {

uint32_t screenPixel(Display* display, int x, int y)
{
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0xFFFFFFFFu;
    const auto pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0x00FFFFFFu;
    XDestroyImage(image);
    return pixel;
}

} // namespace e2e
