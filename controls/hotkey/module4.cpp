#include "controls/hotkey/module4.h"

#include <QLineEdit>

#include "controls/hotkey/rk_hotkey.h"

namespace Module4 {

void AttachMessageWindow(MessageWindow& window, RKHotKey& control)
{
    window.Object = &control;
}

void DetachMessageWindow(MessageWindow& window)
{
    window.Object.clear();
}

void HotKeyWindowProc(MessageWindow& window)
{
    if (RKHotKey* control = window.Object)
        control->RaiseEvents();
}

void AttachEditHook(QLineEdit& edit)
{
    // Every context-menu request, by mouse or keyboard, stops at the box.
    edit.setContextMenuPolicy(Qt::PreventContextMenu);
}

void DetachEditHook(QLineEdit& edit)
{
    edit.setContextMenuPolicy(Qt::DefaultContextMenu);
}

} // namespace Module4
