#include "platform/x11/x11_keysyms.h"

#include <X11/keysym.h>

#include <utility>

namespace platform::x11 {

int32_t virtualKeyOfKeysym(unsigned long keysym)
{
    if (keysym >= XK_0 && keysym <= XK_9)
        return static_cast<int32_t>('0' + (keysym - XK_0));
    if (keysym >= XK_A && keysym <= XK_Z)
        return static_cast<int32_t>('A' + (keysym - XK_A));
    if (keysym >= XK_a && keysym <= XK_z)
        return static_cast<int32_t>('A' + (keysym - XK_a));
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return static_cast<int32_t>(96 + (keysym - XK_KP_0));
    if (keysym >= XK_F1 && keysym <= XK_F24)
        return static_cast<int32_t>(112 + (keysym - XK_F1));

    static constexpr std::pair<unsigned long, int32_t> keys[] = {
        {XK_BackSpace, 8},     {XK_Tab, 9},          {XK_ISO_Left_Tab, 9},  {XK_KP_Tab, 9},
        {XK_Clear, 12},        {XK_KP_Begin, 12},    {XK_Return, 13},       {XK_KP_Enter, 13},
        {XK_Shift_L, 16},      {XK_Shift_R, 16},     {XK_Control_L, 17},    {XK_Control_R, 17},
        {XK_Alt_L, 18},        {XK_Alt_R, 18},       {XK_ISO_Level3_Shift, 18}, {XK_Pause, 19},
        {XK_Caps_Lock, 20},    {XK_Escape, 27},      {XK_space, 32},        {XK_KP_Space, 32},
        {XK_Prior, 33},        {XK_KP_Prior, 33},    {XK_Next, 34},         {XK_KP_Next, 34},
        {XK_End, 35},          {XK_KP_End, 35},      {XK_Home, 36},         {XK_KP_Home, 36},
        {XK_Left, 37},         {XK_KP_Left, 37},     {XK_Up, 38},           {XK_KP_Up, 38},
        {XK_Right, 39},        {XK_KP_Right, 39},    {XK_Down, 40},         {XK_KP_Down, 40},
        {XK_Print, 44},        {XK_Sys_Req, 44},     {XK_Insert, 45},       {XK_KP_Insert, 45},
        {XK_Delete, 46},       {XK_KP_Delete, 46},   {XK_Super_L, 91},      {XK_Meta_L, 91},
        {XK_Meta_R, 91},       {XK_Super_R, 92},     {XK_Menu, 93},         {XK_KP_Multiply, 106},
        {XK_KP_Add, 107},      {XK_KP_Subtract, 109}, {XK_KP_Decimal, 110}, {XK_KP_Separator, 110},
        {XK_KP_Divide, 111},   {XK_Num_Lock, 144},   {XK_Scroll_Lock, 145}, {XK_KP_Equal, 187},
        // Punctuation with its shifted symbol, as on a US keyboard.
        {XK_semicolon, 186},   {XK_colon, 186},      {XK_equal, 187},       {XK_plus, 187},
        {XK_comma, 188},       {XK_less, 188},       {XK_minus, 189},       {XK_underscore, 189},
        {XK_period, 190},      {XK_greater, 190},    {XK_slash, 191},       {XK_question, 191},
        {XK_grave, 192},       {XK_asciitilde, 192}, {XK_bracketleft, 219}, {XK_braceleft, 219},
        {XK_backslash, 220},   {XK_bar, 220},        {XK_bracketright, 221}, {XK_braceright, 221},
        {XK_apostrophe, 222},  {XK_quotedbl, 222},
        // Shift with a digit.
        {XK_parenright, '0'},  {XK_exclam, '1'},     {XK_at, '2'},          {XK_numbersign, '3'},
        {XK_dollar, '4'},      {XK_percent, '5'},    {XK_asciicircum, '6'}, {XK_ampersand, '7'},
        {XK_asterisk, '8'},    {XK_parenleft, '9'},
    };
    for (const auto& [sym, vk] : keys)
        if (sym == keysym)
            return vk;
    return 0;
}

int32_t X11KeyNames::virtualKeyAtPlace(uint32_t keycode) const
{
    return keycode >= 8 ? UsKeyNames::virtualKeyAtPlace(keycode - 8) : 0;
}

} // namespace platform::x11
