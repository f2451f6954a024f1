#include "runtime/screen_pixels.h"

#include <QScreen>
#include <QWidget>

namespace rt {

QPoint toScreenPixels(const QWidget& widget, QPoint logicalGlobal)
{
    const QScreen* screen = widget.screen();
    if (!screen)
        return logicalGlobal;
    // Qt keeps a screen's top-left corner at its position in screen pixels and
    // scales the distances from it.
    const QPoint origin = screen->geometry().topLeft();
    return origin + (logicalGlobal - origin) * screen->devicePixelRatio();
}

} // namespace rt
