#include "runtime/keystrokes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace rt {

void sendTab(bool backwards)
{
    QWidget* focused = QApplication::focusWidget();
    if (!focused)
        return;
    // Only the press: the window moves the focus on it, and a release would
    // reach the newly focused control without a press before it.
    QKeyEvent press(QEvent::KeyPress, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                    backwards ? Qt::ShiftModifier : Qt::NoModifier);
    QApplication::sendEvent(focused, &press);
}

void doEvents() { QApplication::processEvents(); }

} // namespace rt
