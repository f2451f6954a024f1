#pragma once
// The platform reads and sets the cursor in screen pixels; Qt places widgets
// in logical pixels, and on a scaled display (QT_SCALE_FACTOR, a high-DPI
// screen) the two differ. Positions are compared in screen pixels.
#include <QPoint>

class QWidget;

namespace rt {

// A global position in Qt's logical pixels, as screen pixels of the screen the
// widget is on.
QPoint toScreenPixels(const QWidget& widget, QPoint logicalGlobal);

} // namespace rt
