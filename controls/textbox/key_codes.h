#pragma once
// The numbers the text box's key and mouse events carry: virtual-key codes
// (65 for A, 112 for F1), the shift state (Shift 1, Ctrl 2, Alt 4) and mouse
// buttons (left 1, right 2, middle 4).
#include <Qt>
#include <cstdint>

namespace textbox {

// 0 for a key without a virtual-key code.
int16_t virtualKeyFromQt(int qtKey);
// Qt::Key_unknown for a code without a Qt key.
int qtKeyFromVirtualKey(int16_t vk);
int16_t shiftStateFromQt(Qt::KeyboardModifiers modifiers);
int16_t mouseButtonsFromQt(Qt::MouseButtons buttons);

} // namespace textbox
