#include "runtime/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <algorithm>

namespace rt {

void QtMessageBoxService::msgBox(const QString& text, int style, const QString& title)
{
    // A held hotkey or a script repeating a command asks for the same message
    // many times while its box is open; each box runs its own event loop, so
    // they would nest without end, each to be dismissed on its own.
    const Shown shown{text, style, title};
    if (std::find(open_.begin(), open_.end(), shown) != open_.end())
        return;
    open_.push_back(shown);
    const QMessageBox::Icon icon = (style & 0x70) == MbCritical ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(icon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
    open_.erase(std::find(open_.begin(), open_.end(), shown));
}

} // namespace rt
