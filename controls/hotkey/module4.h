#pragma once
// The message routing of the hotkey controls. Each control owns one hidden
// receiver (its "message window"): its hotkey is registered for it, and a
// press the platform delivers reaches the control through the receiver's
// non-owning reference. The inner text box is hooked so that it never opens
// a context menu.
#include <QPointer>

class QLineEdit;
class RKHotKey;

namespace Module4 {

struct MessageWindow {
    QPointer<RKHotKey> Object; // the owning control; cleared when it goes
};

void AttachMessageWindow(MessageWindow& window, RKHotKey& control);
void DetachMessageWindow(MessageWindow& window);

// A press of the hotkey registered for the window: the window alone tells
// which control is meant, and that control raises HotKeyPressed.
void HotKeyWindowProc(MessageWindow& window);

void AttachEditHook(QLineEdit& edit);
void DetachEditHook(QLineEdit& edit);

} // namespace Module4
