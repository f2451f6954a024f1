#include "runtime/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace rt {

void QtMessageBoxService::msgBox(const QString& text, int style, const QString& title)
{
    const QMessageBox::Icon icon = (style & 0x70) == MbCritical ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(icon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace rt
