#pragma once
#include <Qt>
#include <cstdint>

class QKeyEvent;

namespace rt {

// Virtual-key numbers of the keys the recording and the controls treat specially.
constexpr int16_t VkReturn = 13;
constexpr int16_t VkShift = 16;
constexpr int16_t VkControl = 17;
constexpr int16_t VkMenu = 18; // Alt
constexpr int16_t VkEscape = 27;
constexpr int16_t VkSpace = 32;
constexpr int16_t VkLeft = 37;
constexpr int16_t VkUp = 38;
constexpr int16_t VkRight = 39;
constexpr int16_t VkDown = 40;
constexpr int16_t VkLeftWin = 91;
constexpr int16_t VkRightWin = 92;
constexpr int16_t VkApps = 93; // the application (context menu) key

// Bits of the shift state that key and mouse events carry.
constexpr int16_t ShiftMask = 1;
constexpr int16_t CtrlMask = 2;
constexpr int16_t AltMask = 4;

// The virtual-key number of the key a Qt key event is about, as a US keyboard
// numbers it whatever the Shift state (Shift+1 is 49, not "!"); keypad keys
// have their own numbers. 0 for a key without one.
int16_t virtualKeyOf(const QKeyEvent& event);

// Whether virtualKeyOf gives this number for some key.
bool isKeyboardKey(int32_t vk);

// The shift state of a set of Qt modifiers: Shift 1, Ctrl 2, Alt 4 (the
// Windows key is not part of it).
int16_t shiftStateOf(Qt::KeyboardModifiers modifiers);

// The shift state of a key event: with the event's own modifier key counted
// as down on a press (auto-repeats too) and as up on a release, whichever way
// the platform reports the state around a modifier key's own event.
int16_t shiftStateOf(const QKeyEvent& event);

// The mouse-button bits of events: left 1, right 2, middle 4.
int16_t mouseButtonsOf(Qt::MouseButtons buttons);

// The Qt key of a virtual-key number (the main keyboard's key where the
// keypad has one too); Qt::Key_unknown for a number without one.
int qtKeyFromVirtualKey(int16_t vk);

} // namespace rt
