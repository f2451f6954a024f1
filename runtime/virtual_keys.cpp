#include "runtime/virtual_keys.h"

#include <QKeyEvent>

#include <algorithm>
#include <iterator>
#include <utility>

namespace rt {

namespace {

using KeyPair = std::pair<int, int16_t>;

int16_t lookup(const KeyPair* begin, const KeyPair* end, int key)
{
    for (const KeyPair* p = begin; p != end; ++p)
        if (p->first == key)
            return p->second;
    return 0;
}

// Keys of the numeric keypad that have numbers of their own.
constexpr KeyPair keypad[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},  {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Comma, 110}, {Qt::Key_Slash, 111},
};

constexpr KeyPair keys[] = {
    {Qt::Key_Backspace, 8},   {Qt::Key_Tab, 9},          {Qt::Key_Backtab, 9},      {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},     {Qt::Key_Enter, 13},       {Qt::Key_Shift, VkShift},  {Qt::Key_Control, VkControl},
    {Qt::Key_Alt, VkMenu},    {Qt::Key_AltGr, VkMenu},   {Qt::Key_Pause, 19},       {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},     {Qt::Key_Space, 32},       {Qt::Key_PageUp, 33},      {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},        {Qt::Key_Home, 36},        {Qt::Key_Left, 37},        {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},      {Qt::Key_Down, 40},        {Qt::Key_Print, 44},       {Qt::Key_SysReq, 44},
    {Qt::Key_Insert, 45},     {Qt::Key_Delete, 46},      {Qt::Key_Super_L, VkLeftWin}, {Qt::Key_Meta, VkLeftWin},
    {Qt::Key_Super_R, VkRightWin}, {Qt::Key_Menu, VkApps}, {Qt::Key_NumLock, 144},  {Qt::Key_ScrollLock, 145},
    // Punctuation, with the symbols that Shift gives on a US keyboard.
    {Qt::Key_Semicolon, 186}, {Qt::Key_Colon, 186},      {Qt::Key_Equal, 187},      {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},     {Qt::Key_Less, 188},       {Qt::Key_Minus, 189},      {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},    {Qt::Key_Greater, 190},    {Qt::Key_Slash, 191},      {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192}, {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219}, {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220}, {Qt::Key_Bar, 220},        {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222}, {Qt::Key_QuoteDbl, 222},
    // Shift with a digit.
    {Qt::Key_ParenRight, '0'}, {Qt::Key_Exclam, '1'},    {Qt::Key_At, '2'},         {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},    {Qt::Key_Percent, '5'},    {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},  {Qt::Key_ParenLeft, '9'},
};

} // namespace

int16_t virtualKeyOf(const QKeyEvent& event)
{
    const int key = event.key();
    const bool onKeypad = event.modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<int16_t>(onKeypad ? 96 + (key - Qt::Key_0) : key);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<int16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<int16_t>(112 + (key - Qt::Key_F1));
    if (onKeypad)
        if (const int16_t vk = lookup(std::begin(keypad), std::end(keypad), key))
            return vk;
    return lookup(std::begin(keys), std::end(keys), key);
}

bool isKeyboardKey(int32_t vk)
{
    const auto inTable = [vk](const auto& table) {
        return std::any_of(std::begin(table), std::end(table), [vk](const KeyPair& p) { return p.second == vk; });
    };
    return (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') || (vk >= 96 && vk <= 105)
        || (vk >= 112 && vk < 112 + 24) || inTable(keypad) || inTable(keys);
}

int qtKeyFromVirtualKey(int16_t vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return vk;
    if (vk >= 112 && vk < 112 + 24)
        return Qt::Key_F1 + (vk - 112);
    for (const KeyPair& p : keys)
        if (p.second == vk)
            return p.first;
    return Qt::Key_unknown;
}

int16_t shiftStateOf(Qt::KeyboardModifiers modifiers)
{
    int16_t shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ShiftMask;
    if (modifiers & Qt::ControlModifier)
        shift |= CtrlMask;
    if (modifiers & Qt::AltModifier)
        shift |= AltMask;
    return shift;
}

int16_t shiftStateOf(const QKeyEvent& event)
{
    Qt::KeyboardModifiers own;
    switch (event.key()) {
    case Qt::Key_Shift: own = Qt::ShiftModifier; break;
    case Qt::Key_Control: own = Qt::ControlModifier; break;
    case Qt::Key_Alt: own = Qt::AltModifier; break;
    default: break;
    }
    // The state as the platform gave it, before QKeyEvent toggles the key's own flag.
    const Qt::KeyboardModifiers reported = event.QInputEvent::modifiers();
    return shiftStateOf(event.type() == QEvent::KeyRelease ? reported & ~own : reported | own);
}

int16_t mouseButtonsOf(Qt::MouseButtons buttons)
{
    int16_t bits = 0;
    if (buttons & Qt::LeftButton)
        bits |= 1;
    if (buttons & Qt::RightButton)
        bits |= 2;
    if (buttons & Qt::MiddleButton)
        bits |= 4;
    return bits;
}

} // namespace rt
